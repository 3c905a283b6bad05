#include <gtest/gtest.h>

#include <string>

#include "object/TextWrap.h"
#include "object/Utf8.h"

namespace {

// A monospaced measure: every character advances 10 pixels and inks 8 of them.
GlyphExtent Mono(const std::string&) { return {10, 8}; }

std::string Wrap(const std::string& text, int width) { return WrapText(text, width, Mono); }

int CharacterCount(const std::string& line) {
    int count = 0;
    for (std::size_t at = 0; at < line.size();) {
        std::uint32_t codePoint = 0;
        at += DecodeUtf8(line.data() + at, line.size() - at, codePoint);
        ++count;
    }
    return count;
}

}  // namespace

TEST(TextWrap, LinesThatFitStayAsWritten) {
    EXPECT_EQ(Wrap("あいう\nえお", 100), "あいう\nえお");
    EXPECT_EQ(Wrap("あいう\n\nえお", 100), "あいう\n\nえお");
    EXPECT_EQ(Wrap("", 100), "");
}

TEST(TextWrap, TheLastCharacterNeedsOnlyItsInkToFit) {
    // Four characters: 30 pixels of advance and 8 of ink end at 38.
    EXPECT_EQ(Wrap("あいうえ", 38), "あいうえ");
    EXPECT_EQ(Wrap("あいうえ", 37), "あいう\nえ");
}

TEST(TextWrap, NoLineIsWiderThanItsBoxWhateverTheText) {
    const std::string texts[] = {
        "最大までビットを溜めると\n射程内のロックオンした敵\nに向けてビットを飛ばすこと\nができる。",
        "強化するにつれてレーザー\n照射時間が増加。\n\n飛行の敵には攻撃不可。",
        "妖怪には強力な３Way弾\nを発射し、その他の敵には\n単発攻撃。",
    };
    for (const std::string& text : texts) {
        for (int width = 38; width <= 160; width += 7) {
            const std::string wrapped = Wrap(text, width);
            std::size_t start = 0;
            for (;;) {
                const std::size_t end = wrapped.find('\n', start);
                const std::string line = wrapped.substr(start, end == std::string::npos ? end : end - start);
                const int count = CharacterCount(line);
                EXPECT_LE(count == 0 ? 0 : 10 * (count - 1) + 8, width) << line;
                if (end == std::string::npos) {
                    break;
                }
                start = end + 1;
            }
            // Nothing is lost or added but line breaks.
            std::string joined;
            for (const char c : wrapped) {
                if (c != '\n') {
                    joined += c;
                }
            }
            std::string original;
            for (const char c : text) {
                if (c != '\n') {
                    original += c;
                }
            }
            EXPECT_EQ(joined, original);
        }
    }
}

TEST(TextWrap, ARemainderFlowsIntoTheNextLineOfTheSameParagraph) {
    // "あいうえお" breaks after four; the "お" joins "かき" instead of standing alone.
    EXPECT_EQ(Wrap("あいうえお\nかき", 38), "あいうえ\nおかき");
    // Before a blank line, the remainder keeps a line of its own.
    EXPECT_EQ(Wrap("あいうえお\n\nかき", 38), "あいうえ\nお\n\nかき");
}

TEST(TextWrap, ClosingMarksAndTheLongVowelNeverStartALine) {
    EXPECT_EQ(Wrap("あいうえ。", 38), "あいう\nえ。");
    EXPECT_EQ(Wrap("レーザーです", 28), "レー\nザーで\nす");
    for (int width = 18; width <= 60; ++width) {
        const std::string wrapped = "\n" + Wrap("レーザー照射、時間。が増加。", width);
        for (const char* closer : {"\nー", "\n、", "\n。"}) {
            EXPECT_EQ(wrapped.find(closer), std::string::npos) << width << wrapped;
        }
    }
}

TEST(TextWrap, LatinWordsBreakAtSpaces) {
    EXPECT_EQ(Wrap("the great beam", 58), "the\ngreat\nbeam");
    // A word longer than the line still breaks, rather than running past it.
    EXPECT_EQ(Wrap("abcdefgh", 38), "abcd\nefgh");
}
