#include "scene/title/MusicRoom.h"

#include <cstdint>

#include "base/Language.h"
#include "base/SceneContext.h"
#include "object/DrawCrisp.h"
#include "resource/FileClass.h"
#include "resource/MusicTracks.h"
#include "resource/FilePackLoad.h"
#include "resource/PackNames.h"
#include "scene/title/TrackNotes.h"

namespace {

// The room's tracks, in the order of its list.
constexpr const char* kTrackFiles[MusicRoom::kTracks] = {"bgm_title.wav", "bgm_prepare.wav", "bgm_marsh.wav",
                                                         "bgm_lorn.wav", "bgm_sky.wav"};
constexpr const char kNotesEntry[] = "music_room.txt";
constexpr const char kEditButtons[] = "music_edit.png";
constexpr const char kReturnButton[] = "button_return.png";

constexpr const char kFont[] = "MSゴシック";
constexpr float kListX = 150.0f;
constexpr float kListY = 110.0f;
constexpr float kListPitch = 24.0f;
constexpr int kHoveredShade = 255;
constexpr int kOtherShade = 100;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

// The comment panel of musicroomback.png spans x 40..600 and y 300..426; the text keeps inside it.
constexpr float kCommentLeft = 56.0f;
constexpr float kCommentTop = 310.0f;

// music_edit.png: 1/8 bands, pause, resume, reseed, return, then the same lit.
constexpr int kEditBands = 8;
constexpr int kPauseBand = 0;
constexpr int kResumeBand = 1;
constexpr int kReseedBand = 2;

}  // namespace

void MusicRoom::PlayTrack(const char* name) { music::LoadTrack(g_FileClass.Music(), name); }

void MusicRoom::LoadNotes() {
    for (int i = 0; i < kTracks; ++i) {
        notes_[i] = TrackNote{kTrackFiles[i], kTrackFiles[i], {}};
    }
    CFilePackLoad music;
    music.Open(pack::kMusicPack);
    std::vector<std::uint8_t> bytes;
    if (!music.ReadEntry(kNotesEntry, bytes)) {
        return;  // the tracks are then listed by their file names
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    for (const TrackNote& note : ParseTrackNotes(text)) {
        for (int i = 0; i < kTracks; ++i) {
            if (note.file == kTrackFiles[i]) {
                notes_[i] = note;
            }
        }
    }
}

void MusicRoom::Init(gfx::Device* device, const title::Sounds& sounds) {
    device_ = device;
    sounds_ = &sounds;
    LoadNotes();
    for (int i = 0; i < kTracks; ++i) {
        trackTexts_[i].Create(device, 256, 32);
        trackItems_[i].Create(device, trackTexts_[i].GetTexture(), kListX, kListY + kListPitch * i, 256.0f, 32.0f);
        trackItems_[i].SetHitBox(256.0f, 22.0f, 0.0f, 0.0f);
    }
    commentText_.Create(device, 512, 256);
    comment_.Create(device, commentText_.GetTexture(), kCommentLeft + 256.0f, kCommentTop + 128.0f, 512.0f, 256.0f);
    Relabel();

    board_.Init(device, g_FileClass.FindTexture("ef_circle.png"), g_FileClass.FindTexture("lifecell.png"),
                g_FileClass.FindTexture("lifewall.png"));
    title::MakeTitleButton(pauseButton_, device, kEditButtons, 88.0f, 258.0f);
    title::MakeTitleButton(reseedButton_, device, kEditButtons, 216.0f, 258.0f);
    title::MakeTitleButton(returnButton_, device, kReturnButton, 80.0f, 446.0f);
}

void MusicRoom::ReloadImages() {
    title::Refetch(pauseButton_, kEditButtons);
    title::Refetch(reseedButton_, kEditButtons);
    title::Refetch(returnButton_, kReturnButton);
}

void MusicRoom::Enter() { board_.Open(); }

void MusicRoom::Relabel() {
    for (int i = 0; i < kTracks; ++i) {
        TextTexture& text = trackTexts_[i];
        text.Clear();
        text.SetFont(kFont, 14);
        text.SetGreyGlyphs(true);
        text.SetColour(kWhite);
        text.Print(4, 8, "%d. %s", i + 1, Tr(notes_[i].title).c_str());
        text.ReleaseFont();
    }
    WriteComment();
}

void MusicRoom::WriteComment() {
    const bool chosen = selected_ >= 0;
    commentText_.Clear();
    commentText_.SetFont(kFont, 17);
    commentText_.SetGreyGlyphs(true);
    commentText_.SetColour(kWhite);
    // Fits: MSゴシック 17, 480x1
    commentText_.Print(0, 0, "♪%s", chosen ? Tr(notes_[selected_].title).c_str() : Tr("無し"));
    commentText_.SetFont(kFont, 15);
    if (chosen) {
        commentText_.Print(0, 32, "%s", Tr(notes_[selected_].comment).c_str());
    }
    commentText_.ReleaseFont();
}

void MusicRoom::ChooseTrack(int track) {
    selected_ = track;
    board_.ChooseTrack(track);
    WriteComment();
    PlayTrack(kTrackFiles[track]);
}

void MusicRoom::DrawTrackList(const SceneContext& input, bool active) {
    int clicked = -1;
    for (int i = 0; i < kTracks; ++i) {
        MouseChangeObject2D& item = trackItems_[i];
        const bool hovered = active && item.HitTest(input, 0);
        const int shade = hovered ? kHoveredShade : kOtherShade;
        item.red = item.green = item.blue = shade;
        // Dense kanji need every texel: point filtering, as the menu captions have.
        DrawCrisp(item);
        if (hovered && input.leftPressed) {
            clicked = i;
        }
    }
    if (clicked >= 0) {
        title::Sounds::Play(sounds_->select);
        ChooseTrack(clicked);
    }
}

int MusicRoom::Frame(const SceneContext& input, bool active) {
    const SceneContext boardInput = active ? input : title::Inactive(input);
    board_.Frame(boardInput);
    DrawTrackList(input, active);
    DrawCrisp(comment_);

    if (title::LitButtonClicked(pauseButton_, board_.paused ? kResumeBand : kPauseBand, kEditBands, input, active)) {
        board_.paused = !board_.paused;
        title::Sounds::Play(sounds_->select);
    }
    if (title::LitButtonClicked(reseedButton_, kReseedBand, kEditBands, input, active)) {
        board_.Reseed();
        title::Sounds::Play(sounds_->select);
    }
    if (title::BackClicked(returnButton_, input, active)) {
        return title::kMenu;
    }
    return title::kStay;
}

void MusicRoom::Leave() {
    selected_ = -1;
    board_.paused = false;
    WriteComment();
    PlayTrack("bgm_title.wav");
}
