#include "audio/DirectSound.h"

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

#include "base/Language.h"
#include "audio/Mixer.h"
#include "audio/SoundOutput.h"
#include "audio/WaveReader.h"
#include "base/LogPutout.h"
#include "platform/MessageBox.h"

namespace {

constexpr std::uint32_t kEffectFormatBytes = 18;

// Constant-initialised, so objects built during static initialisation (the registry) count too.
std::atomic<int> g_userCount{0};
std::atomic<bool> g_initialised{false};

}  // namespace

int InitDirectSound(SoundOutput output) {
    if (g_initialised) {
        return 1;
    }
    ++g_userCount;
    std::string error;
    if (output == SoundOutput::Device && !audio::OpenDeviceOutput(audio::SharedMixer(), error)) {
        WriteLog("エラー！　サウンドカードが無い？？");
        platform::ShowMessage(N_MESSAGE("エラー"), N_MESSAGE("サウンドカードが無い？？"));
        return 1;
    }
    g_initialised = true;
    WriteLog("DirectSound初期化成功");
    return 0;
}

void ShutdownDirectSound() {
    audio::CloseDeviceOutput();
    g_initialised = false;
}

int DirectSoundUserCount() { return g_userCount; }

std::int32_t PercentToVolume(int percent) {
    if (percent < 1) {
        return kVolumeSilence;
    }
    return (std::min(percent, 100) - 100) * 30;
}

DirectSound::DirectSound() { ++g_userCount; }

DirectSound::~DirectSound() {
    buffer.reset();
    --g_userCount;
}

HRESULT DirectSound::Load(const char* path, std::uint32_t offset) {
    buffer.reset();
    audio::RiffReader riff;
    audio::WaveInfo wave;
    const audio::WaveError error = riff.Open(path) ? audio::ReadWaveHeader(riff, offset, kEffectFormatBytes, wave)
                                                   : audio::WaveError::CannotDescend;
    if (wave.shortFormat) {
        platform::ShowMessage("", N_MESSAGE("WAVフォーマットの読み込み失敗"));
    }
    if (error == audio::WaveError::CannotDescend) {
        platform::ShowMessage("", N_MESSAGE("最初のチャンク（最上部チャンク)に進入できません\nファイル名が間違っているかも？"));
    }
    if (error != audio::WaveError::None) {
        audio::ShowCommonWaveError(error);
        return E_FAIL;
    }
    std::unique_ptr<audio::SoundBuffer> created = audio::SharedMixer().CreateBuffer(wave.format, wave.dataSize);
    if (created == nullptr) {
        platform::ShowMessage("", N_MESSAGE("セカンダリバッファー作成失敗"));
        return E_FAIL;
    }
    std::vector<std::uint8_t> samples(wave.dataSize);
    if (!riff.Seek(wave.dataStart) || riff.Read(samples.data(), samples.size()) != samples.size()) {
        return E_FAIL;
    }
    created->Write(0, samples.data(), static_cast<std::uint32_t>(samples.size()));
    created->SetVolume(volume);
    buffer = std::move(created);
    return S_OK;
}

void DirectSound::SetVolumePercent(int percent) { SetVolume(PercentToVolume(percent)); }

void DirectSound::SetVolume(std::int32_t hundredthsOfDecibel) {
    volume = std::clamp(hundredthsOfDecibel, kVolumeSilence, 0);
    if (buffer != nullptr) {
        buffer->SetVolume(volume);
    }
}

void DirectSound::Play() {
    if (buffer != nullptr) {
        buffer->Play(looping);
    }
}

void DirectSound::PlayFromStart() {
    if (buffer != nullptr) {
        buffer->SetCurrentPosition(0);
        buffer->Play(false);
        looping = false;
    }
}

void DirectSound::PlayLoopFromStart() {
    if (buffer != nullptr) {
        buffer->SetCurrentPosition(0);
        buffer->Play(true);
        looping = true;
    }
}

void DirectSound::Stop() {
    if (buffer != nullptr) {
        buffer->Stop();
    }
}
