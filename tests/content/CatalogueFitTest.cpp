#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "base/Language.h"
#include "object/TextTexture.h"
#include "object/TextWrap.h"
#include "support/PoFile.h"
#include "support/RecordingDevice.h"

// Every translation of every installed catalogue, drawn as the game draws it in each box its
// "Fits:" comments name (font, size, width x lines, wrapped or not), shows whole: no line's ink
// passes the box's width, wrapping never needs more lines than the box has, and no text is longer
// than the game's print buffer.
namespace {

struct Box {
    std::string font;
    int size = 0;
    int width = 0;
    int lines = 0;
    bool wrapped = false;
};

bool ParseBox(const std::string& fits, Box& box) {
    static const std::regex kPattern(R"((.+) (\d+), (\d+)x(\d+)( wrapped)?)");
    std::smatch match;
    if (!std::regex_match(fits, match, kPattern)) {
        return false;
    }
    box = {match[1], std::stoi(match[2]), std::stoi(match[3]), std::stoi(match[4]), match[5].matched};
    return true;
}

// A format's number at its widest, as the panel can show it.
std::string Formatted(const std::string& text) {
    char buffer[TextTexture::kPrintBufferSize];
    if (text.find("%d") == std::string::npos) {
        return text;
    }
    std::snprintf(buffer, sizeof buffer, text.c_str(), 9999);  // NOLINT: the catalogue's own format
    return buffer;
}

class CatalogueFit : public ::testing::Test {
protected:
    void TearDown() override {
        std::string error;
        language::Use("ja", {}, error);
    }

    // How many lines the text takes in the box, and the widest ink of any of them.
    void Measure(const std::string& text, const Box& box, int& lines, int& widest) {
        texture.SetFont(box.font, box.size);
        const std::string shown =
            box.wrapped ? WrapText(text, box.width,
                                   [this](const std::string& glyph) {
                                       const TextTexture::Extent extent = texture.MeasureLine(glyph);
                                       return GlyphExtent{extent.advance, extent.inkRight};
                                   })
                        : text;
        const std::vector<std::string> split = SplitLines(shown);
        lines = static_cast<int>(split.size());
        widest = 0;
        for (const std::string& line : split) {
            widest = std::max(widest, texture.MeasureLine(line).inkRight);
        }
    }

    RecordingDevice device;
    TextTexture texture;
};

}  // namespace

TEST_F(CatalogueFit, EveryTranslationShowsWholeInEveryBoxItIsDrawnIn) {
    texture.Create(&device, 1024, 64);
    const std::filesystem::path gameDir = VELMORIA_GAME_DIR;
    int catalogues = 0;
    for (const auto& file : std::filesystem::directory_iterator(SourceRoot() / "po")) {
        if (file.path().extension() != ".po") {
            continue;
        }
        ++catalogues;
        const std::string code = file.path().stem().string();
        std::string error;
        ASSERT_TRUE(language::Use(code, gameDir, error)) << error;
        int measured = 0;
        for (const PoEntry& entry : ReadPoFile(file.path())) {
            if (entry.translation.empty()) {
                continue;  // shown in Japanese
            }
            const std::string text = Formatted(entry.translation);
            EXPECT_LT(text.size(), static_cast<std::size_t>(TextTexture::kPrintBufferSize)) << code << ": " << text;
            ASSERT_FALSE(entry.fits.empty()) << "no box for \"" << entry.source << "\"";
            for (const std::string& fits : entry.fits) {
                Box box;
                if (fits.rfind("a message box", 0) == 0) {
                    continue;  // a dialog or stderr: any length
                }
                ASSERT_TRUE(ParseBox(fits, box)) << fits;
                int lines = 0;
                int widest = 0;
                Measure(text, box, lines, widest);
                ++measured;
                EXPECT_LE(widest, box.width) << code << " in " << fits << ": \"" << text << "\"";
                EXPECT_LE(lines, box.lines) << code << " in " << fits << ": \"" << text << "\"";
            }
        }
        EXPECT_GT(measured, 100) << code;
    }
    EXPECT_GE(catalogues, 1);
}

// The measure itself: a box one pixel narrower than a line's ink is found too narrow, and a
// wrapped text that needs three lines does not fit in two.
TEST_F(CatalogueFit, TheMeasureFindsATextCut) {
    texture.Create(&device, 1024, 64);
    std::string error;
    ASSERT_TRUE(language::Use("en", VELMORIA_GAME_DIR, error)) << error;
    int lines = 0;
    int widest = 0;
    Measure("Stardust Missile", Box{"Tahoma", 14, 1000, 1, false}, lines, widest);
    ASSERT_GT(widest, 0);
    int narrowLines = 0;
    int narrowWidest = 0;
    Measure("Stardust Missile", Box{"Tahoma", 14, widest - 1, 1, false}, narrowLines, narrowWidest);
    EXPECT_GT(narrowWidest, widest - 1);
    Measure("Fires a strong 3-way shot at yokai, single shots at other enemies.", Box{"Tahoma", 13, 120, 2, true},
            lines, widest);
    EXPECT_GT(lines, 2);
    EXPECT_LE(widest, 120);
}
