#include "scene/title/OptionScreen.h"

#include <algorithm>

#include "base/SceneContext.h"
#include "object/DrawCrisp.h"
#include "resource/FileClass.h"
#include "resource/SaveFile.h"

namespace {

constexpr float kLabelX = 190.0f;
constexpr float kMinusX = 330.0f;
constexpr float kPlusX = 456.0f;
constexpr float kMusicY = 120.0f;
constexpr float kSoundY = 200.0f;
constexpr float kDisplayY = 280.0f;
constexpr int kLabelBands = 8;  // optionmenu.png: music, effects, grid display, ...


// The number's first glyph moves left as digits are added, so its last glyph stays at x 400.
float NumberX(int value) {
    if (value >= 100) {
        return 372.0f;
    }
    return value >= 10 ? 386.0f : 400.0f;
}

}  // namespace

void OptionScreen::Init(gfx::Device* device, const title::Sounds& sounds, CSaveFile& save) {
    device_ = device;
    sounds_ = &sounds;
    save_ = &save;
    MakeRow(music_, 0, kMusicY);
    MakeRow(sound_, 1, kSoundY);
    displayLabel_.Create(device, g_FileClass.FindTexture("optionmenu.png"), kLabelX, kDisplayY, 256.0f, 32.0f);
    title::ShowBand(displayLabel_, 2, kLabelBands);
    title::MakeButton(displaySwitch_, device, "on_off.png", 393.0f, kDisplayY, 96.0f, 24.0f);
    title::MakeTitleButton(returnButton_, device, "button_return.png", 80.0f, 446.0f);
    Enter();
}

void OptionScreen::MakeRow(VolumeRow& row, int labelBand, float y) {
    row.label.Create(device_, g_FileClass.FindTexture("optionmenu.png"), kLabelX, y, 256.0f, 32.0f);
    title::ShowBand(row.label, labelBand, kLabelBands);
    title::MakeButton(row.minus, device_, "button_minus.png", kMinusX, y, 32.0f, 32.0f);
    title::MakeButton(row.plus, device_, "button_plus.png", kPlusX, y, 32.0f, 32.0f);
    row.minus.pulseStep = 8;
    row.plus.pulseStep = 8;
    row.number.Init(device_, g_FileClass.FindTexture("number.png"), 400.0f, y, 24.0f, 28.0f, -10.0f, 0);
}

void OptionScreen::Enter() {
    musicVolume_ = save_->VolumePercent(CSaveFile::kMusicVolume);
    soundVolume_ = save_->VolumePercent(CSaveFile::kEffectVolume);
    display_ = save_->settings[CSaveFile::kDisplayOption] != 0;
}

void OptionScreen::Leave() {
    save_->settings[CSaveFile::kMusicVolume] = static_cast<std::uint32_t>(musicVolume_);
    save_->settings[CSaveFile::kEffectVolume] = static_cast<std::uint32_t>(soundVolume_);
    save_->settings[CSaveFile::kDisplayOption] = display_ ? 1u : 0u;
    // A score of 0 never beats a record: this only writes the settings.
    save_->Save(0, 0, 0, CSaveFile::kNoOptions, 0);
}

bool OptionScreen::RunRow(VolumeRow& row, int& volume, const SceneContext& input, bool active) {
    DrawCrisp(row.label);
    const bool down = title::ButtonClicked(row.minus, input, active);
    const bool up = title::ButtonClicked(row.plus, input, active);
    const int before = volume;
    volume = std::clamp(volume + (up ? kVolumeStep : 0) - (down ? kVolumeStep : 0), 0, 100);
    DrawVolume(row, volume);
    return volume != before;
}

void OptionScreen::DrawVolume(VolumeRow& row, int volume) {
    row.number.SetPosition(NumberX(volume), row.number.y);
    row.number.DrawInt(volume, false);
}

int OptionScreen::Frame(const SceneContext& input, bool active) {
    const bool musicChanged = RunRow(music_, musicVolume_, input, active);
    const bool soundChanged = RunRow(sound_, soundVolume_, input, active);
    if (musicChanged || soundChanged) {
        g_FileClass.SetVolumes(musicVolume_, soundVolume_);
        title::Sounds::Play(sounds_->select);
    }

    DrawCrisp(displayLabel_);
    title::ShowBand(displaySwitch_, display_ ? 0 : 1, 2);
    if (title::ButtonClicked(displaySwitch_, input, active)) {
        display_ = !display_;
        title::Sounds::Play(sounds_->select);
    }
    if (title::BackClicked(returnButton_, input, active)) {
        return title::kMenu;
    }
    return title::kStay;
}
