#include "audio/Mixer.h"

#include <gtest/gtest.h>

#include <cmath>

#include "audio/SoundBuffer.h"
#include "audio/WaveBuilder.h"

namespace {

audio::WaveFormat Pcm(std::uint16_t channels, std::uint16_t bits, std::uint32_t rate) {
    audio::WaveFormat format;
    format.formatTag = audio::kWaveFormatPcm;
    format.channels = channels;
    format.bitsPerSample = bits;
    format.samplesPerSec = rate;
    format.blockAlign = static_cast<std::uint16_t>(channels * bits / 8);
    format.avgBytesPerSec = rate * format.blockAlign;
    return format;
}

std::unique_ptr<audio::SoundBuffer> BufferOf(audio::Mixer& mixer, const std::vector<std::int16_t>& samples,
                                             std::uint32_t rate) {
    const std::vector<std::uint8_t> bytes = Pcm16(samples);
    auto buffer = mixer.CreateBuffer(Pcm(1, 16, rate), static_cast<std::uint32_t>(bytes.size()));
    EXPECT_NE(buffer, nullptr);
    if (buffer != nullptr) {
        EXPECT_TRUE(buffer->Write(0, bytes.data(), static_cast<std::uint32_t>(bytes.size())));
    }
    return buffer;
}

std::vector<std::int16_t> Pull(audio::Mixer& mixer, std::size_t frames) {
    std::vector<std::int16_t> out(frames * 2);
    mixer.Mix(out.data(), frames);
    return out;
}

TEST(Mixer, RefusesFormatsAndSizesItCannotPlay) {
    audio::Mixer mixer(8000);
    EXPECT_EQ(mixer.CreateBuffer(Pcm(3, 16, 8000), 600), nullptr);
    EXPECT_EQ(mixer.CreateBuffer(Pcm(1, 12, 8000), 600), nullptr);
    EXPECT_EQ(mixer.CreateBuffer(Pcm(1, 16, 0), 600), nullptr);
    audio::WaveFormat lyingBlock = Pcm(2, 16, 8000);
    lyingBlock.blockAlign = 1;
    EXPECT_EQ(mixer.CreateBuffer(lyingBlock, 600), nullptr);
    EXPECT_EQ(mixer.CreateBuffer(Pcm(1, 16, 8000), 2), nullptr);
    EXPECT_NE(mixer.CreateBuffer(Pcm(2, 8, 8000), 4), nullptr);
}

TEST(Mixer, PlaysSamplesExactlyAtTheOutputRateAndStopsAtTheEnd) {
    audio::Mixer mixer(8000);
    const std::vector<std::int16_t> samples = Sawtooth(300);
    auto buffer = BufferOf(mixer, samples, 8000);
    EXPECT_EQ(Pull(mixer, 10), std::vector<std::int16_t>(20, 0));  // nothing plays until asked
    buffer->Play(false);
    const std::vector<std::int16_t> out = Pull(mixer, 400);
    for (std::size_t i = 0; i < 300; ++i) {
        ASSERT_EQ(out[2 * i], samples[i]) << i;
        ASSERT_EQ(out[2 * i + 1], samples[i]) << i;  // mono goes to both sides
    }
    for (std::size_t i = 300; i < 400; ++i) {
        ASSERT_EQ(out[2 * i], 0) << i;
    }
    EXPECT_FALSE(buffer->Playing());
    EXPECT_EQ(buffer->CurrentPosition(), 0u);
}

TEST(Mixer, LoopingWrapsWithoutAGapAndSumsOverlappingBuffers) {
    audio::Mixer mixer(8000);
    const std::vector<std::int16_t> samples = Sawtooth(50);
    auto looped = BufferOf(mixer, samples, 8000);
    auto constant = BufferOf(mixer, std::vector<std::int16_t>(500, 1000), 8000);
    looped->Play(true);
    constant->Play(false);
    const std::vector<std::int16_t> out = Pull(mixer, 170);
    for (std::size_t i = 0; i < 170; ++i) {
        ASSERT_EQ(out[2 * i], std::clamp(samples[i % 50] + 1000, -32768, 32767)) << i;
    }
    EXPECT_TRUE(looped->Playing());
    EXPECT_EQ(looped->CurrentPosition(), (170 % 50) * 2u);
}

TEST(Mixer, VolumeIsHundredthsOfADecibelAndTheBottomIsSilence) {
    audio::Mixer mixer(8000);
    auto buffer = BufferOf(mixer, std::vector<std::int16_t>(100, 20000), 8000);
    buffer->Play(true);
    buffer->SetVolume(-600);  // -6 dB: about half the amplitude
    EXPECT_NEAR(Pull(mixer, 1)[0], 20000 * std::pow(10.0, -0.3), 1.0);
    buffer->SetVolume(-10000);
    EXPECT_EQ(Pull(mixer, 1)[0], 0);
    buffer->SetVolume(-20000);
    EXPECT_EQ(buffer->Volume(), -10000);
    buffer->SetVolume(500);
    EXPECT_EQ(buffer->Volume(), 0);
    EXPECT_EQ(Pull(mixer, 1)[0], 20000);
}

TEST(Mixer, ResamplesOtherRatesToTheOutputRate) {
    audio::Mixer mixer(44100);
    auto buffer = BufferOf(mixer, std::vector<std::int16_t>(8000, 5000), 8000);  // one second
    buffer->Play(false);
    const std::vector<std::int16_t> out = Pull(mixer, 44200);
    EXPECT_EQ(out[2 * 44000], 5000);
    EXPECT_EQ(out[2 * 44150], 0);
    EXPECT_FALSE(buffer->Playing());
}

TEST(Mixer, EightBitSamplesAreUnsignedAroundTheMiddle) {
    audio::Mixer mixer(8000);
    auto buffer = mixer.CreateBuffer(Pcm(2, 8, 8000), 4);
    const std::uint8_t bytes[4] = {128, 255, 0, 128};
    buffer->Write(0, bytes, 4);
    buffer->Play(false);
    const std::vector<std::int16_t> out = Pull(mixer, 2);
    EXPECT_EQ(out, (std::vector<std::int16_t>{0, 127 * 256, -128 * 256, 0}));
}

TEST(Mixer, NotificationsFireWhenTheCursorPassesTheirByte) {
    audio::Mixer mixer(8000);
    auto buffer = BufferOf(mixer, std::vector<std::int16_t>(100, 0), 8000);  // 200 bytes
    platform::Event first;
    platform::Event last;
    EXPECT_FALSE(buffer->SetNotifications({{200, &first}}));  // outside the buffer
    ASSERT_TRUE(buffer->SetNotifications({{99, &first}, {199, &last}}));
    buffer->Play(true);
    Pull(mixer, 49);  // cursor at byte 98
    EXPECT_FALSE(first.WaitFor(0));
    Pull(mixer, 1);  // byte 100: passed 99
    EXPECT_TRUE(first.WaitFor(0));
    EXPECT_FALSE(last.WaitFor(0));
    Pull(mixer, 60);  // wrapped round to byte 20, passing 199
    EXPECT_TRUE(last.WaitFor(0));
    EXPECT_FALSE(first.WaitFor(0));
}

TEST(Mixer, WritesWrapRoundTheEndOfTheBuffer) {
    audio::Mixer mixer(8000);
    auto buffer = BufferOf(mixer, std::vector<std::int16_t>(4, 0), 8000);  // 8 bytes
    const std::vector<std::uint8_t> bytes = Pcm16({1, 2, 3});
    ASSERT_TRUE(buffer->Write(4, bytes.data(), 6));
    EXPECT_FALSE(buffer->Write(8, bytes.data(), 1));
    EXPECT_FALSE(buffer->Write(0, bytes.data(), 9));
    buffer->Play(false);
    const std::vector<std::int16_t> out = Pull(mixer, 4);
    EXPECT_EQ(out, (std::vector<std::int16_t>{3, 3, 0, 0, 1, 1, 2, 2}));
}

}  // namespace
