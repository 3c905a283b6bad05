#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <span>
#include <string>
#include <utility>

#include "field/FieldGrid.h"
#include "field/StageTable.h"
#include "field/TankObject.h"
#include "field/WallGrid.h"
#include "resource/RequiredAssets.h"
#include "support/RecordingDevice.h"

using field::CellPos;
using field::PixelToCell;
using field::WallGrid;

TEST(FieldGrid, PixelToCellUsesHalfOpenCellsAndSendsStrayPointsToTheCorner) {
    EXPECT_EQ(PixelToCell(-128, -128), (CellPos{0, 0}));
    EXPECT_EQ(PixelToCell(-113, -113), (CellPos{0, 0}));
    EXPECT_EQ(PixelToCell(-112, -112), (CellPos{1, 1}));
    EXPECT_EQ(PixelToCell(479, 479), (CellPos{37, 37}));
    EXPECT_EQ(PixelToCell(200, 37), (CellPos{20, 10}));
    // Off the grid on either axis, even with the other axis inside.
    EXPECT_EQ(PixelToCell(480, 0), (CellPos{0, 0}));
    EXPECT_EQ(PixelToCell(0, -129), (CellPos{0, 0}));
    EXPECT_EQ(PixelToCell(-1.0e9f, 100.0f), (CellPos{0, 0}));
    // Float positions truncate towards zero: -112.5 lies in column 1.
    EXPECT_EQ(PixelToCell(-112.5f, -112.5f), (CellPos{1, 1}));
}

TEST(FieldGrid, EveryCellCentreMapsBackToItsCell) {
    for (int column = 0; column < field::kColumns; ++column) {
        for (int row = 0; row < field::kRows; ++row) {
            const field::PixelPos centre = field::CellCentre(column, row);
            ASSERT_EQ(PixelToCell(centre.x, centre.y), (CellPos{column, row}));
        }
    }
    EXPECT_EQ(field::CellCentre(0, 0), (field::PixelPos{-120, -120}));
    EXPECT_EQ(field::CellCentre(22, 2), (field::PixelPos{232, -88}));
}

TEST(PlacementCursor, SnapsToBandsAndKeepsThePlotOutsideTheField) {
    TankObject cursor;
    cursor.SnapToPlot(40, 40);
    EXPECT_EQ(cursor.x, 48);
    EXPECT_EQ(cursor.y, 48);
    cursor.SnapToPlot(408, 408);
    EXPECT_EQ(cursor.x, 400);
    EXPECT_EQ(cursor.y, 400);
    cursor.SnapToPlot(56, 56);  // a border belongs to the lower band
    EXPECT_EQ(cursor.x, 48);
    cursor.SnapToPlot(57, 57);
    EXPECT_EQ(cursor.x, 64);
    EXPECT_EQ(cursor.y, 64);

    cursor.SnapToPlot(39, 200);
    EXPECT_EQ(cursor.x, 64);
    EXPECT_EQ(cursor.y, 64);
    cursor.SnapToPlot(200, 409);
    EXPECT_EQ(cursor.y, 64);
    EXPECT_FALSE(TankObject::IsInField(39, 200));
    EXPECT_FALSE(TankObject::IsInField(200, 409));
    EXPECT_TRUE(TankObject::IsInField(40, 408));
}

TEST(PlacementCursor, FootprintIsTheTwoByTwoCellsAroundThePlotCentre) {
    const field::Footprint cells = field::PlotFootprint(200, 200);
    EXPECT_EQ(cells[0], (CellPos{20, 20}));
    EXPECT_EQ(cells[1], (CellPos{21, 20}));
    EXPECT_EQ(cells[2], (CellPos{20, 21}));
    EXPECT_EQ(cells[3], (CellPos{21, 21}));
}

namespace {

int CountBlocked(const WallGrid& grid, int firstColumn, int lastColumn, int firstRow, int lastRow) {
    int blocked = 0;
    for (int column = firstColumn; column <= lastColumn; ++column) {
        for (int row = firstRow; row <= lastRow; ++row) {
            blocked += grid.IsOpen(column, row) ? 0 : 1;
        }
    }
    return blocked;
}

}  // namespace

TEST(StageBuild, EasyFieldsHaveOnlyTheWestToEastCorridors) {
    const WallGrid easy = WallGrid::ForStage(0, 1);
    EXPECT_EQ(CountBlocked(easy, 10, 33, 10, 33), 0);
    EXPECT_EQ(CountBlocked(easy, 1, 9, 19, 24), 0);
    EXPECT_EQ(CountBlocked(easy, 34, 37, 19, 24), 0);
    EXPECT_EQ(CountBlocked(easy, 19, 24, 1, 9), 6 * 9);
    EXPECT_EQ(CountBlocked(easy, 19, 24, 34, 37), 6 * 4);
    // Only the square and the two corridors are open.
    EXPECT_EQ(field::kCellCount - CountBlocked(easy, 0, 37, 0, 37), 24 * 24 + 9 * 6 + 4 * 6);

    const WallGrid normal = WallGrid::ForStage(2, 2);
    EXPECT_EQ(CountBlocked(normal, 19, 24, 1, 9), 0);
    EXPECT_EQ(CountBlocked(normal, 19, 24, 34, 37), 0);
    EXPECT_EQ(CountBlocked(normal, 0, 37, 0, 0), field::kColumns);
    EXPECT_EQ(CountBlocked(normal, 0, 0, 0, 37), field::kRows);
    EXPECT_EQ(normal.Cell(37, 37).x, 472);
    EXPECT_EQ(normal.Cell(0, 5).y, -40);
}

TEST(StageBuild, TheLibraryHasElevenBookshelvesThatRefusePlots) {
    const WallGrid library = WallGrid::ForStage(field::kLibraryStage, 2);
    EXPECT_EQ(CountBlocked(library, 10, 33, 10, 33), 11 * 16);
    EXPECT_FALSE(library.IsOpen(20, 20));
    EXPECT_FALSE(library.FootprintOpen(200, 200));
    EXPECT_TRUE(library.FootprintOpen(48, 240));
    EXPECT_EQ(CountBlocked(WallGrid::ForStage(0, 2), 10, 33, 10, 33), 0);
}

TEST(StageBuild, ReopeningAStrayPlotLeavesTheCornerWall) {
    WallGrid grid = WallGrid::ForStage(0, 1);
    grid.SetFootprint(-500, -500, false);
    EXPECT_FALSE(grid.IsOpen(0, 0));
    grid.SetFootprint(200, 200, true);
    EXPECT_FALSE(grid.FootprintOpen(200, 200));
    grid.SetFootprint(200, 200, false);
    EXPECT_TRUE(grid.FootprintOpen(200, 200));
}

TEST(StageTable, EveryStageShowsRequiredAssetsAndFindsItsOwnWaves) {
    const auto required = [](std::span<const char* const> names, const std::string& name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    std::set<std::string> keys;
    for (int stage = 0; stage < field::kStageCount; ++stage) {
        for (int difficulty = 0; difficulty < field::kDifficultyCount; ++difficulty) {
            const field::StageInfo info = field::LookUpStage(stage, difficulty, false);
            EXPECT_TRUE(required(required_assets::Textures(), info.background)) << info.background;
            EXPECT_TRUE(required(required_assets::Textures(), info.overlay)) << info.overlay;
            EXPECT_TRUE(required(required_assets::MusicTracks(), info.music)) << info.music;
            EXPECT_EQ(info.routeCount, difficulty == field::kEasy ? 1 : 2);
            EXPECT_TRUE(keys.insert(info.key).second) << "shared key " << info.key;

            // The big-furball option swaps the waves only, one table per difficulty.
            const field::StageInfo furballs = field::LookUpStage(stage, difficulty, true);
            EXPECT_EQ(furballs.key, field::LookUpStage(0, difficulty, true).key);
            EXPECT_NE(furballs.key, info.key);
            EXPECT_EQ(furballs.background, info.background);
        }
    }
    // Out of range: no waves and no music, but still a picture to show.
    for (const auto& [stage, difficulty] : {std::pair{field::kStageCount, 1}, {1, field::kDifficultyCount}, {-1, 0}}) {
        const field::StageInfo unknown = field::LookUpStage(stage, difficulty, false);
        EXPECT_EQ(unknown.key, "");
        EXPECT_TRUE(required(required_assets::Textures(), unknown.background));
    }
    EXPECT_EQ(field::LookUpStage(field::kStageCount, 1, false).music, "");
}

TEST(PlacementCursor, DrawsThePlotSpriteOfItsModeAndTheRangeCircleLast) {
    RecordingDevice device;
    TankObject cursor;
    cursor.Init(&device);
    cursor.SetPlot(96, 128);
    cursor.SetRange(50.0f);

    cursor.SetMode(TankObject::kHidden);
    cursor.Draw(1);
    cursor.SetMode(TankObject::kEnemyLocked);
    cursor.Draw(1);
    EXPECT_TRUE(device.draws.empty());

    cursor.SetModeAndKind(TankObject::kPlacingRefused, 3);
    cursor.Draw(1);
    ASSERT_EQ(device.draws.size(), 2u);
    EXPECT_FLOAT_EQ(device.draws[0].vertices[0].x, 80.0f);
    EXPECT_FLOAT_EQ(device.draws[0].vertices[0].u, 0.0f);
    EXPECT_EQ(device.draws[0].vertices[0].diffuse >> 24, 165u);
    EXPECT_EQ(device.draws[1].vertices[0].diffuse & 0xFFFFFFu, 0xFF6464u);
    EXPECT_FLOAT_EQ(device.draws[1].vertices[1].x - device.draws[1].vertices[0].x, 100.0f);

    cursor.SetMode(TankObject::kPlacing);
    cursor.Draw(1);
    ASSERT_EQ(device.draws.size(), 4u);
    EXPECT_FLOAT_EQ(device.draws[2].vertices[0].u, 0.3f);
    EXPECT_EQ(device.draws[3].vertices[0].diffuse & 0xFFFFFFu, 0xFFFFFFu);

    cursor.SetMode(TankObject::kSelect);
    cursor.SetRange(-5.0f);
    cursor.Draw(1);
    ASSERT_EQ(device.draws.size(), 6u);
    EXPECT_FLOAT_EQ(device.draws[4].vertices[0].v, 0.8f);
    EXPECT_FLOAT_EQ(device.draws[5].vertices[1].x - device.draws[5].vertices[0].x, 0.0f);
}
