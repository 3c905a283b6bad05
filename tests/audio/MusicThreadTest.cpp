#include "audio/MusicThread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "audio/DirectSoundStream.h"
#include "audio/Mixer.h"
#include "audio/StreamingTrack.h"
#include "audio/WaveBuilder.h"
#include "resource/PackTestFiles.h"
#include "support/TempDir.h"

namespace {

// Waits (without measuring anything) until the condition holds or a generous limit passes.
template <typename Condition>
bool Eventually(Condition condition) {
    for (int i = 0; i < 5000 && !condition(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return condition();
}

TEST(MusicThread, RefillsWhenTheStreamSignalsAndStopsOnRequest) {
    ScopedTempDir dir;
    WaveSpec spec;
    spec.samplesPerSec = 8000;
    WriteBytes("bgm.dat", MakeWave(spec, Pcm16(Sawtooth(48000))));
    {
        DirectSoundStream music;
        ASSERT_EQ(music.Load("bgm.dat", 0), S_OK);
        audio::StartMusicThread();
        audio::StartMusicThread();  // a second start changes nothing
        EXPECT_TRUE(audio::MusicThreadRunning());
        music.Update();
        // The shared mixer runs at 44100: 1.1 s of output passes the end of the first segment.
        std::vector<std::int16_t> out(48510 * 2);
        audio::SharedMixer().Mix(out.data(), 48510);
        const std::uint32_t segment = audio::MusicTrack().SegmentSize();
        EXPECT_TRUE(Eventually([&] { return audio::MusicTrack().WritePosition() == segment; }));
        music.Stop();
    }
    audio::StopMusicThread();
    EXPECT_FALSE(audio::MusicThreadRunning());
    audio::StopMusicThread();  // stopping twice is harmless
}

}  // namespace
