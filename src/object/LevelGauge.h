#pragma once
#include <cstdint>
#include <vector>

#include "object/Object2D.h"
#include "object/SpriteNumber.h"

// The state every wave gauge shares. Only one battle, and so one gauge, runs at a time; the
// gauge's Init resets it and the gauge is its only writer.
struct LevelGaugeShared {
    int scrollX = 0;  // box i is centred at scrollX + 62 i
    float y = 0.0f;
    int framesPerStep = 0;
    int currentWave = 0;
    int waveCount = 0;
    // Fetched from the registry once and kept.
    gfx::Texture* frameTexture = nullptr;
    gfx::Texture* colourTexture = nullptr;
    gfx::Texture* nameTexture = nullptr;

    static LevelGaugeShared& Get();
};

// The battle screen's wave gauge: a strip of wave boxes scrolling left, one pixel per step; a
// box reaching the mark at x = 76 starts its wave.
class LevelGauge {
public:
    struct WaveRecord {
        int kind;
        int a;  // kept for the battle scene
        int b;
        std::uint8_t started;
        std::uint8_t reported;  // a bad kind id is logged once, not on every frame
    };

    static constexpr int kBoxSpacing = 62;
    static constexpr int kMarkX = 76;

    virtual ~LevelGauge() = default;

    void Init(gfx::Device* device, int startX, float y);
    void AddWave(int kind, int a, int b);
    void SetFramesPerStep(int frames);
    virtual void Draw(int update);

    int WaveNumber() const;
    // The current wave's kind id, once, while the gauge stands on a mark; else 0.
    int TakeWaveStart();
    int CurrentWaveA() const;
    int CurrentWaveB() const;
    bool AllStarted() const;
    // Jumps to the next wave's mark; returns the frames-saved bonus 0..60, or 0 on the last wave.
    int SkipToNextWave();

    int frameCounter = 0;
    std::uint8_t stopped = 1;  // the battle scene starts the gauge
    std::vector<WaveRecord> waves;
    gfx::Device* device = nullptr;
    SpriteNumber number;
    Object2D frame;
    Object2D colourIcon;
    Object2D nameIcon;

private:
    void Scroll();
    void DrawBox(WaveRecord& wave, int index, float boxX);
    void ChooseIcons(WaveRecord& wave);
    const WaveRecord* Current() const;
};
