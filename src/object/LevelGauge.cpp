#include "object/LevelGauge.h"

#include <algorithm>
#include <cstdlib>

#include "base/EnemyKind.h"
#include "base/Language.h"
#include "base/LogPutout.h"
#include "gfx/Device.h"
#include "gfx/RenderPresets.h"
#include "resource/FileClass.h"

namespace {

constexpr float kBoxWidth = 64.0f;
constexpr float kBoxHeight = 32.0f;
// Centre to centre of the wave number's digits.
constexpr float kDigitAdvance = 11.0f;
constexpr int kVisibleLeft = -60;
constexpr int kVisibleRight = 480;
// The name cell every big variant shares, and the cell shown for unknown kinds.
constexpr int kBigNameColumn = 3;
constexpr int kBigNameRow = 3;
constexpr int kInvalidCell = 1;

void LoadOnce(gfx::Texture*& texture, const char* name) {
    if (texture == nullptr) {
        texture = g_FileClass.FindTexture(name);
    }
}

// Both icon sheets are 4 x 4 grids.
void ShowCell(Object2D& sprite, int column, int row) {
    const float u = static_cast<float>(column) * 0.25f;
    const float v = static_cast<float>(row) * 0.25f;
    sprite.SetAnimation(255, 0, u, u + 0.25f, 0.0f, v, v + 0.25f, 0.0f);
}

}  // namespace

LevelGaugeShared& LevelGaugeShared::Get() {
    static LevelGaugeShared shared;
    return shared;
}

void LevelGauge::Init(gfx::Device* newDevice, int startX, float y) {
    device = newDevice;
    LevelGaugeShared& shared = LevelGaugeShared::Get();
    shared.currentWave = 0;
    shared.waveCount = 0;
    shared.y = y;
    shared.scrollX = startX;
    frameCounter = 0;
    LoadOnce(shared.frameTexture, "gauge_flame.png");
    LoadOnce(shared.colourTexture, "enemykind_color.png");
    if (shared.namesIn != language::Generation()) {
        shared.nameTexture = nullptr;  // painted in the language of the last battle
        shared.namesIn = language::Generation();
    }
    LoadOnce(shared.nameTexture, "enemykind_mozi.png");
    const auto x = static_cast<float>(startX);
    frame.Create(device, shared.frameTexture, x, y, kBoxWidth, kBoxHeight);
    colourIcon.Create(device, shared.colourTexture, x, y, kBoxWidth, kBoxHeight);
    nameIcon.Create(device, shared.nameTexture, x, y, kBoxWidth, kBoxHeight);
    // The sheet's digits are narrow in their cells: glyphs 11 pixels apart read as one number.
    number.Init(device, g_FileClass.FindTexture("level_number.png"), x, y, 30.0f, 32.0f, kDigitAdvance - 30.0f, 0);
    number.SetColour(255, 220, 122, 0);
}

void LevelGauge::AddWave(int kind, int health, int reward) {
    waves.push_back(WaveRecord{kind, health, reward, 0, 0});
}

void LevelGauge::SetFramesPerStep(int frames) { LevelGaugeShared::Get().framesPerStep = frames; }

void LevelGauge::Advance() {
    LevelGaugeShared& shared = LevelGaugeShared::Get();
    shared.waveCount = static_cast<int>(waves.size());
    ++frameCounter;
    if (!stopped && frameCounter > shared.framesPerStep) {
        --shared.scrollX;
        frameCounter = 0;
    }
    for (int i = 0; i < shared.waveCount; ++i) {
        if (std::abs(shared.scrollX - kMarkX + kBoxSpacing * i) < 2) {
            shared.currentWave = i;
            break;
        }
    }
}

void LevelGauge::Draw(int update) {
    if (update == 1) {
        Advance();
    }
    const LevelGaugeShared& shared = LevelGaugeShared::Get();
    StageFilterScope crisp(device, gfx::TEXF_POINT);
    for (int i = 0; i < static_cast<int>(waves.size()); ++i) {
        const int boxX = shared.scrollX + kBoxSpacing * i;
        if (boxX >= kVisibleLeft && boxX <= kVisibleRight) {
            DrawBox(waves[static_cast<std::size_t>(i)], i, static_cast<float>(boxX));
        }
    }
}

void LevelGauge::ChooseIcons(WaveRecord& wave) {
    const int kind = wave.kind;
    if (kind == 0) {
        return;  // nothing to show: the icons keep whatever they showed last
    }
    if (IsKindId(kind)) {
        // Both sheets hold the kinds in reading order, four to a row; the big variants share one
        // name cell.
        const int cell = static_cast<int>(KindOf(kind)) - 1;
        ShowCell(colourIcon, cell % 4, cell / 4);
        if (IsBigKindId(kind)) {
            ShowCell(nameIcon, kBigNameColumn, kBigNameRow);
        } else {
            ShowCell(nameIcon, cell % 4, cell / 4);
        }
        return;
    }
    ShowCell(colourIcon, kInvalidCell, kInvalidCell);
    ShowCell(nameIcon, kInvalidCell, kInvalidCell);
    if (!wave.reported) {
        wave.reported = 1;
        WriteLog("敵のIDが不正です");
    }
}

void LevelGauge::DrawBox(WaveRecord& wave, int index, float boxX) {
    const float y = LevelGaugeShared::Get().y;
    ChooseIcons(wave);
    frame.SetPosition(boxX, y);
    colourIcon.SetPosition(boxX, y);
    nameIcon.SetPosition(boxX, y);
    // Wider numbers start further left so that they stay centred in the box.
    const int digits = index >= 99 ? 3 : (index >= 9 ? 2 : 1);
    number.SetPosition(boxX - 0.5f * kDigitAdvance * static_cast<float>(digits - 1), y);
    colourIcon.Draw(0);
    number.DrawInt(index + 1, false);
    nameIcon.Draw(0);
    frame.Draw(0);
}

const LevelGauge::WaveRecord* LevelGauge::Current() const {
    const int current = LevelGaugeShared::Get().currentWave;
    if (current < 0 || current >= static_cast<int>(waves.size())) {
        return nullptr;
    }
    return &waves[static_cast<std::size_t>(current)];
}

int LevelGauge::WaveNumber() const { return LevelGaugeShared::Get().currentWave + 1; }

int LevelGauge::TakeWaveStart() {
    const LevelGaugeShared& shared = LevelGaugeShared::Get();
    const WaveRecord* wave = Current();
    if (wave == nullptr || wave->started || std::abs(shared.scrollX - kMarkX) % kBoxSpacing > 1) {
        return 0;
    }
    waves[static_cast<std::size_t>(shared.currentWave)].started = 1;
    return wave->kind;
}

int LevelGauge::CurrentWaveHealth() const {
    const WaveRecord* wave = Current();
    return wave != nullptr ? wave->health : 0;
}

int LevelGauge::CurrentWaveReward() const {
    const WaveRecord* wave = Current();
    return wave != nullptr ? wave->reward : 0;
}

bool LevelGauge::AllStarted() const {
    return std::all_of(waves.begin(), waves.end(), [](const WaveRecord& wave) { return wave.started != 0; });
}

int LevelGauge::SkipToNextWave() {
    LevelGaugeShared& shared = LevelGaugeShared::Get();
    if (shared.currentWave >= static_cast<int>(waves.size()) - 1) {
        return 0;
    }
    const int d = std::abs(shared.scrollX - (kMarkX + kBoxSpacing)) % kBoxSpacing;
    shared.scrollX += d - kBoxSpacing;
    return std::clamp(61 - d, 0, 60);
}
