#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "base/Catalogue.h"
#include "base/Language.h"
#include "support/TempDir.h"

namespace {

// A compiled catalogue as msgfmt lays it out: header, two descriptor tables, then the strings.
std::string MoBytes(const std::vector<std::pair<std::string, std::string>>& entries, bool bigEndian = false) {
    std::string bytes;
    auto word = [&](std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            const int shift = bigEndian ? 8 * (3 - i) : 8 * i;
            bytes += static_cast<char>((value >> shift) & 0xFF);
        }
    };
    const auto count = static_cast<std::uint32_t>(entries.size());
    const std::uint32_t sources = 28;
    const std::uint32_t translations = sources + 8 * count;
    std::uint32_t offset = translations + 8 * count;
    word(0x950412DEu);
    word(0);
    word(count);
    word(sources);
    word(translations);
    word(0);
    word(0);
    std::string strings;
    std::vector<std::uint32_t> table;
    for (int side = 0; side < 2; ++side) {
        for (const auto& [source, translation] : entries) {
            const std::string& text = side == 0 ? source : translation;
            word(static_cast<std::uint32_t>(text.size()));
            word(offset + static_cast<std::uint32_t>(strings.size()));
            strings += text;
            strings += '\0';
        }
    }
    return bytes + strings;
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Each test leaves the game in Japanese, as every other test expects it.
class LanguageTest : public ::testing::Test {
protected:
    void TearDown() override {
        std::string error;
        language::Use("ja", {}, error);
    }
    ScopedTempDir dir;
    const std::filesystem::path folder = dir.Path();
};

}  // namespace

TEST(Catalogue, FindsTranslationsInEitherByteOrderAndLeavesTheRestOut) {
    const std::vector<std::pair<std::string, std::string>> entries = {
        {"", "Content-Type: text/plain; charset=UTF-8\n"},
        {"強化", "Up"},
        {"language name\x04日本語", "English"},
        {std::string("敵\0敵たち", 7), std::string("enemy\0enemies", 13)},
        {"未訳", ""},
    };
    for (const bool bigEndian : {false, true}) {
        Catalogue catalogue;
        std::string error;
        ASSERT_TRUE(catalogue.Parse(MoBytes(entries, bigEndian), error)) << error;
        ASSERT_NE(catalogue.Find("強化"), nullptr);
        EXPECT_EQ(*catalogue.Find("強化"), "Up");
        ASSERT_NE(catalogue.Find("language name\x04日本語"), nullptr);
        EXPECT_EQ(*catalogue.Find("language name\x04日本語"), "English");
        ASSERT_NE(catalogue.Find("敵"), nullptr);
        EXPECT_EQ(*catalogue.Find("敵"), "enemy");
        EXPECT_EQ(catalogue.Find("未訳"), nullptr);
        EXPECT_EQ(catalogue.Find(""), nullptr);
        EXPECT_EQ(catalogue.Size(), 3u);
    }
}

TEST(Catalogue, RefusesWhatIsNotACatalogueOrPointsPastItsEnd) {
    Catalogue catalogue;
    std::string error;
    EXPECT_FALSE(catalogue.Parse("short", error));
    EXPECT_FALSE(catalogue.Parse(std::string(64, 'x'), error));
    EXPECT_NE(error.find("magic"), std::string::npos) << error;

    std::string cut = MoBytes({{"強化", "Up"}});
    cut.resize(cut.size() - 4);
    EXPECT_FALSE(catalogue.Parse(cut, error));
    EXPECT_NE(error.find("past the end"), std::string::npos) << error;
    EXPECT_EQ(catalogue.Size(), 0u);

    std::string newer = MoBytes({{"強化", "Up"}});
    newer[6] = 1;  // revision 1.0
    EXPECT_FALSE(catalogue.Parse(newer, error));
}

TEST_F(LanguageTest, TranslatesWithTheCatalogueInUseAndFallsBackToJapanese) {
    WriteFile(folder / "en.mo", MoBytes({{"強化", "Up"}, {"language name\x04日本語", "English"}}));
    std::string error;
    EXPECT_STREQ(Tr("強化"), "強化");
    const std::uint32_t before = language::Generation();
    ASSERT_TRUE(language::Use("en", folder, error)) << error;
    EXPECT_EQ(language::Current(), "en");
    EXPECT_FALSE(language::SourceInUse());
    EXPECT_NE(language::Generation(), before);
    EXPECT_STREQ(Tr("強化"), "Up");
    EXPECT_EQ(Tr(std::string("強化")), "Up");
    EXPECT_STREQ(Tr("売値"), "売値");  // missing: stays Japanese
    EXPECT_STREQ(TrIn("language name", "日本語"), "English");

    ASSERT_TRUE(language::Use("ja", folder, error));
    EXPECT_STREQ(Tr("強化"), "強化");
    EXPECT_TRUE(language::SourceInUse());
}

TEST_F(LanguageTest, AMissingOrDamagedCatalogueKeepsTheLanguageInUse) {
    WriteFile(folder / "xx.mo", "not a catalogue at all, just some words");
    std::string error;
    EXPECT_FALSE(language::Use("fr", folder, error));
    EXPECT_NE(error.find("fr.mo"), std::string::npos) << error;
    EXPECT_FALSE(language::Use("xx", folder, error));
    EXPECT_FALSE(language::Use("../en", folder, error));
    EXPECT_EQ(language::Current(), "ja");
    EXPECT_FALSE(language::ValidCode(""));
    EXPECT_FALSE(language::ValidCode("en/../x"));
    EXPECT_TRUE(language::ValidCode("pt_BR"));
}

TEST_F(LanguageTest, InstalledListsJapaneseFirstThenEveryReadableCatalogueByItsOwnName) {
    WriteFile(folder / "en.mo", MoBytes({{"language name\x04日本語", "English"}}));
    WriteFile(folder / "de.mo", MoBytes({{"強化", "Verbessern"}}));  // no name: its code stands in
    WriteFile(folder / "zz.mo", "damaged");
    WriteFile(folder / "notes.txt", "not a catalogue");
    const std::vector<language::Choice> choices = language::Installed(folder);
    ASSERT_EQ(choices.size(), 3u);
    EXPECT_EQ(choices[0].code, "ja");
    EXPECT_EQ(choices[0].name, "日本語");
    EXPECT_EQ(choices[1].code, "de");
    EXPECT_EQ(choices[1].name, "de");
    EXPECT_EQ(choices[2].code, "en");
    EXPECT_EQ(choices[2].name, "English");
}
