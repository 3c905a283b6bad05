#include "audio/DirectSound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "audio/Mixer.h"
#include "audio/WaveBuilder.h"
#include "resource/FileClass.h"
#include "resource/PackTestFiles.h"
#include "support/Environment.h"
#include "support/TempDir.h"

namespace {

// Pulls the shared mixer by hand; only the left channel is kept.
std::vector<std::int16_t> PullLeft(std::size_t frames) {
    std::vector<std::int16_t> out(frames * 2);
    audio::SharedMixer().Mix(out.data(), frames);
    std::vector<std::int16_t> left(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        left[i] = out[2 * i];
    }
    return left;
}

// Battles run earlier in the same process may have left their music streaming and effects
// playing in the shared mixer: the music is stopped and the rest played out, so that a test hears
// only its own sounds.
void QuietMixer() {
    g_FileClass.Music().Stop();
    constexpr std::size_t kChunk = 4096;
    std::vector<std::int16_t> out(kChunk * 2);
    for (int chunk = 0; chunk < 200; ++chunk) {
        audio::SharedMixer().Mix(out.data(), kChunk);
        if (std::all_of(out.begin(), out.end(), [](std::int16_t sample) { return sample == 0; })) {
            return;
        }
    }
}

std::vector<std::int16_t> Slice(const std::vector<std::int16_t>& samples, std::size_t from, std::size_t count) {
    return {samples.begin() + static_cast<std::ptrdiff_t>(from),
            samples.begin() + static_cast<std::ptrdiff_t>(from + count)};
}

TEST(DirectSound, StartingAnEffectAgainRestartsItInsteadOfOverlapping) {
    QuietMixer();
    ScopedTempDir dir;
    const std::vector<std::int16_t> samples = Sawtooth(1000);
    WriteBytes("se.dat", MakeWave(WaveSpec{}, Pcm16(samples)));
    DirectSound effect;
    ASSERT_EQ(effect.Load("se.dat", 0), S_OK);
    effect.PlayFromStart();
    EXPECT_EQ(PullLeft(300), Slice(samples, 0, 300));
    effect.PlayFromStart();
    EXPECT_EQ(PullLeft(300), Slice(samples, 0, 300));
    EXPECT_FALSE(effect.Looping());
    EXPECT_EQ(PullLeft(700), Slice(samples, 300, 700));
    EXPECT_FALSE(effect.Buffer()->Playing());

    // Play carries on from where Stop left it.
    effect.PlayLoopFromStart();
    PullLeft(100);
    effect.Stop();
    EXPECT_EQ(PullLeft(10), std::vector<std::int16_t>(10, 0));
    effect.Play();
    EXPECT_EQ(PullLeft(900), Slice(samples, 100, 900));
    EXPECT_TRUE(effect.Buffer()->Playing());  // looping: it goes round again
    effect.Stop();
}

TEST(DirectSound, VolumeInPercentMapsToHundredthsOfADecibel) {
    QuietMixer();
    EXPECT_EQ(PercentToVolume(100), 0);
    EXPECT_EQ(PercentToVolume(150), 0);
    EXPECT_EQ(PercentToVolume(50), -1500);
    EXPECT_EQ(PercentToVolume(1), -2970);
    EXPECT_EQ(PercentToVolume(0), -10000);
    EXPECT_EQ(PercentToVolume(-5), -10000);

    ScopedTempDir dir;
    WriteBytes("se.dat", MakeWave(WaveSpec{}, Pcm16(std::vector<std::int16_t>(100, 12000))));
    DirectSound effect;
    effect.SetVolumePercent(50);  // before loading: kept and applied to the new buffer
    ASSERT_EQ(effect.Load("se.dat", 0), S_OK);
    EXPECT_EQ(effect.Buffer()->Volume(), -1500);
    effect.SetVolumePercent(0);
    EXPECT_EQ(effect.Volume(), -10000);
    effect.PlayLoopFromStart();
    EXPECT_EQ(PullLeft(10), std::vector<std::int16_t>(10, 0));
    effect.SetVolume(300);
    EXPECT_EQ(effect.Volume(), 0);
    EXPECT_EQ(PullLeft(1)[0], 12000);
    effect.Stop();
}

TEST(DirectSound, LoadsWavesOfEitherFormatChunkSizeAtAnOffsetInsideAFile) {
    QuietMixer();
    ScopedTempDir dir;
    const std::vector<std::int16_t> samples = Sawtooth(64);
    std::vector<std::uint8_t> file(37, 0xEE);  // whatever precedes the entry in the pack
    const std::size_t shortAt = file.size();
    const std::vector<std::uint8_t> shortFormat = MakeWave(WaveSpec{}, Pcm16(samples));
    file.insert(file.end(), shortFormat.begin(), shortFormat.end());
    const std::size_t longAt = file.size();
    WaveSpec longSpec;
    longSpec.formatChunkSize = 18;
    const std::vector<std::uint8_t> longFormat = MakeWave(longSpec, Pcm16(samples));
    file.insert(file.end(), longFormat.begin(), longFormat.end());
    WriteBytes("se.dat", file);

    for (const std::size_t offset : {shortAt, longAt}) {
        DirectSound effect;
        testing::internal::CaptureStderr();
        ASSERT_EQ(effect.Load("se.dat", static_cast<std::uint32_t>(offset)), S_OK);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(effect.Buffer()->Size(), samples.size() * 2);
        effect.PlayFromStart();
        EXPECT_EQ(PullLeft(64), samples);
    }
}

struct BadWave {
    const char* what;
    std::vector<std::uint8_t> bytes;
    const char* message;
};

std::vector<BadWave> BadWaves() {
    const std::vector<std::uint8_t> pcm = Pcm16(Sawtooth(32));
    std::vector<BadWave> cases;
    cases.push_back({"too short for a chunk", {'R', 'I', 'F'},
                     "[] 最初のチャンク（最上部チャンク)に進入できません\nファイル名が間違っているかも？"});
    std::vector<std::uint8_t> avi = MakeWave(WaveSpec{}, pcm);
    std::copy_n("AVI ", 4, avi.begin() + 8);
    cases.push_back({"not a WAVE form", avi, "[ lol ] これはWAVファイルではありません"});
    std::vector<std::uint8_t> noFormat = MakeWave(WaveSpec{}, pcm);
    std::copy_n("junk", 4, noFormat.begin() + 12);
    cases.push_back({"no fmt chunk", noFormat, "[] fmt チャンクが見つかりません"});
    WaveSpec floats;
    floats.formatTag = 3;
    cases.push_back({"not PCM", MakeWave(floats, pcm), "[] 標準のリニアPCMフォーマットではありません"});
    std::vector<std::uint8_t> noData = MakeWave(WaveSpec{}, pcm);
    std::copy_n("junk", 4, noData.begin() + 36);
    cases.push_back({"no data chunk", noData, "[] dataチャンクが見つかりません"});
    // DirectSound makes no buffer of fewer than four bytes, and there is nothing to play anyway.
    cases.push_back({"empty data", MakeWave(WaveSpec{}, {}), "[] セカンダリバッファー作成失敗"});
    WaveSpec surround;
    surround.channels = 6;
    cases.push_back({"unplayable layout", MakeWave(surround, pcm), "[] セカンダリバッファー作成失敗"});
    const std::vector<std::uint8_t> whole = MakeWave(WaveSpec{}, pcm);
    cases.push_back({"cut before the format", {whole.begin(), whole.begin() + 20},
                     "[] WAVフォーマットの読み込み失敗\n[] 標準のリニアPCMフォーマットではありません"});
    // The tag is there, but the chunk cannot be left: refused without a second message.
    cases.push_back({"cut inside the format", {whole.begin(), whole.begin() + 24}, "[] WAVフォーマットの読み込み失敗"});
    return cases;
}

TEST(DirectSound, DamagedWavesAreReportedAndThatEffectPlaysNothing) {
    QuietMixer();
    ScopedTempDir dir;
    for (const BadWave& bad : BadWaves()) {
        WriteBytes("bad.dat", bad.bytes);
        DirectSound effect;
        testing::internal::CaptureStderr();
        EXPECT_EQ(effect.Load("bad.dat", 0), E_FAIL) << bad.what;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), std::string(bad.message) + "\n") << bad.what;
        EXPECT_FALSE(effect.HasBuffer()) << bad.what;
        effect.SetVolumePercent(80);
        effect.PlayFromStart();
        effect.PlayLoopFromStart();
        effect.Play();
        effect.Stop();
    }
    DirectSound missing;
    testing::internal::CaptureStderr();
    EXPECT_EQ(missing.Load("no_such.dat", 0), E_FAIL);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("最初のチャンク"), std::string::npos);
}

// A file cut off in the middle of its samples (a data chunk claiming more bytes than the file
// holds) plays what is there, silently, instead of being refused as having no data.
TEST(DirectSound, AnEffectCutShortPlaysWhatIsThere) {
    QuietMixer();
    ScopedTempDir dir;
    const std::vector<std::int16_t> samples = Sawtooth(200);
    for (const std::uint32_t excess : {2u, 1000u, 0x7FFFFFF0u}) {
        WaveSpec lying;
        lying.dataSizeExcess = excess;
        WriteBytes("se.dat", MakeWave(lying, Pcm16(samples)));
        DirectSound effect;
        testing::internal::CaptureStderr();
        const HRESULT loaded = effect.Load("se.dat", 0);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << excess;
        ASSERT_EQ(loaded, S_OK) << excess;
        EXPECT_EQ(effect.Buffer()->Size(), samples.size() * 2) << excess;
        effect.PlayFromStart();
        EXPECT_EQ(PullLeft(samples.size()), samples) << excess;
        EXPECT_FALSE(effect.Buffer()->Playing()) << excess;
    }
}

TEST(DirectSound, EveryObjectCountsAsAUserWhileItLives) {
    const int before = DirectSoundUserCount();
    auto effect = std::make_unique<DirectSound>();
    EXPECT_EQ(DirectSoundUserCount(), before + 1);
    effect.reset();
    EXPECT_EQ(DirectSoundUserCount(), before);
}

TEST(InitDirectSound, WithoutASoundDeviceTheGameGoesOnSilently) {
    // A battle run earlier in this process may have started the sound; start from nothing.
    ShutdownDirectSound();
    ScopedTempDir dir;
    {
        const ScopedEnvironment driver("SDL_AUDIODRIVER", "no_such_driver");
        testing::internal::CaptureStderr();
        EXPECT_EQ(InitDirectSound(SoundOutput::Device), 1);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "[エラー] サウンドカードが無い？？\n");
        EXPECT_EQ(ReadWholeFile("log.txt"), "エラー！　サウンドカードが無い？？\n");
    }

    EXPECT_EQ(InitDirectSound(SoundOutput::Null), 0);
    EXPECT_EQ(InitDirectSound(SoundOutput::Null), 1);  // once per run
    EXPECT_EQ(ReadWholeFile("log.txt"), "エラー！　サウンドカードが無い？？\nDirectSound初期化成功\n");
    ShutdownDirectSound();
}

}  // namespace
