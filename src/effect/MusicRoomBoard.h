#pragma once
#include <memory>
#include <vector>

#include "effect/EffectBurst.h"
#include "effect/LifeGame.h"
#include "object/Object2D.h"

struct SceneContext;

// The life-game toy of the music room, with everything that happens to it per frame: the
// generation clock (which the pause button stops), clicks that toggle cells, the space key that
// reseeds, the track presets, the cell sprites and the bursts of killed cells.
class MusicRoomBoard {
public:
    static constexpr int kColours = 8;
    static constexpr int kStages = 4;
    static constexpr int kPeriod = 80;  // frames per generation

    // burstTexture is the ring of a killed cell; cellSheet holds the cell pictures in 8 columns
    // (colours) by 4 rows (age stages), each drawn 16 x 16; wallTexture is the look of a wall.
    void Init(gfx::Device* device, gfx::Texture* burstTexture, gfx::Texture* cellSheet, gfx::Texture* wallTexture);

    // One whole frame, in the board's order: the generation step, then the input (space
    // reseeds, a left click toggles a cell), then the cells fade, age and are drawn, and the
    // bursts play out.
    void Frame(const SceneContext& input);

    // Counts a frame unless paused; every kPeriod frames one generation runs.
    void Generation();
    // Brightness and age follow the states, one frame's worth.
    void FadeCells();
    // Toggles the cell under the point; false when the point is off the board or on a wall.
    bool Click(int mouseX, int mouseY);
    void Reseed();
    // What a visitor finds: no walls, a random population already at play.
    void Open();
    // Clears the board for a new track; the fourth track also raises its walls.
    void ChooseTrack(int track);
    void DrawCells();
    void DrawBursts();

    // The index of the cell whose centre lies within 8 px of the point along one axis (offset
    // from the centre of cell 0); on the border between two cells the lower one. -1 off the board.
    static int CellIndex(int offset);

    LifeGame board;
    bool paused = false;
    int frameCounter = 0;
    std::vector<std::unique_ptr<EffectBurst>> bursts;
    Object2D cellSprites[kColours][kStages];
    Object2D wallSprite;

private:
    void AgeCell(LifeGameSpace& cell);

    gfx::Device* device_ = nullptr;
    gfx::Texture* burstTexture_ = nullptr;
};
