#pragma once

namespace audio {

// The music thread: waits for the music event and refills the stream each time. It runs from
// start-up until StopMusicThread, which the shell calls at exit; stopping twice is harmless.
void StartMusicThread();
void StopMusicThread();
bool MusicThreadRunning();

}  // namespace audio
