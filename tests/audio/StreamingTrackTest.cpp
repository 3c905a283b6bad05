#include "audio/StreamingTrack.h"

#include <gtest/gtest.h>

#ifdef __linux__
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

#include <atomic>
#include <chrono>
#include <fstream>
#include <future>
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

// A track cut off in its samples plays what is there, looping; an empty one plays silence. The
// data chunk exists in both, so neither is reported as missing.
TEST_F(StreamFixture, TracksCutShortPlayWhatIsThereAndEmptyOnesPlaySilence) {
    const std::vector<std::int16_t> samples = Sawtooth(30000);
    WaveSpec lying = TrackSpec();
    lying.dataSizeExcess = 50000;
    std::vector<std::uint8_t> cut = MakeWave(lying, Pcm16(samples));
    cut.push_back(0x11);  // half a sample: only whole frames are played
    WriteBytes("cut.dat", cut);
    testing::internal::CaptureStderr();
    HRESULT loaded = track.Load("cut.dat", 0, 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    ASSERT_EQ(loaded, S_OK);
    track.PlayLooping();
    EXPECT_EQ(FirstMismatch(PlayStream(mixer, event, track, 9 * kRate), samples), -1);

    WriteBytes("empty.dat", MakeWave(TrackSpec(), {}));
    testing::internal::CaptureStderr();
    loaded = track.Load("empty.dat", 0, 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    ASSERT_EQ(loaded, S_OK);
    track.PlayLooping();
    EXPECT_EQ(PlayStream(mixer, event, track, 6 * kRate), std::vector<std::int16_t>(6 * kRate, 0));
    EXPECT_TRUE(track.Playing());
}

#ifdef __linux__  // a pipe that blocks its reader, and the kernel telling that a thread sleeps
// True once the thread sleeps in the kernel (here: opening a pipe nobody writes to).
bool ThreadSleeps(long tid) {
    std::ifstream stat("/proc/self/task/" + std::to_string(tid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const std::size_t state = text.rfind(')');
    return state != std::string::npos && state + 2 < text.size() && text[state + 2] == 'S';
}

// A slow disk must not stall a frame: while the music thread waits for the pack file, the main
// thread's per-frame calls on the track go through. The pack is swapped for a pipe that no one
// writes to, so opening it blocks until the test lets it go.
TEST_F(StreamFixture, ARefillWaitingForTheDiskDoesNotHoldUpTheMainThread) {
    WriteTrackFile("bgm.dat", Sawtooth(60000));
    ASSERT_EQ(track.Load("bgm.dat", kEntryOffset, 0), S_OK);
    track.PlayLooping();
    std::vector<std::int16_t> out(2 * kRate);
    mixer.Mix(out.data(), kRate);  // the cursor leaves the first segment: its refill is due
    ASSERT_EQ(std::remove("bgm.dat"), 0);
    ASSERT_EQ(mkfifo("bgm.dat", 0600), 0);

    std::atomic<long> refillThread{0};
    std::atomic<bool> refilled{false};
    std::thread refiller([&] {
        refillThread = static_cast<long>(syscall(SYS_gettid));
        track.Refill();
        refilled = true;
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while ((refillThread == 0 || !ThreadSleeps(refillThread)) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    auto frame = std::async(std::launch::async, [&] {
        track.SetVolume(-500);
        return track.Playing();
    });
    const bool answered = frame.wait_for(std::chrono::seconds(3)) == std::future_status::ready;
    // Let the refill go: a writer that comes and goes gives it an empty pipe, read as silence.
    while (!refilled) {
        const int writer = open("bgm.dat", O_WRONLY | O_NONBLOCK);
        if (writer >= 0) {
            close(writer);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    refiller.join();
    EXPECT_TRUE(answered) << "the frame waited for the music thread's disk read";
    EXPECT_TRUE(frame.get());
    EXPECT_EQ(track.Volume(), -500);
}
#endif

TEST_F(StreamFixture, BadTracksAreReportedAndLeaveNothingToPlay) {
    WaveSpec floats = TrackSpec();
    floats.formatTag = 3;
    WriteBytes("float.dat", MakeWave(floats, Pcm16(Sawtooth(100))));
    const struct {
        const char* path;
        std::uint32_t offset;
        const char* message;
    } cases[] = {
        {"absent.dat", 0, "[] ファイルがありません\n"},
        {"float.dat", 0, "[] 標準のリニアPCMフォーマットではありません\n"},
        {"float.dat", 5000, "[] 最初のチャンク（最上部チャンク)に進入できません\n"},
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
