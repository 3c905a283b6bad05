#include "effect/MusicRoomBoard.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

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

void MusicRoomBoard::Init(gfx::Device* device, gfx::Texture* burstTexture, gfx::Texture* cellSheet,
                          gfx::Texture* wallTexture) {
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
    wallSprite.Create(device, wallTexture, kBoardX, kBoardY, LifeGame::kPitch, LifeGame::kPitch);
}

void MusicRoomBoard::Frame(const SceneContext& input) {
    Generation();
    if (input.keys[kKeySpace].pressed) {
        Reseed();
    }
    if (input.leftPressed) {
        Click(input.mouseX, input.mouseY);
    }
    FadeCells();
    DrawCells();
    DrawBursts();
}

void MusicRoomBoard::Generation() {
    if (!paused && ++frameCounter >= kPeriod) {
        frameCounter = 0;
        board.Step();
        board.Commit();
    }
}

void MusicRoomBoard::FadeCells() {
    for (LifeGameSpace& cell : board.cells) {
        if (cell.state == LifeGameSpace::kDead) {
            cell.brightness.Decrease(kFadeStep);
            continue;
        }
        // Walls fade in like living cells so that the player sees them rise; they never age.
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

int MusicRoomBoard::CellIndex(int offset) {
    const auto pitch = static_cast<int>(LifeGame::kPitch);
    const int half = pitch / 2;
    // The lowest index whose centre is at most half a pitch away: ceil((offset - half) / pitch).
    const int index = std::max(0, static_cast<int>(std::ceil(static_cast<double>(offset - half) / pitch)));
    return index < LifeGame::kSize && std::abs(offset - pitch * index) <= half ? index : -1;
}

bool MusicRoomBoard::Click(int mouseX, int mouseY) {
    const int i = CellIndex(mouseX - static_cast<int>(board.x));
    const int j = CellIndex(mouseY - static_cast<int>(board.y));
    if (i < 0 || j < 0) {
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

void MusicRoomBoard::Open() {
    ChooseTrack(-1);
    Reseed();
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
        Object2D& sprite = cell.state == LifeGameSpace::kWall ? wallSprite
                                                               : cellSprites[cell.colour & (kColours - 1)][stage];
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
