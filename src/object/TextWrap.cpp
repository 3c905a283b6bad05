#include "object/TextWrap.h"

#include <cstdint>
#include <vector>

#include "object/Utf8.h"

namespace {

struct Glyph {
    std::string bytes;
    std::uint32_t codePoint;
    GlyphExtent extent;
};

// Characters that may not begin a line: closing marks, small kana and the long vowel mark.
bool NoLineStart(std::uint32_t c) {
    static constexpr char32_t kClosers[] = U"、。，．・：；？！ー）」』】〕〉》…‥ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ)]}!?,.:;%";
    for (const char32_t closer : kClosers) {
        if (closer != 0 && c == closer) {
            return true;
        }
    }
    return false;
}

bool IsLatinLetter(std::uint32_t c) { return c > ' ' && c < 0x80; }

std::vector<Glyph> Split(const std::string& line, const std::function<GlyphExtent(const std::string&)>& measure) {
    std::vector<Glyph> glyphs;
    std::size_t at = 0;
    while (at < line.size()) {
        std::uint32_t codePoint = 0;
        const std::size_t used = DecodeUtf8(line.data() + at, line.size() - at, codePoint);
        std::string bytes = line.substr(at, used);
        const GlyphExtent extent = measure(bytes);
        glyphs.push_back({std::move(bytes), codePoint, extent});
        at += used;
    }
    return glyphs;
}

// Where the line that starts at `first` must end (one past its last glyph), given that the
// glyphs [first, fits) fit and glyph `fits` does not.
std::size_t BreakPoint(const std::vector<Glyph>& glyphs, std::size_t first, std::size_t fits) {
    if (fits <= first + 1 || fits >= glyphs.size()) {
        return fits;
    }
    // A Latin word stays whole: break at the last space before it, when the line has one.
    if (IsLatinLetter(glyphs[fits].codePoint) && IsLatinLetter(glyphs[fits - 1].codePoint)) {
        for (std::size_t i = fits - 1; i > first; --i) {
            if (glyphs[i].codePoint == ' ') {
                return i;
            }
        }
        return fits;
    }
    if (NoLineStart(glyphs[fits].codePoint)) {
        return fits - 1;
    }
    return fits;
}

std::string Join(const std::vector<Glyph>& glyphs, std::size_t first, std::size_t last) {
    std::string text;
    for (std::size_t i = first; i < last; ++i) {
        text += glyphs[i].bytes;
    }
    return text;
}

}  // namespace

std::string WrapText(const std::string& text, int width,
                     const std::function<GlyphExtent(const std::string&)>& measure) {
    const std::vector<std::string> lines = SplitLines(text);
    std::string wrapped;
    std::string carry;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        std::string line = carry;
        if (!carry.empty() && !lines[n].empty() && IsLatinLetter(static_cast<unsigned char>(carry.back())) &&
            IsLatinLetter(static_cast<unsigned char>(lines[n].front()))) {
            line += ' ';
        }
        line += lines[n];
        carry.clear();
        const bool nextHasWords = n + 1 < lines.size() && !lines[n + 1].empty();
        const std::vector<Glyph> glyphs = Split(line, measure);
        std::size_t first = 0;
        for (;;) {
            int used = 0;
            std::size_t fits = first;
            while (fits < glyphs.size() && used + glyphs[fits].extent.inkRight <= width) {
                used += glyphs[fits].extent.advance;
                ++fits;
            }
            if (fits == first && fits < glyphs.size()) {
                ++fits;  // a glyph wider than the line still takes a line of its own
            }
            const std::size_t end = BreakPoint(glyphs, first, fits);
            std::size_t next = end;
            while (next < glyphs.size() && glyphs[next].codePoint == ' ') {
                ++next;
            }
            std::size_t inked = end;
            while (inked > first && glyphs[inked - 1].codePoint == ' ') {
                --inked;  // a line does not end in spaces
            }
            wrapped += Join(glyphs, first, inked);
            if (next >= glyphs.size()) {
                break;
            }
            wrapped += '\n';
            if (nextHasWords) {
                // What is left of a broken line joins the next line of the text.
                carry = Join(glyphs, next, glyphs.size());
                break;
            }
            first = next;
        }
        if (carry.empty() && n + 1 < lines.size()) {
            wrapped += '\n';
        }
    }
    return wrapped;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) {
            return lines;
        }
        start = end + 1;
    }
}
