#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <utility>

#include "base/Random.h"
#include "base/SceneContext.h"
#include "effect/LifeGame.h"
#include "effect/MusicRoomBoard.h"
#include "support/RecordingDevice.h"

namespace {

using Cells = std::set<std::pair<int, int>>;

Cells Live(const LifeGame& game) {
    Cells live;
    for (const LifeGameSpace& cell : game.cells) {
        if (cell.state == LifeGameSpace::kAlive) {
            live.insert({cell.i, cell.j});
        }
    }
    return live;
}

void Place(LifeGame& game, const Cells& cells) {
    for (const auto& [i, j] : cells) {
        game.SetState(i, j, LifeGameSpace::kAlive);
    }
}

void Generations(LifeGame& game, int count) {
    for (int n = 0; n < count; ++n) {
        game.Step();
        game.Commit();
    }
}

Cells Shifted(const Cells& cells, int di, int dj) {
    Cells moved;
    for (const auto& [i, j] : cells) {
        moved.insert({(i + di) % LifeGame::kSize, (j + dj) % LifeGame::kSize});
    }
    return moved;
}

class LifeGameTest : public ::testing::Test {
protected:
    void SetUp() override { game.Init(360.0f, 24.0f); }
    LifeGame game;
};

TEST_F(LifeGameTest, GliderWrapsAcrossBothEdges) {
    // Heading right and down, starting against the bottom-right corner.
    const Cells glider = {{15, 14}, {16, 15}, {14, 16}, {15, 16}, {16, 16}};
    Place(game, glider);
    Generations(game, 4);
    EXPECT_EQ(Live(game), Shifted(glider, 1, 1));
    Generations(game, 8);
    EXPECT_EQ(Live(game), Shifted(glider, 3, 3));
    EXPECT_TRUE(Live(game).count({0, 2}));  // came round from column 14, row 16
}

TEST_F(LifeGameTest, BlockStaysAndBlinkerBlinks) {
    const Cells block = {{2, 2}, {2, 3}, {3, 2}, {3, 3}};
    const Cells blinker = {{10, 9}, {10, 10}, {10, 11}};
    Place(game, block);
    Place(game, blinker);
    Generations(game, 1);
    const Cells flat = {{9, 10}, {10, 10}, {11, 10}};
    Cells expected = block;
    expected.insert(flat.begin(), flat.end());
    EXPECT_EQ(Live(game), expected);
    Generations(game, 1);
    expected = block;
    expected.insert(blinker.begin(), blinker.end());
    EXPECT_EQ(Live(game), expected);
}

TEST_F(LifeGameTest, WallsCountAsDeadAndNeverChange) {
    // Three live cells around (5, 5) would give birth, but one of them is walled off instead.
    game.SetState(4, 4, LifeGameSpace::kAlive);
    game.SetState(6, 4, LifeGameSpace::kAlive);
    game.SetWall(5, 6);
    game.SetState(5, 6, LifeGameSpace::kAlive);  // walls ignore state changes
    Generations(game, 1);
    EXPECT_EQ(game.Cell(5, 5).state, LifeGameSpace::kDead);
    EXPECT_EQ(game.Cell(5, 6).state, LifeGameSpace::kWall);
    EXPECT_EQ(game.StateAt(5, 6), LifeGameSpace::kDead);
    EXPECT_EQ(game.StateAt(5 + LifeGame::kSize, 6 - LifeGame::kSize), LifeGameSpace::kDead);

    Random::Seed(11);
    game.Randomise();
    EXPECT_EQ(game.Cell(5, 6).state, LifeGameSpace::kWall);
    game.Clear();
    EXPECT_TRUE(Live(game).empty());
    EXPECT_EQ(game.Cell(5, 6).state, LifeGameSpace::kDead);
}

class MusicRoomBoardTest : public ::testing::Test {
protected:
    void SetUp() override { room.Init(&device, &ring, &sheet, &wall); }
    RecordingDevice device;
    gfx::Texture ring{16, 16};
    gfx::Texture sheet{128, 64};
    gfx::Texture wall{16, 16};
    MusicRoomBoard room;
};

TEST_F(MusicRoomBoardTest, GenerationEveryEightyFramesUnlessPaused) {
    Place(room.board, {{8, 7}, {8, 8}, {8, 9}});
    for (int frame = 0; frame < 79; ++frame) {
        room.Generation();
    }
    EXPECT_TRUE(Live(room.board).count({8, 7}));
    room.Generation();
    EXPECT_EQ(Live(room.board), (Cells{{7, 8}, {8, 8}, {9, 8}}));
    room.paused = true;
    for (int frame = 0; frame < 200; ++frame) {
        room.Generation();
    }
    EXPECT_EQ(Live(room.board), (Cells{{7, 8}, {8, 8}, {9, 8}}));
    room.paused = false;
    for (int frame = 0; frame < 80; ++frame) {
        room.Generation();
    }
    EXPECT_EQ(Live(room.board), (Cells{{8, 7}, {8, 8}, {8, 9}}));  // back after two generations
}

TEST_F(MusicRoomBoardTest, ClicksToggleCellsAndKillsBurst) {
    Random::Seed(5);
    // Cell (2, 3) is centred at (392, 72); (399, 79) is still inside it.
    EXPECT_TRUE(room.Click(399, 79));
    EXPECT_EQ(room.board.Cell(2, 3).state, LifeGameSpace::kAlive);
    EXPECT_TRUE(room.bursts.empty());
    EXPECT_TRUE(room.Click(392, 72));
    EXPECT_EQ(room.board.Cell(2, 3).state, LifeGameSpace::kDead);
    ASSERT_EQ(room.bursts.size(), 1u);
    EXPECT_FLOAT_EQ(room.bursts[0]->sprite.x, 392.0f);
    EXPECT_FALSE(room.Click(351, 100));  // left of the board
    EXPECT_FALSE(room.Click(400, 289));  // below it
    room.ChooseTrack(3);
    EXPECT_FALSE(room.Click(360, 24 + 16 * 4));  // a wall of the fourth track
    EXPECT_FALSE(room.Click(360 + 16 * 14, 24 + 16 * 5));
    EXPECT_TRUE(room.Click(360 + 16 * 15, 24 + 16 * 5));
    room.ChooseTrack(1);  // other tracks take the walls down
    EXPECT_EQ(room.board.Cell(0, 4).state, LifeGameSpace::kDead);
    for (int frame = 0; frame < 17; ++frame) {
        room.DrawBursts();
    }
    EXPECT_TRUE(room.bursts.empty());
}

// One frame is generation step, then the click, then the drawing: a click in a generation frame
// toggles the cell as the new generation has it.
TEST_F(MusicRoomBoardTest, AClickInAGenerationFrameActsOnTheNewGeneration) {
    Place(room.board, {{8, 7}, {8, 8}, {8, 9}});  // a blinker, standing
    room.frameCounter = MusicRoomBoard::kPeriod - 1;
    SceneContext input;
    input.mouseX = 360 + 16 * 7;  // cell (7, 8): dead now, alive after the step
    input.mouseY = 24 + 16 * 8;
    input.leftPressed = 1;
    room.Frame(input);
    EXPECT_EQ(Live(room.board), (Cells{{8, 8}, {9, 8}}));
    EXPECT_EQ(room.bursts.size(), 1u);  // a living cell was killed
}

// A click takes the cell whose centre is within 8 px on both axes: the outer edges of the board
// belong to its outer cells, and a border between two cells to the lower one.
TEST_F(MusicRoomBoardTest, ClicksReachEveryCellUpToItsEdges) {
    for (int offset = -40; offset <= 310; ++offset) {
        int expected = -1;
        for (int index = LifeGame::kSize - 1; index >= 0; --index) {
            if (std::abs(offset - 16 * index) <= 8) {
                expected = index;
            }
        }
        ASSERT_EQ(MusicRoomBoard::CellIndex(offset), expected) << offset;
    }
    const struct {
        int x, y, i, j;
    } corners[] = {{624, 24, 16, 0}, {360, 288, 0, 16}, {352, 16, 0, 0}, {624, 288, 16, 16}, {368, 40, 0, 1}};
    for (const auto& corner : corners) {
        ASSERT_TRUE(room.Click(corner.x, corner.y)) << corner.x << ", " << corner.y;
        EXPECT_EQ(room.board.Cell(corner.i, corner.j).state, LifeGameSpace::kAlive) << corner.x << ", " << corner.y;
    }
    EXPECT_EQ(Live(room.board).size(), 5u);
    for (const auto& [x, y] : {std::pair{625, 24}, {351, 24}, {360, 289}, {360, 15}}) {
        EXPECT_FALSE(room.Click(x, y)) << x << ", " << y;
    }
}

TEST_F(MusicRoomBoardTest, WallsHaveTheirOwnLookAndVisitorsFindABoardAtPlay) {
    room.ChooseTrack(3);
    room.FadeCells();
    room.DrawCells();
    ASSERT_FALSE(device.draws.empty());
    for (const RecordingDevice::Draw& draw : device.draws) {
        EXPECT_EQ(draw.texture, &wall);  // only walls are lit
    }
    Random::Seed(4);
    room.Open();
    for (const LifeGameSpace& cell : room.board.cells) {
        EXPECT_NE(cell.state, LifeGameSpace::kWall);
    }
    EXPECT_GT(Live(room.board).size(), 50u);
}

TEST_F(MusicRoomBoardTest, SpaceReseedsAndCellsFadeIn) {
    Random::Seed(9);
    SceneContext input;
    input.SetKey(kKeySpace, 1);
    room.frameCounter = 50;
    room.Frame(input);
    EXPECT_EQ(room.frameCounter, 0);  // the clock ran first, then the reseed restarted it
    const size_t live = Live(room.board).size();
    EXPECT_GT(live, 50u);
    EXPECT_LT(live, 240u);
    // Newly live cells start dark and gain 15 a frame: one frame in they are drawn at 15.
    ASSERT_EQ(device.draws.size(), live);
    EXPECT_EQ(device.draws[0].vertices[0].diffuse >> 24, 15u);
    EXPECT_EQ(device.draws[0].texture, &sheet);
}

}  // namespace
