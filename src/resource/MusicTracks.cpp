#include "resource/MusicTracks.h"

#include "audio/DirectSoundStream.h"
#include "resource/FilePackLoad.h"
#include "resource/PackNames.h"

namespace music {

namespace {
constexpr int kFadeOut = 0;
}  // namespace

bool FindTrack(const char* name, std::uint32_t& offset) {
    CFilePackLoad tracks;
    if (!tracks.Open(pack::kMusicPack)) {
        return false;
    }
    if (tracks.Entries().find(name) == tracks.Entries().end()) {
        return false;
    }
    tracks.FindOffset(name, offset);
    return true;
}

void LoadTrack(DirectSoundStream& player, const char* name) {
    std::uint32_t offset = 0;
    if (FindTrack(name, offset)) {
        player.Load(pack::kMusicPack, offset);
    }
}

void QueueTrack(DirectSoundStream& player, const char* name, int frames, int delay) {
    std::uint32_t offset = 0;
    if (FindTrack(name, offset)) {
        player.QueueTrack(pack::kMusicPack, offset, kFadeOut, frames, delay);
    }
}

}  // namespace music
