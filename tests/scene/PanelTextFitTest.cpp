#include <gtest/gtest.h>

#include <string>

#include "base/Language.h"
#include "field/TankObject.h"
#include "scene/GameHarness.h"
#include "tower/BaseCharacter.h"

// Every text the side panel draws shows whole: no glyph is drawn past the panel's gold border or
// below where the next piece of the panel starts, and no wrapped line falls off the bottom of the
// box it is written into. The sweep draws the panel for every entry of both catalogues, in the
// shop, placed at each level and while its replacement is chosen, and measures the ink drawn.
namespace {

// The panel's inside, between its gold borders.
constexpr float kPanelLeft = 452.0f;
constexpr float kPanelRight = 631.0f;
constexpr float kPanelBottom = 480.0f;

void ExpectTextsFit(const Status& panel, const std::string& where) {
    for (const PanelText* text : panel.Texts()) {
        const PanelText::InkBox ink = text->Ink();
        if (ink.empty) {
            continue;
        }
        const std::string label = where + " \"" + text->Text() + "\"";
        EXPECT_GE(ink.left, kPanelLeft) << label;
        EXPECT_LE(ink.right, kPanelRight) << label;
        EXPECT_LE(ink.bottom, kPanelBottom) << label;
        // Every line fits the height of its box.
        int lines = 1;
        for (const char c : text->ShownLines()) {
            lines += c == '\n' ? 1 : 0;
        }
        EXPECT_LE(static_cast<float>(lines * text->FontHeight()), text->Height()) << label;
    }
}

// The first description ends above the figure rows; the notes end above the buttons.
void ExpectBlocksClearOfTheRows(const Status& panel, const std::string& where) {
    const auto texts = panel.Texts();
    const PanelText::InkBox first = texts[1]->Ink();
    if (!first.empty) {
        EXPECT_LE(first.bottom, 256.0f) << where << " \"" << texts[1]->Text() << "\"";
    }
    for (const PanelText* note : {texts[2], texts[7]}) {
        const PanelText::InkBox ink = note->Ink();
        if (!ink.empty) {
            EXPECT_LE(ink.bottom, 428.0f) << where << " \"" << note->Text() << "\"";
        }
    }
}

field::StageRequest RichRequest(int character) {
    field::StageRequest request;
    request.character = static_cast<std::uint32_t>(character);
    request.options[field::kOptionRichStart] = 1;
    return request;
}

}  // namespace

// The sweep in Japanese and in every installed translation, each battle built in its language.
TEST(PanelTextFit, EveryTextOfEveryKindShowsWholeInsideThePanel) {
    for (const language::Choice& choice : language::Installed(VELMORIA_GAME_DIR)) {
        std::string error;
        ASSERT_TRUE(language::Use(choice.code, VELMORIA_GAME_DIR, error)) << error;
        GameHarness harness(GameHarness::Drawing::Software);
        for (const int character : {0, 1}) {
            GameMain& game = harness.Open(RichRequest(character));
            harness.Frames(2);
            const cBaseCharacter& controller = *game.Controller();
            for (int kind = 1; kind <= controller.EntryCount(); ++kind) {
                const std::string name =
                    choice.code + " " + std::to_string(character) + "/" + controller.Entry(kind).name;
                harness.PressKey(kind == 10 ? kKey0 : kKey1 + kind - 1);
                harness.Frame();
                ExpectTextsFit(controller.panel, name + " in the shop");
                ExpectBlocksClearOfTheRows(controller.panel, name + " in the shop");

                const int x = 48 + 32 * (kind - 1);
                harness.Click(x, 48);
                harness.PressKey(kKeyD);
                harness.Click(x, 48);
                for (int level = 1; level <= 5; ++level) {
                    harness.Frame();
                    ExpectTextsFit(controller.panel, name + " at level " + std::to_string(controller.panel.Level()));
                    ExpectBlocksClearOfTheRows(controller.panel, name + " placed");
                    harness.PressKey(kKeyU);
                    harness.Frames(40);
                }
                harness.PressKey(kKeyLeftShift);
                harness.Frame();
                ExpectTextsFit(controller.panel, name + " being replaced");
                ExpectBlocksClearOfTheRows(controller.panel, name + " being replaced");
                harness.PressKey(kKeyD);
            }
            harness.Close();
        }
    }
    std::string error;
    language::Use("ja", {}, error);
}
