#pragma once
#include <memory>

#include "effect/MusicRoomBoard.h"
#include "object/MouseChangeObject2D.h"
#include "object/TextTexture.h"
#include "scene/title/TitleKit.h"
#include "scene/title/TrackNotes.h"

// The music room: five tracks with their comments, and the life-game board that plays along.
class MusicRoom {
public:
    static constexpr int kTracks = 5;

    void Init(gfx::Device* device, const title::Sounds& sounds);
    // Entering finds the board already at play.
    void Enter();
    // Renders the list and the comment again, in the language now in use.
    void Relabel();
    // Fetches the pictures with words again, in the language now in use.
    void ReloadImages();
    int Frame(const SceneContext& input, bool active);
    // Leaving puts the title music back on.
    void Leave();

    int SelectedTrack() const { return selected_; }
    const MusicRoomBoard& Board() const { return board_; }

    static void PlayTrack(const char* name);

private:
    void LoadNotes();
    void ChooseTrack(int track);
    void WriteComment();
    void DrawTrackList(const SceneContext& input, bool active);

    gfx::Device* device_ = nullptr;
    const title::Sounds* sounds_ = nullptr;
    int selected_ = -1;
    TrackNote notes_[kTracks];
    TextTexture trackTexts_[kTracks];
    MouseChangeObject2D trackItems_[kTracks];
    TextTexture commentText_;
    Object2D comment_;
    MusicRoomBoard board_;
    MouseChangeObject2D pauseButton_;
    MouseChangeObject2D reseedButton_;
    MouseChangeObject2D returnButton_;
};
