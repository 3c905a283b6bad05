#include "audio/MusicThread.h"

#include <atomic>
#include <thread>

#include "audio/StreamingTrack.h"

namespace audio {

namespace {

std::thread g_thread;
std::atomic<bool> g_stopRequested{false};

void MusicThreadProc() {
    for (;;) {
        MusicEvent().Wait();
        if (g_stopRequested) {
            return;
        }
        MusicTrack().Refill();
    }
}

}  // namespace

void StartMusicThread() {
    if (g_thread.joinable()) {
        return;
    }
    g_stopRequested = false;
    g_thread = std::thread(&MusicThreadProc);
}

// The stop request rides on the music event, the one thing the thread waits for.
void StopMusicThread() {
    if (!g_thread.joinable()) {
        return;
    }
    g_stopRequested = true;
    MusicEvent().Set();
    g_thread.join();
}

bool MusicThreadRunning() { return g_thread.joinable(); }

}  // namespace audio
