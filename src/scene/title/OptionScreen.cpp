#include "scene/title/OptionScreen.h"

#include <algorithm>

#include "base/GameFolders.h"
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
constexpr float kGuidesY = 360.0f;
constexpr float kLanguageY = 412.0f;
constexpr float kLanguageLeft = 345.0f;
constexpr float kLanguageHitWidth = 120.0f;
constexpr const char* kLanguageFont = "MSゴシック";
constexpr int kLanguageFontHeight = 16;
constexpr float kLanguageTextWidth = 256.0f;
constexpr float kLanguageTextHeight = 32.0f;
// Japanese and English in every language, so that it can always be found.
// Fits: MSゴシック 16, 256x1
constexpr char kLanguageLabel[] = N_("言語 / Language");
constexpr std::uint32_t kLanguageColour = 0xFFFFFFFFu;
constexpr const char kLabelSheet[] = "optionmenu.png";
constexpr const char kReturnButton[] = "button_return.png";
// optionmenu.png's bands: music, effects, grid display, return, guides.
constexpr int kLabelBands = 8;
constexpr int kMusicBand = 0;
constexpr int kSoundBand = 1;
constexpr int kDisplayBand = 2;
constexpr int kGuidesBand = 4;


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
    MakeRow(music_, kMusicBand, kMusicY);
    MakeRow(sound_, kSoundBand, kSoundY);
    MakeSwitch(displayRow_, kDisplayBand, kDisplayY);
    MakeSwitch(guides_, kGuidesBand, kGuidesY);
    title::MakeTitleButton(returnButton_, device, kReturnButton, 80.0f, 446.0f);
    MakeLanguageRow();
    Enter();
}

void OptionScreen::MakeRow(VolumeRow& row, int labelBand, float y) {
    row.label.Create(device_, g_FileClass.FindTexture(kLabelSheet), kLabelX, y, 256.0f, 32.0f);
    title::ShowBand(row.label, labelBand, kLabelBands);
    title::MakeButton(row.minus, device_, "button_minus.png", kMinusX, y, 32.0f, 32.0f);
    title::MakeButton(row.plus, device_, "button_plus.png", kPlusX, y, 32.0f, 32.0f);
    row.minus.pulseStep = 8;
    row.plus.pulseStep = 8;
    row.number.Init(device_, g_FileClass.FindTexture("number.png"), 400.0f, y, 24.0f, 28.0f, -10.0f, 0);
}

void OptionScreen::MakeSwitch(SwitchRow& row, int labelBand, float y) {
    row.label.Create(device_, g_FileClass.FindTexture(kLabelSheet), kLabelX, y, 256.0f, 32.0f);
    title::ShowBand(row.label, labelBand, kLabelBands);
    title::MakeButton(row.button, device_, "on_off.png", 393.0f, y, 96.0f, 24.0f);
}

void OptionScreen::MakeLanguageRow() {
    languages_ = language::Installed(Folders().packs);
    languageLabelText_.Create(device_, static_cast<int>(kLanguageTextWidth), static_cast<int>(kLanguageTextHeight));
    languageLabelText_.Clear();
    languageLabelText_.SetFont(kLanguageFont, kLanguageFontHeight);
    languageLabelText_.SetGreyGlyphs(true);
    languageLabelText_.SetColour(kLanguageColour);
    // Centred in its band, as the painted labels above it are.
    const std::string label = Tr(kLanguageLabel);
    const int advance = languageLabelText_.MeasureLine(label).advance;
    languageLabelText_.Print((static_cast<int>(kLanguageTextWidth) - advance) / 2, 8, "%s", label.c_str());
    languageLabelText_.ReleaseFont();
    languageLabel_.Create(device_, languageLabelText_.GetTexture(), kLabelX, kLanguageY, kLanguageTextWidth,
                          kLanguageTextHeight);
    // The name starts where the switches above start; the texture runs on to its right.
    languageNameText_.Create(device_, static_cast<int>(kLanguageTextWidth), static_cast<int>(kLanguageTextHeight));
    constexpr float kHalf = kLanguageTextWidth * 0.5f;
    languageName_.Create(device_, languageNameText_.GetTexture(), kLanguageLeft + kHalf, kLanguageY, kLanguageTextWidth,
                         kLanguageTextHeight);
    languageName_.SetHitBox(kLanguageHitWidth, 24.0f, -kHalf, -12.0f);  // from the name's left edge
    languageName_.pulseStep = 8;
    WriteLanguageName();
}

void OptionScreen::WriteLanguageName() {
    std::string name = language::Current();
    for (const language::Choice& choice : languages_) {
        if (choice.code == name) {
            name = choice.name;
        }
    }
    languageNameText_.Clear();
    languageNameText_.SetFont(kLanguageFont, kLanguageFontHeight);
    languageNameText_.SetGreyGlyphs(true);
    languageNameText_.SetColour(kLanguageColour);
    languageNameText_.Print(0, 8, "%s", name.c_str());
    languageNameText_.ReleaseFont();
}

void OptionScreen::RunLanguage(const SceneContext& input, bool active) {
    DrawCrisp(languageLabel_);
    const bool clicked = title::ButtonClicked(languageName_, input, active);
    if (!clicked || languages_.size() < 2) {
        return;
    }
    std::size_t next = 0;
    for (std::size_t i = 0; i < languages_.size(); ++i) {
        if (languages_[i].code == language::Current()) {
            next = (i + 1) % languages_.size();
        }
    }
    std::string error;
    if (language::Use(languages_[next].code, Folders().packs, error)) {
        WriteLanguageName();
        title::Sounds::Play(sounds_->select);
    }
}

void OptionScreen::ReloadImages() {
    for (Object2D* label : {&music_.label, &sound_.label, &displayRow_.label, &guides_.label}) {
        title::Refetch(*label, kLabelSheet);
    }
    title::Refetch(returnButton_, kReturnButton);
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

void OptionScreen::RunSwitch(SwitchRow& row, bool& value, const SceneContext& input, bool active) {
    DrawCrisp(row.label);
    // on_off.png: the upper half reads on, the lower off.
    title::ShowBand(row.button, value ? 0 : 1, 2);
    if (title::ButtonClicked(row.button, input, active)) {
        value = !value;
        title::Sounds::Play(sounds_->select);
    }
}

int OptionScreen::Frame(SceneContext& context, bool active) {
    const SceneContext& input = context;
    const bool musicChanged = RunRow(music_, musicVolume_, input, active);
    const bool soundChanged = RunRow(sound_, soundVolume_, input, active);
    if (musicChanged || soundChanged) {
        g_FileClass.SetVolumes(musicVolume_, soundVolume_);
        title::Sounds::Play(sounds_->select);
    }

    RunSwitch(displayRow_, display_, input, active);
    RunSwitch(guides_, context.guides, input, active);
    RunLanguage(input, active);
    if (title::BackClicked(returnButton_, input, active)) {
        return title::kMenu;
    }
    return title::kStay;
}
