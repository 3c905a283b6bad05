#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "enemy/Enemy.h"
#include "field/OpenMask.h"
#include "field/WalkLoad.h"
#include "field/WallGrid.h"

namespace gfx {
class Device;
}

// The field of one stage: its cells, its routes and the enemies walking them. The game scene owns
// one; it can also be built and run on its own.
class Battlefield {
public:
    using EnemyList = std::vector<std::unique_ptr<Enemy>>;

    Battlefield(int stage, int difficulty);
    // Enemies keep a pointer to the field's routes, so the field stays where it was built.
    Battlefield(const Battlefield&) = delete;
    Battlefield& operator=(const Battlefield&) = delete;

    field::WallGrid& Walls() { return walls_; }
    const field::WallGrid& Walls() const { return walls_; }
    WalkLoad& Routes() { return walkLoad_; }
    const WalkLoad& Routes() const { return walkLoad_; }
    EnemyList& Enemies() { return enemies_; }
    const EnemyList& Enemies() const { return enemies_; }
    int RouteCount() const { return routeCount_; }
    // Route 1 (west to east) runs on every stage, route 0 (north to south) on two-route ones.
    bool HasRoute(int route) const { return route == 1 || (route == 0 && routeCount_ == 2); }
    // The cell where a route's enemies enter the field.
    static field::CellPos RouteStart(int route);
    int SplitDepth() const { return splitDepth_; }

    // Raised when a layout would cut a route or strand an enemy (the scene shows its warning).
    void SetStuckWarning(std::function<void()> warning) { stuckWarning_ = std::move(warning); }
    // Called once for every wave released, with the wave's kind id (the scene plays its sound).
    void SetWaveAppear(std::function<void(int)> appear) { waveAppear_ = std::move(appear); }

    bool CanStep(int direction, int column, int row) const { return walls_.CanStep(direction, column, row); }

    // Recomputes both routes' direction grids. True when every entrance and every walking enemy
    // still reaches its exit; the routes are then replaced. Otherwise they are left as they were
    // and the stuck warning is raised.
    bool BuildRoutes();

    // What a tower on the plot would do to the routes, worked out on copies of the cells and
    // grids: the field, its routes and its enemies are left exactly as they are.
    enum class Trial {
        Open,      // every route and every walking enemy still reaches its exit
        CutRoute,  // an entrance would lose its last path
        Strands,   // a walking enemy would be shut in
    };
    // `after` receives the routes the field would then have (only meaningful for Open).
    Trial TryPlot(int plotX, int plotY, WalkLoad& after) const;

    // While placing a tower: the plot is refused when a footprint cell is blocked or an enemy
    // stands within 20 pixels of the plot centre on both axes. A furball knocked into the air
    // counts where it will land, so no tower can be built under it while it flies.
    bool PlotRefused(int plotX, int plotY) const;
    void ClosePlot(int plotX, int plotY) { walls_.SetFootprint(plotX, plotY, true); }

    // A tower's plot closed on trial: what the field looked like before, so a placement that
    // turns out unaffordable or cuts a route is taken back exactly.
    struct Placement {
        int plotX;
        int plotY;
        std::array<WalkLoad::Grid, 2> grids;
        int resteerFrames;
    };
    Placement ClosePlotForPlacement(int plotX, int plotY);
    // Reopens the plot and restores both routes' codes as they were; enemies do not re-aim.
    void UndoPlacement(const Placement& placement);
    // A sold tower's cells open again and point their routes on, until the next rebuild.
    void ReopenPlot(int plotX, int plotY);

    // One frame of every enemy, last to first, then every enemy's overlay (the darkness) in the
    // same order, so shadows lie over all enemies. update 0 draws without advancing.
    void FrameEnemies(int update);
    // The part of FrameEnemies that changes the game, for frames that are not drawn: the field
    // then runs exactly as it does drawn. Enemies made without a device can only run this way.
    void UpdateEnemies(int update);
    // Deletes the enemies that have left the game at least two frames ago.
    void RemoveFinishedEnemies();

    // Releases a wave as a formation at the entrances (route 1 first, then route 0).
    void SpawnWave(gfx::Device* device, int kindId, int health, std::uint32_t reward, int wave);
    // A furball that died with generations of splitting left leaves two smaller ones, scattered
    // around where it fell. Other enemies leave nothing.
    void SplitFurball(gfx::Device* device, const Enemy& parent);

private:
    // Searches every route the stage uses over the open cells into `working`.
    Trial SearchRoutes(const field::OpenMask& open, WalkLoad& working) const;
    Trial SearchAndCheck(const field::OpenMask& open, int route, WalkLoad& working) const;
    void AddEnemy(std::unique_ptr<Enemy> enemy);

    field::WallGrid walls_;
    WalkLoad walkLoad_;
    EnemyList enemies_;
    int routeCount_;
    int splitDepth_;
    std::function<void()> stuckWarning_;
    std::function<void(int)> waveAppear_;
};
