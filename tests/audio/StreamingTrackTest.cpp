#include "audio/StreamingTrack.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "audio/WaveBuilder.h"
#include "resource/PackTestFiles.h"
#include "support/TempDir.h"

namespace {

constexpr std::uint32_t kRate = 8000;  // one segment = 8000 frames = 16000 bytes of mono 16-bit
constexpr std::uint32_t kEntryOffset = 100;

WaveSpec TrackSpec() {
    WaveSpec spec;
    spec.samplesPerSec = kRate;
    return spec;
}

// Writes the track as a pack entry would sit: some bytes in front, some behind.
void WriteTrackFile(const std::string& path, const std::vector<std::int16_t>& samples) {
    std::vector<std::uint8_t> file(kEntryOffset, 0x5A);
    const std::vector<std::uint8_t> wave = MakeWave(TrackSpec(), Pcm16(samples));
    file.insert(file.end(), wave.begin(), wave.end());
    file.insert(file.end(), 64, 0x7F);
    WriteBytes(path, file);
}

// Plays the stream by hand the way the output and the music thread do: mix a block, then refill
// whenever the event was signalled. Returns the left channel.
std::vector<std::int16_t> PlayStream(audio::Mixer& mixer, platform::Event& event, audio::StreamingTrack& track,
                                     std::size_t frames) {
    constexpr std::size_t kBlock = 500;
    std::vector<std::int16_t> left;
    std::vector<std::int16_t> out(kBlock * 2);
    for (std::size_t done = 0; done < frames; done += kBlock) {
        mixer.Mix(out.data(), kBlock);
        for (std::size_t i = 0; i < kBlock; ++i) {
            left.push_back(out[2 * i]);
        }
        while (event.WaitFor(0)) {
            track.Refill();
        }
    }
    return left;
}

// The index of the first sample that is not the track looped from its start, or -1.
long FirstMismatch(const std::vector<std::int16_t>& played, const std::vector<std::int16_t>& track) {
    for (std::size_t i = 0; i < played.size(); ++i) {
        if (played[i] != track[i % track.size()]) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

struct StreamFixture : testing::Test {
    ScopedTempDir dir;
    audio::Mixer mixer{kRate};
    platform::Event event;
    audio::StreamingTrack track{mixer, event};
};

TEST_F(StreamFixture, RefillsSegmentsInOrderAndWrapsSeamlesslyToTheTrackStart) {
    const std::vector<std::int16_t> samples = Sawtooth(44000);  // 5.5 s: the end falls inside a segment
    WriteTrackFile("bgm.dat", samples);
    ASSERT_EQ(track.Load("bgm.dat", kEntryOffset, 0), S_OK);
    EXPECT_EQ(track.SegmentSize(), kRate * 2);
    EXPECT_FALSE(track.Playing());  // loading does not start it
    event.Set();  // a notification left over from an earlier track must not disturb this one
    track.PlayLooping();
    const std::vector<std::int16_t> played = PlayStream(mixer, event, track, 13 * kRate);
    EXPECT_EQ(FirstMismatch(played, samples), -1);
}

TEST_F(StreamFixture, TracksShorterThanTheBufferLoopToo) {
    for (const std::size_t length : {10400u, 3000u, 7u}) {
        const std::vector<std::int16_t> samples = Sawtooth(length);
        WriteTrackFile("bgm.dat", samples);
        ASSERT_EQ(track.Load("bgm.dat", kEntryOffset, 0), S_OK) << length;
        track.PlayLooping();
        const std::vector<std::int16_t> played = PlayStream(mixer, event, track, 10 * kRate);
        EXPECT_EQ(FirstMismatch(played, samples), -1) << length;
    }
}

TEST_F(StreamFixture, LoadingAnotherTrackStartsItFromItsBeginning) {
    const std::vector<std::int16_t> first = Sawtooth(50000);
    std::vector<std::int16_t> second = Sawtooth(60000);
    std::reverse(second.begin(), second.end());
    WriteTrackFile("one.dat", first);
    WriteTrackFile("two.dat", second);
    ASSERT_EQ(track.Load("one.dat", kEntryOffset, 0), S_OK);
    track.PlayLooping();
    PlayStream(mixer, event, track, 6 * kRate);
    ASSERT_EQ(track.Load("two.dat", kEntryOffset, 0), S_OK);
    track.PlayLooping();
    EXPECT_EQ(FirstMismatch(PlayStream(mixer, event, track, 9 * kRate), second), -1);
}

TEST_F(StreamFixture, LoadsAndRefillsMayRunOnDifferentThreads) {
    const std::vector<std::int16_t> samples = Sawtooth(20000);
    WriteTrackFile("bgm.dat", samples);
    std::atomic<bool> done{false};
    std::thread refiller([&] {
        while (!done) {
            track.Refill();
            std::this_thread::yield();
        }
    });
    std::vector<std::int16_t> out(1000);
    for (int i = 0; i < 30; ++i) {
        ASSERT_EQ(track.Load("bgm.dat", kEntryOffset, 0), S_OK);
        track.PlayLooping();
        mixer.Mix(out.data(), 500);
    }
    done = true;
    refiller.join();
    // Whatever the refills did meanwhile, the last load plays from the track's start.
    ASSERT_EQ(track.Load("bgm.dat", kEntryOffset, 0), S_OK);
    track.PlayLooping();
    EXPECT_EQ(FirstMismatch(PlayStream(mixer, event, track, 3 * kRate), samples), -1);
}

TEST_F(StreamFixture, BadTracksAreReportedAndLeaveNothingToPlay) {
    WaveSpec floats = TrackSpec();
    floats.formatTag = 3;
    WriteBytes("float.dat", MakeWave(floats, Pcm16(Sawtooth(100))));
    WriteBytes("empty.dat", MakeWave(TrackSpec(), {}));
    const struct {
        const char* path;
        std::uint32_t offset;
        const char* message;
    } cases[] = {
        {"absent.dat", 0, "[] ファイルがありません\n"},
        {"float.dat", 0, "[] 標準のリニアPCMフォーマットではありません\n"},
        {"float.dat", 5000, "[] 最初のチャンク（最上部チャンク)に進入できません\n"},
        {"empty.dat", 0, "[] dataチャンクが見つかりません\n"},
    };
    for (const auto& bad : cases) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(track.Load(bad.path, bad.offset, 0), E_FAIL) << bad.path;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), bad.message) << bad.path;
        EXPECT_FALSE(track.HasBuffer()) << bad.path;
        track.PlayLooping();
        track.Refill();
        EXPECT_FALSE(track.Playing());
    }
}

}  // namespace
