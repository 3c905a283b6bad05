#include "audio/DirectSoundStream.h"

#include <gtest/gtest.h>

#include <thread>

#include "audio/StreamingTrack.h"
#include "audio/WaveBuilder.h"
#include "resource/PackTestFiles.h"
#include "support/TempDir.h"

namespace {

// Two tracks in one music file, the way the music pack holds them.
struct MusicFixture : testing::Test {
    ScopedTempDir dir;
    DirectSoundStream music;
    std::uint32_t secondOffset = 0;

    void SetUp() override {
        WaveSpec spec;
        spec.samplesPerSec = 8000;
        std::vector<std::uint8_t> file = MakeWave(spec, Pcm16(Sawtooth(12000)));
        secondOffset = static_cast<std::uint32_t>(file.size());
        const std::vector<std::uint8_t> second = MakeWave(spec, Pcm16(Sawtooth(9000)));
        file.insert(file.end(), second.begin(), second.end());
        WriteBytes("bgm.dat", file);
        ASSERT_EQ(music.Load("bgm.dat", 0), S_OK);
    }

    static std::int32_t Applied() { return audio::MusicTrack().Volume(); }
};

TEST_F(MusicFixture, UpdateStartsTheLoadedTrackAndStopHoldsIt) {
    EXPECT_FALSE(audio::MusicTrack().Playing());
    music.Update();
    EXPECT_TRUE(audio::MusicTrack().Playing());
    music.Stop();
    music.Update();
    EXPECT_FALSE(audio::MusicTrack().Playing());
    music.Resume();
    EXPECT_TRUE(audio::MusicTrack().Playing());
}

TEST_F(MusicFixture, QueuedTrackWaitsNearTheFloorThenSwitchesAndClimbs) {
    music.SetVolumePercent(100);
    music.Update();
    music.QueueTrack("bgm.dat", secondOffset, 0, 120, 20);
    for (int frame = 1; frame <= 120; ++frame) {
        music.Update();
        ASSERT_EQ(Applied(), -25 * frame) << frame;
    }
    // Twenty frames below the floor, still the old track.
    for (int frame = 121; frame <= 140; ++frame) {
        music.Update();
        ASSERT_LT(Applied(), -3000) << frame;
        ASSERT_GT(Applied(), -3600) << frame;
        ASSERT_EQ(audio::MusicTrack().TrackOffset(), 0u) << frame;
    }
    music.Update();
    EXPECT_EQ(audio::MusicTrack().TrackOffset(), secondOffset);
    EXPECT_EQ(Applied(), -3000);
    for (int frame = 1; frame <= 60; ++frame) {
        music.Update();
        ASSERT_EQ(Applied(), -3000 + 50 * frame) << frame;
        ASSERT_TRUE(audio::MusicTrack().Playing());
    }
    EXPECT_FALSE(music.Fading());
    music.Update();
    EXPECT_EQ(Applied(), 0);
}

TEST_F(MusicFixture, FadeOutWithNothingQueuedEndsNearTheFloorAndKeepsPlaying) {
    music.SetVolumePercent(100);
    music.StartFade(0, 120, 0);
    for (int frame = 0; frame < 200; ++frame) {
        music.Update();
    }
    EXPECT_FALSE(music.Fading());
    EXPECT_NEAR(Applied(), -3000, 30);
    EXPECT_TRUE(audio::MusicTrack().Playing());
    EXPECT_EQ(audio::MusicTrack().TrackOffset(), 0u);
}

TEST_F(MusicFixture, FadesNeverRiseAboveThePlayersVolume) {
    music.SetVolumePercent(0);
    EXPECT_EQ(Applied(), -10000);
    music.StartFade(1, 120, 0);
    for (int frame = 0; frame < 150; ++frame) {
        music.Update();
        ASSERT_EQ(Applied(), -10000) << frame;
    }
    // A muted track still changes when one is queued, and stays muted.
    music.QueueTrack("bgm.dat", secondOffset, 0, 120, 0);
    for (int frame = 0; frame < 200; ++frame) {
        music.Update();
        ASSERT_EQ(Applied(), -10000) << frame;
    }
    EXPECT_EQ(audio::MusicTrack().TrackOffset(), secondOffset);
    EXPECT_FALSE(music.Fading());
}

TEST_F(MusicFixture, FadeInClimbsBackToTheBaseAfterItsDelay) {
    music.SetVolumePercent(50);  // -1500
    music.StartFade(1, 100, 3);  // 30 a frame
    EXPECT_EQ(Applied(), -3000);
    for (int frame = 0; frame < 3; ++frame) {
        music.Update();
        ASSERT_EQ(Applied(), -3000);
    }
    music.Update();
    EXPECT_EQ(Applied(), -2970);
    for (int frame = 0; frame < 60; ++frame) {
        music.Update();
    }
    EXPECT_EQ(Applied(), -1500);
    EXPECT_FALSE(music.Fading());
}

}  // namespace

// A battle loads its first track on the loader thread while the main thread may still be running
// the player's fades: every operation keeps the player's state whole (run under ThreadSanitizer).
TEST_F(MusicFixture, LoadsOnOneThreadWhileAnotherUpdatesAndQueues) {
    music.SetVolumePercent(90);
    std::thread loader([this] {
        for (int i = 0; i < 20; ++i) {
            ASSERT_EQ(music.Load("bgm.dat", (i % 2 == 0) ? secondOffset : 0), S_OK);
        }
    });
    for (int frame = 0; frame < 200; ++frame) {
        music.Update();
        if (frame % 50 == 0) {
            music.QueueTrack("bgm.dat", secondOffset, 0, 10, 2);
        }
        if (frame % 70 == 0) {
            music.Stop();
            music.Resume();
        }
    }
    loader.join();
    // Whatever the interleaving, the volume never left the player's range.
    EXPECT_LE(music.CurrentVolume(), music.BaseVolume());
    EXPECT_GE(music.CurrentVolume(), -10000.0);
}
