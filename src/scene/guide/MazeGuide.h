#pragma once
#include <array>
#include <cstdint>

#include "field/Battlefield.h"
#include "field/FieldGrid.h"
#include "field/WalkLoad.h"
#include "object/Object2D.h"
#include "object/SpriteNumber.h"
#include "scene/guide/GuideKit.h"
#include "tower/PanelText.h"

class TankObject;

namespace guide {

// One route's way across the field as its enemies will walk it: the cells from its entrance,
// following the direction codes to the exit.
class RoutePath {
public:
    static constexpr int kMaxCells = field::kCellCount;

    // Follows the route's codes from its entrance; a grid whose codes loop or stop ends early.
    void Trace(const WalkLoad& routes, int route);
    int Steps() const { return count_ > 0 ? count_ - 1 : 0; }
    int CellCount() const { return count_; }
    field::CellPos Cell(int index) const { return cells_[static_cast<std::size_t>(index)]; }

private:
    std::array<field::CellPos, kMaxCells> cells_{};
    int count_ = 0;
};

// The maze made visible: where each route's enemies enter and leave, the way they will take,
// and while a tower is being placed, the way they would take with it standing (and how much
// longer it is), or why it cannot stand. Everything is worked out on copies of the field's grids.
class MazeGuide {
public:
    void Init(gfx::Device* device);
    // After the battle's frame: traces the routes again when they changed, and tries the
    // hovered plot when the cursor places a tower there.
    void Update(const Battlefield& field, const TankObject& cursor, bool mouseInField);
    void Draw();

    // What the guide shows, for tests.
    const RoutePath& Path(int route) const { return paths_[static_cast<std::size_t>(route)]; }
    const RoutePath& PreviewPath(int route) const { return previewPaths_[static_cast<std::size_t>(route)]; }
    bool Previewing() const { return previewing_; }
    Battlefield::Trial PreviewTrial() const { return trial_; }
    // How many cells longer the routes would be, summed over the routes the stage uses.
    int LengthChange() const { return lengthChange_; }

private:
    void TraceRoutes(const Battlefield& field);
    void TryPlot(const Battlefield& field, int plotX, int plotY);
    void DrawPath(const RoutePath& path, Colour colour, int alpha);
    void DrawEnds(int route);
    void DrawPreview();

    Object2D line_;
    Object2D plate_;
    Object2D refusedPlot_;
    PanelText entrance_;
    PanelText exit_;
    PanelText cutRoute_;
    PanelText strands_;
    SpriteNumber change_;

    std::array<bool, 2> used_{};
    std::array<RoutePath, 2> paths_;
    WalkLoad::Grid traced_[2]{};
    bool tracedOnce_ = false;

    // The hovered plot's trial.
    bool previewing_ = false;
    int plotX_ = 0;
    int plotY_ = 0;
    int trialAge_ = 0;
    Battlefield::Trial trial_ = Battlefield::Trial::Open;
    WalkLoad trialRoutes_;
    std::array<RoutePath, 2> previewPaths_;
    int lengthChange_ = 0;
};

}  // namespace guide
