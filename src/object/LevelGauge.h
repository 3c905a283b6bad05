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
    // Fetched from the registry once and kept; the names again after a language switch.
    gfx::Texture* frameTexture = nullptr;
    gfx::Texture* colourTexture = nullptr;
    gfx::Texture* nameTexture = nullptr;
    std::uint32_t namesIn = 0;  // the language generation nameTexture was fetched in

    static LevelGaugeShared& Get();
};

// The battle screen's wave gauge: a strip of wave boxes scrolling left, one pixel per step; a
// box reaching the mark at x = 76 starts its wave.
class LevelGauge {
public:
    // The battle scene keeps each wave's numbers here and reads them back when the wave starts.
    struct WaveRecord {
        int kind;    // enemy kind id
        int health;  // of every enemy of the wave
        int reward;  // of the item each enemy drops
        std::uint8_t started;
        std::uint8_t reported;  // a bad kind id is logged once, not on every frame
    };

    static constexpr int kBoxSpacing = 62;
    static constexpr int kMarkX = 76;

    virtual ~LevelGauge() = default;

    void Init(gfx::Device* device, int startX, float y);
    void AddWave(int kind, int health, int reward);
    void SetFramesPerStep(int frames);
    // update 1 advances one frame and draws; any other value only draws.
    virtual void Draw(int update);
    // One frame of scrolling and of finding the current wave: the gauge's part of the game, which
    // runs the same whether or not the frame is drawn.
    void Advance();

    int WaveNumber() const;
    // The current wave's kind id, once, while the gauge stands on a mark; else 0.
    int TakeWaveStart();
    int CurrentWaveHealth() const;
    int CurrentWaveReward() const;
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
    void DrawBox(WaveRecord& wave, int index, float boxX);
    void ChooseIcons(WaveRecord& wave);
    const WaveRecord* Current() const;
};
