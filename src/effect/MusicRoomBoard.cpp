#include "effect/MusicRoomBoard.h"

#include <algorithm>
#include <cmath>

#include "base/SceneContext.h"

namespace {

constexpr float kBoardX = 360.0f;
constexpr float kBoardY = 24.0f;
constexpr int kFadeStep = 15;
constexpr int kFramesPerStage = 8;

// The fourth track's walls, as blocks of columns by rows (first and last inclusive).
struct WallBlock {
    int i0, i1, j0, j1;
};
constexpr WallBlock kWallBlocks[] = {
    {0, 2, 3, 6}, {2, 5, 11, 14}, {5, 8, 3, 6}, {8, 11, 11, 14}, {11, 14, 2, 5},
};
constexpr int kWalledTrack = 3;

}  // namespace

void MusicRoomBoard::Init(gfx::Device* device, gfx::Texture* burstTexture, gfx::Texture* cellSheet) {
    device_ = device;
    burstTexture_ = burstTexture;
    board.Init(kBoardX, kBoardY);
    for (int colour = 0; colour < kColours; ++colour) {
        for (int stage = 0; stage < kStages; ++stage) {
            Object2D& sprite = cellSprites[colour][stage];
            sprite.Create(device, cellSheet, kBoardX, kBoardY, LifeGame::kPitch, LifeGame::kPitch);
            const float u = static_cast<float>(colour) / kColours;
            const float v = static_cast<float>(stage) / kStages;
            sprite.SetAnimation(255, 0, u, u + 1.0f / kColours, 0.0f, v, v + 1.0f / kStages, 0.0f);
        }
    }
}

void MusicRoomBoard::Frame(const SceneContext& input) {
    if (input.keys[kKeySpace].pressed) {
        Reseed();
    }
    if (input.leftPressed) {
        Click(input.mouseX, input.mouseY);
    }
    Advance();
    DrawCells();
    DrawBursts();
}

void MusicRoomBoard::Advance() {
    if (!paused && ++frameCounter >= kPeriod) {
        frameCounter = 0;
        board.Step();
        board.Commit();
    }
    for (LifeGameSpace& cell : board.cells) {
        if (cell.state == LifeGameSpace::kDead) {
            cell.brightness.Decrease(kFadeStep);
            continue;
        }
        // Walls glow like living cells so that the player can see them; they never age.
        cell.brightness.Increase(kFadeStep);
        if (cell.state == LifeGameSpace::kAlive && !paused) {
            AgeCell(cell);
        }
    }
}

void MusicRoomBoard::AgeCell(LifeGameSpace& cell) {
    if (++cell.age >= kFramesPerStage * kStages) {
        cell.age = 0;
        board.NewColour(cell.i, cell.j);
    }
}

bool MusicRoomBoard::Click(int mouseX, int mouseY) {
    // Each cell owns the points within 8 px of its centre on both axes.
    const float half = LifeGame::kPitch * 0.5f;
    const int i = static_cast<int>(std::floor((static_cast<float>(mouseX) - board.x + half) / LifeGame::kPitch));
    const int j = static_cast<int>(std::floor((static_cast<float>(mouseY) - board.y + half) / LifeGame::kPitch));
    if (i < 0 || i >= LifeGame::kSize || j < 0 || j >= LifeGame::kSize) {
        return false;
    }
    LifeGameSpace& cell = board.Cell(i, j);
    if (cell.state == LifeGameSpace::kWall) {
        return false;
    }
    if (cell.state == LifeGameSpace::kAlive) {
        board.SetState(i, j, LifeGameSpace::kDead);
        auto burst = std::make_unique<EffectBurst>();
        burst->Init(device_, burstTexture_, board.CentreX(i), board.CentreY(j), 16.0f, 15, 4.0f);
        burst->alive = 1;
        bursts.push_back(std::move(burst));
    } else {
        board.SetState(i, j, LifeGameSpace::kAlive);
        board.NewColour(i, j);
    }
    return true;
}

void MusicRoomBoard::Reseed() {
    frameCounter = 0;
    board.SetAllStates(LifeGameSpace::kDead);
    board.Step();
    board.Randomise();
}

void MusicRoomBoard::ChooseTrack(int track) {
    board.Clear();
    if (track != kWalledTrack) {
        return;
    }
    for (const WallBlock& block : kWallBlocks) {
        for (int i = block.i0; i <= block.i1; ++i) {
            for (int j = block.j0; j <= block.j1; ++j) {
                board.SetWall(i, j);
            }
        }
    }
}

void MusicRoomBoard::DrawCells() {
    for (const LifeGameSpace& cell : board.cells) {
        const int alpha = cell.brightness.Get();
        if (alpha == 0) {
            continue;
        }
        const int stage = std::clamp(cell.age / kFramesPerStage, 0, kStages - 1);
        Object2D& sprite = cellSprites[cell.colour & (kColours - 1)][stage];
        sprite.alpha = alpha;
        sprite.SetPosition(board.CentreX(cell.i), board.CentreY(cell.j));
        sprite.Draw(0);
    }
}

void MusicRoomBoard::DrawBursts() {
    for (const std::unique_ptr<EffectBurst>& burst : bursts) {
        burst->Update(1);
    }
    std::erase_if(bursts, [](const std::unique_ptr<EffectBurst>& burst) { return !burst->alive; });
}
