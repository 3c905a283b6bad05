#pragma once
#include <vector>

#include "base/Language.h"
#include "object/MouseChangeObject2D.h"
#include "object/SpriteNumber.h"
#include "object/TextTexture.h"
#include "scene/title/TitleKit.h"

class CSaveFile;

// The option screen: music and effect volume in steps of five, the grid display setting and the
// guides. The guides are the shell's to remember (settings.txt), so they live in the context.
class OptionScreen {
public:
    static constexpr int kVolumeStep = 5;

    void Init(gfx::Device* device, const title::Sounds& sounds, CSaveFile& save);
    // Entering reads the stored settings; leaving stores them in the save file.
    void Enter();
    void Leave();
    // Fetches the pictures with words again, in the language now in use.
    void ReloadImages();
    // The guides switch writes the context's guides.
    int Frame(SceneContext& context, bool active);

    int MusicVolume() const { return musicVolume_; }
    int SoundVolume() const { return soundVolume_; }
    bool Display() const { return display_; }
    const gfx::Texture* LabelSheet() const { return music_.label.texture; }

private:
    struct SwitchRow {
        Object2D label;
        MouseChangeObject2D button;
    };
    struct VolumeRow {
        Object2D label;
        MouseChangeObject2D minus;
        MouseChangeObject2D plus;
        SpriteNumber number;
    };

    void MakeRow(VolumeRow& row, int labelBand, float y);
    // Draws the row and applies its buttons to the volume; true when it changed.
    bool RunRow(VolumeRow& row, int& volume, const SceneContext& input, bool active);
    void DrawVolume(VolumeRow& row, int volume);
    void MakeSwitch(SwitchRow& row, int labelBand, float y);
    // Draws the row and toggles the value on a click.
    void RunSwitch(SwitchRow& row, bool& value, const SceneContext& input, bool active);
    // The language row: its label says "language" in Japanese and English alike, so a player who
    // reads neither the language in use nor Japanese still finds it; a click takes the next one.
    void MakeLanguageRow();
    void RunLanguage(const SceneContext& input, bool active);
    void WriteLanguageName();

    gfx::Device* device_ = nullptr;
    const title::Sounds* sounds_ = nullptr;
    CSaveFile* save_ = nullptr;
    int musicVolume_ = 0;
    int soundVolume_ = 0;
    bool display_ = false;
    VolumeRow music_;
    VolumeRow sound_;
    SwitchRow displayRow_;
    SwitchRow guides_;
    MouseChangeObject2D returnButton_;
    std::vector<language::Choice> languages_;
    TextTexture languageLabelText_;
    Object2D languageLabel_;
    TextTexture languageNameText_;
    MouseChangeObject2D languageName_;
};
