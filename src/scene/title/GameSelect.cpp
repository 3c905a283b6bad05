#include "scene/title/GameSelect.h"

#include <algorithm>

#include "base/Language.h"
#include "base/SceneContext.h"
#include "gfx/Device.h"
#include "object/DrawCrisp.h"
#include "resource/FileClass.h"
#include "resource/SaveFile.h"

namespace {

constexpr const char* kStagePictures[GameSelect::kStages] = {
    "stage_velkra_rouka.png", "stage_velkra_library.png", "stage_sky.png"};
constexpr const char* kPortraitSheets[GameSelect::kCharacters] = {"ardel_animation.png", "sovia_animation.png"};

constexpr const char kStageNames[] = "stagename.png";
constexpr const char kStartButton[] = "gamestart.png";
constexpr const char kReturnButton[] = "returntitle.png";
constexpr float kPictureX = 150.0f;
constexpr float kPictureY = 190.0f;
constexpr float kPictureSide = 192.0f;
constexpr float kSelectorX = 470.0f;
constexpr float kDifficultyY = 120.0f;
constexpr float kStageY = 230.0f;
constexpr float kCharacterY = 350.0f;
// Portrait cells are 64 x 128 and shown at that size; the panel behind is 136 tall.
constexpr float kPortraitWidth = 64.0f;
constexpr float kPortraitHeight = 128.0f;
constexpr float kArrowSide = 32.0f;

// Each character's guide: its name and how its towers play, in one line.
struct CharacterNote {
    const char* name;
    const char* play;
};
constexpr CharacterNote kCharacterNotes[GameSelect::kCharacters] = {
    // Fits: MSゴシック 14, 426x1
    {"Ardel", N_("お札と結界：誘導弾と範囲攻撃、足止めで堅実に守る")},
    // Fits: MSゴシック 14, 426x1
    {"Sovia", N_("魔法とレーザー：高火力の砲台と減速・対空、極大レーザー")},
};
// The note stands below the character panel, between the return and start buttons
// (x 98..524), centred on kNoteCentreX.
constexpr const char* kNoteFont = "MSゴシック";
constexpr int kNoteWidth = 512;
constexpr int kNoteHeight = 64;
constexpr float kNoteCentreX = 311.0f;
constexpr float kNoteTop = 419.0f;
constexpr int kNameHeight = 17;
constexpr int kPlayHeight = 14;
constexpr int kPlayTop = 21;
constexpr std::uint32_t kNameColour = 0xFFFFE070u;
constexpr std::uint32_t kPlayColour = 0xFFFFFFFFu;
constexpr std::uint32_t kShadowColour = 0xFF000000u;
constexpr int kArrowPulse = 8;
constexpr int kFieldOverlayAlpha = 150;

int Wrap(int value, int count) { return (value % count + count) % count; }

}  // namespace

void GameSelect::Init(gfx::Device* device, const title::Sounds& sounds, CSaveFile& save) {
    device_ = device;
    sounds_ = &sounds;
    save_ = &save;

    MakeSelector(difficultyArrows_, 350.0f, 590.0f, kDifficultyY);
    MakeSelector(stageArrows_, 330.0f, 610.0f, kStageY);
    MakeSelector(characterArrows_, 350.0f, 590.0f, kCharacterY);

    // lv_select.png's bands are painted 128 x 32, the size they are shown here.
    difficultyLabel_.Create(device, g_FileClass.FindTexture("lv_select.png"), kSelectorX, kDifficultyY, 128.0f, 32.0f);
    stageName_.Create(device, g_FileClass.FindTexture(kStageNames), kSelectorX, kStageY, 256.0f, 32.0f);
    stagePicture_.Create(device, nullptr, kPictureX, kPictureY, kPictureSide, kPictureSide);
    fieldPicture_.Create(device, nullptr, kPictureX, kPictureY, kPictureSide, kPictureSide);
    fieldPicture_.alpha = kFieldOverlayAlpha;
    stageFrame_.Create(device, g_FileClass.FindTexture("stageicon_flame.png"), kPictureX, kPictureY,
                       kPictureSide + 24.0f, kPictureSide + 24.0f);

    // Each character stands in the idle pose of its portrait sheet (row 0, four cells).
    for (int c = 0; c < kCharacters; ++c) {
        AnimationStep& portrait = portraits_[c];
        portrait.Create(device, g_FileClass.FindTexture(kPortraitSheets[c]), kSelectorX, kCharacterY, kPortraitWidth,
                        kPortraitHeight);
        for (int cell = 0; cell < 4; ++cell) {
            portrait.AddFrame(cell * 0.25f, (cell + 1) * 0.25f, 0.0f, 0.25f, 10);
        }
        portrait.Start();
    }

    Relabel();

    bestLabel_.Create(device, g_FileClass.FindTexture("score.png"), 96.0f, 330.0f, 64.0f, 16.0f);
    title::ShowBand(bestLabel_, 0, 2);
    bestNumber_.Init(device, g_FileClass.FindTexture("number.png"), 140.0f, 331.0f, 18.0f, 20.0f, -7.0f, 0);
    extraMark_.Create(device, g_FileClass.FindTexture("extra_mark.png"), 236.0f, 330.0f, 24.0f, 24.0f);

    title::MakeTitleButton(startButton_, device, kStartButton, 580.0f, 440.0f);
    title::MakeTitleButton(returnButton_, device, kReturnButton, 50.0f, 440.0f, 96.0f, 24.0f);
    Enter();
}

void GameSelect::MakeNote(int character) {
    const CharacterNote& note = kCharacterNotes[character];
    TextTexture& text = noteTexts_[character];
    text.Create(device_, kNoteWidth, kNoteHeight);
    text.Clear();
    text.SetGreyGlyphs(true);
    // A dark edge under each line keeps it legible on the starry background.
    int width = 0;
    auto print = [&](int top, int height, std::uint32_t colour, const char* line) {
        text.SetFont(kNoteFont, height);
        text.SetColour(kShadowColour);
        text.Print(1, top + 1, "%s", line);
        text.SetColour(colour);
        text.Print(0, top, "%s", line);
        width = std::max(width, text.PenX());
    };
    print(0, kNameHeight, kNameColour, note.name);
    print(kPlayTop, kPlayHeight, kPlayColour, Tr(note.play));
    text.ReleaseFont();
    // The texture's left edge goes where the widest line, centred, starts.
    const float left = kNoteCentreX - static_cast<float>(width) * 0.5f;
    notes_[character].Create(device_, text.GetTexture(), left + kNoteWidth * 0.5f, kNoteTop + kNoteHeight * 0.5f,
                             static_cast<float>(kNoteWidth), static_cast<float>(kNoteHeight));
}

void GameSelect::MakeSelector(Selector& selector, float leftX, float rightX, float y) {
    title::MakeButton(selector.left, device_, "cursor_s.png", leftX, y, kArrowSide, kArrowSide);
    title::MakeButton(selector.right, device_, "cursor_s.png", rightX, y, kArrowSide, kArrowSide);
    // The sheet's arrow points right; the left one is the same picture mirrored.
    title::Mirror(selector.left);
    selector.left.pulseStep = kArrowPulse;
    selector.right.pulseStep = kArrowPulse;
}

void GameSelect::Relabel() {
    for (int c = 0; c < kCharacters; ++c) {
        MakeNote(c);
    }
}

void GameSelect::ReloadImages() {
    title::Refetch(stageName_, kStageNames);
    title::Refetch(startButton_, kStartButton);
    title::Refetch(returnButton_, kReturnButton);
}

void GameSelect::Enter() {
    difficulty_ = 1;
    stage_ = 0;
    character_ = 0;
    ShowChoice();
}

void GameSelect::Leave() {
    for (std::uint8_t& option : options_) {
        option = 0;
    }
}

int GameSelect::Step(Selector& selector, const SceneContext& input, bool active) {
    const bool left = title::ButtonClicked(selector.left, input, active);
    const bool right = title::ButtonClicked(selector.right, input, active);
    if (left || right) {
        title::Sounds::Play(sounds_->select);
    }
    return right ? 1 : (left ? -1 : 0);
}

void GameSelect::ShowChoice() {
    title::ShowBand(difficultyLabel_, difficulty_, 8);
    title::ShowBand(stageName_, stage_, 16);
    stagePicture_.texture = g_FileClass.FindTexture(kStagePictures[stage_]);
    fieldPicture_.texture = g_FileClass.FindTexture(difficulty_ == 0 ? "fieldwall_easy.png" : "fieldwall.png");
    const CSaveFile::Options options(options_, 7);
    bestScore_ = save_->ReadBestScore(stage_, difficulty_, CharacterId(), options);
}

void GameSelect::DrawPictures() {
    stagePicture_.Draw(1);
    fieldPicture_.Draw(1);
    stageFrame_.Draw(1);
    DrawCrisp(difficultyLabel_);
    DrawCrisp(stageName_);
    portraits_[character_].Draw(1);
    DrawCrisp(bestLabel_);
    bestNumber_.DrawInt(bestScore_, false);
    // The mark shows a record above the one every new save file starts with.
    if (bestScore_ > 200 * difficulty_ + 100) {
        extraMark_.Draw(1);
    }
}

int GameSelect::Frame(const SceneContext& input, bool active) {
    DrawPictures();
    if (input.guides) {
        DrawCrisp(notes_[character_]);
    }
    const int difficultyStep = Step(difficultyArrows_, input, active);
    const int stageStep = Step(stageArrows_, input, active);
    const int characterStep = Step(characterArrows_, input, active);
    if (difficultyStep != 0 || stageStep != 0 || characterStep != 0) {
        difficulty_ = Wrap(difficulty_ + difficultyStep, kDifficulties);
        stage_ = Wrap(stage_ + stageStep, kStages);
        character_ = Wrap(character_ + characterStep, kCharacters);
        ShowChoice();
    }
    if (title::LitButtonClicked(startButton_, 0, title::kOneButtonBands, input, active)) {
        title::Sounds::Play(sounds_->gameDecide);
        return title::kStartBattle;
    }
    if (title::BackClicked(returnButton_, input, active)) {
        title::Sounds::Play(sounds_->cancel);
        return title::kMenu;
    }
    return title::kStay;
}
