#include <gtest/gtest.h>

#include "field/Battlefield.h"
#include "field/EnemyFactory.h"

// A trial of a plot must answer exactly what placing a tower there would: the same verdict and the
// same routes as closing the plot and rebuilding, while the field itself is left as it was.
namespace {

constexpr int kNormal = 1;

// A field with a half-built maze: a wall of plots across the middle with one gap. On easy the
// gap is the last path; on normal the second route's corridor runs past the wall's ends.
void BuildMaze(Battlefield& field) {
    for (int y = 48; y <= 400; y += 32) {
        if (y != 240) {
            field.ClosePlot(208, y);
        }
    }
    ASSERT_TRUE(field.BuildRoutes());
}

}  // namespace

TEST(RouteTrial, EveryPlotIsJudgedAsAPlacementWouldJudgeIt) {
    for (const int difficulty : {0, kNormal}) {
        Battlefield field(0, difficulty);
        BuildMaze(field);
        const WalkLoad routesBefore = field.Routes();
        int refused = 0;
        for (int x = 48; x <= 400; x += 32) {
            for (int y = 48; y <= 400; y += 32) {
                if (!field.Walls().FootprintOpen(x, y)) {
                    continue;
                }
                WalkLoad trial;
                const Battlefield::Trial verdict = field.TryPlot(x, y, trial);
                // The field is untouched by the trial.
                ASSERT_TRUE(field.Walls().FootprintOpen(x, y));
                ASSERT_EQ(field.Routes().grids, routesBefore.grids);

                // The real thing, on a field built the same way.
                Battlefield placed(0, difficulty);
                BuildMaze(placed);
                placed.ClosePlot(x, y);
                const bool stands = placed.BuildRoutes();
                ASSERT_EQ(verdict == Battlefield::Trial::Open, stands) << x << "," << y;
                if (stands) {
                    ASSERT_EQ(trial.grids, placed.Routes().grids) << x << "," << y;
                } else {
                    ++refused;
                    EXPECT_EQ(verdict, Battlefield::Trial::CutRoute);
                }
            }
        }
        // On easy the gap in the wall is the last path: closing it is refused.
        if (difficulty == 0) {
            EXPECT_GT(refused, 0);
        }
    }
}

TEST(RouteTrial, APlotThatWouldShutAnEnemyInIsToldApartFromACutRoute) {
    Battlefield field(1, 0);
    ASSERT_TRUE(field.BuildRoutes());
    // Three sides of a box around an enemy; the fourth plot would shut it in.
    const field::PixelPos centre = field::CellCentre(15, 15);
    field.Enemies().push_back(field::CreateEnemy(
        EnemyKind::RedFairy, {.walkLoad = &field.Routes(), .route = 1, .x = centre.x, .y = centre.y, .health = 100}));
    const int cx = 112;
    const int cy = 112;
    for (const auto& [x, y] : {std::pair{cx - 32, cy}, std::pair{cx + 32, cy}, std::pair{cx, cy - 32},
                               std::pair{cx - 32, cy - 32}, std::pair{cx + 32, cy - 32}, std::pair{cx - 32, cy + 32},
                               std::pair{cx + 32, cy + 32}}) {
        field.ClosePlot(x, y);
    }
    ASSERT_TRUE(field.BuildRoutes());
    WalkLoad trial;
    EXPECT_EQ(field.TryPlot(cx, cy + 32, trial), Battlefield::Trial::Strands);
    EXPECT_EQ(field.TryPlot(400, 400, trial), Battlefield::Trial::Open);
}
