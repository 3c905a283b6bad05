#include "scene/guide/MazeGuide.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/Language.h"
#include "field/TankObject.h"
#include "field/WalkCodes.h"

namespace guide {

namespace {

// The part of the field the player sees, inside the screen frame's border.
constexpr float kVisibleLow = 4.0f;
constexpr float kVisibleHigh = 444.0f;
constexpr float kLabelLow = 22.0f;
constexpr float kLabelHigh = 426.0f;
constexpr float kLineWidth = 2.0f;
// The way enemies take now, faint; the way they would take, plain.
constexpr int kPathAlpha = 150;
constexpr int kPreviewAlpha = 200;
// Enemies move while the cursor rests, so a trial is redone now and then.
constexpr int kTrialLifetime = 15;
constexpr Colour kRouteColours[2] = {{255, 170, 60}, {90, 200, 255}};
constexpr Colour kPreviewColour = {255, 240, 90};
constexpr Colour kRefusedColour = {255, 40, 40};

bool Visible(float x, float y) { return x >= kVisibleLow && x <= kVisibleHigh && y >= kVisibleLow && y <= kVisibleHigh; }

float CentreX(field::CellPos cell) { return static_cast<float>(field::CellCentre(cell.column, cell.row).x); }
float CentreY(field::CellPos cell) { return static_cast<float>(field::CellCentre(cell.column, cell.row).y); }

}  // namespace

void RoutePath::Trace(const WalkLoad& routes, int route) {
    field::CellPos cell = Battlefield::RouteStart(route);
    count_ = 0;
    while (count_ < kMaxCells && field::IsOnGrid(cell.column, cell.row)) {
        cells_[static_cast<std::size_t>(count_++)] = cell;
        const int code = routes.Code(route, cell.column, cell.row);
        if (!field::IsMovingCode(code)) {
            return;
        }
        const field::WalkStep step = field::StepOf(code);
        cell = {cell.column + step.dColumn, cell.row + step.dRow};
    }
}

void MazeGuide::Init(gfx::Device* device) {
    MakePlate(line_, device, {255, 255, 255}, kPathAlpha);
    MakePlate(plate_, device, {0, 0, 0}, 170);
    MakePlate(refusedPlot_, device, kRefusedColour, 130);
    entrance_.Init(device, 0.0f, 0.0f, 32, 16, 12, 0xFFFFFFFFu);
    // Fits: Tahoma 12, 32x1
    entrance_.Set(Tr("入口"));
    exit_.Init(device, 0.0f, 0.0f, 32, 16, 12, 0xFFFFFFFFu);
    // Fits: Tahoma 12, 32x1
    exit_.Set(Tr("出口"));
    cutRoute_.Init(device, 0.0f, 0.0f, 128, 16, 12, 0xFFFF6060u);
    // Fits: Tahoma 12, 128x1
    cutRoute_.Set(Tr("道がふさがります"));
    strands_.Init(device, 0.0f, 0.0f, 128, 16, 12, 0xFFFF6060u);
    // Fits: Tahoma 12, 128x1
    strands_.Set(Tr("敵を閉じ込めます"));
    MakeSmallNumber(change_, device, kPreviewColour);
    change_.SetShowPlus(true);
}

void MazeGuide::Update(const Battlefield& field, const TankObject& cursor, bool mouseInField) {
    for (int route = 0; route < 2; ++route) {
        used_[static_cast<std::size_t>(route)] = field.HasRoute(route);
    }
    TraceRoutes(field);
    previewing_ = cursor.mode == TankObject::kPlacing && mouseInField;
    if (!previewing_) {
        trialAge_ = kTrialLifetime;
        return;
    }
    if (cursor.x != plotX_ || cursor.y != plotY_ || ++trialAge_ >= kTrialLifetime) {
        TryPlot(field, cursor.x, cursor.y);
    }
}

// The routes change only when the field's layout does; tracing them every frame is not needed.
void MazeGuide::TraceRoutes(const Battlefield& field) {
    const WalkLoad& routes = field.Routes();
    bool changed = !tracedOnce_;
    for (int route = 0; route < 2; ++route) {
        if (std::memcmp(traced_[route].data(), routes.grids[static_cast<std::size_t>(route)].data(),
                        sizeof(WalkLoad::Grid)) != 0) {
            changed = true;
        }
    }
    if (!changed) {
        return;
    }
    tracedOnce_ = true;
    for (int route = 0; route < 2; ++route) {
        traced_[route] = routes.grids[static_cast<std::size_t>(route)];
        paths_[static_cast<std::size_t>(route)].Trace(routes, route);
    }
    trialAge_ = kTrialLifetime;  // the trial was made on the old routes
}

void MazeGuide::TryPlot(const Battlefield& field, int plotX, int plotY) {
    plotX_ = plotX;
    plotY_ = plotY;
    trialAge_ = 0;
    trial_ = field.TryPlot(plotX, plotY, trialRoutes_);
    lengthChange_ = 0;
    if (trial_ != Battlefield::Trial::Open) {
        return;
    }
    for (int route = 0; route < 2; ++route) {
        const auto r = static_cast<std::size_t>(route);
        previewPaths_[r].Trace(trialRoutes_, route);
        if (used_[r]) {
            lengthChange_ += previewPaths_[r].Steps() - paths_[r].Steps();
        }
    }
}

void MazeGuide::Draw() {
    for (int route = 0; route < 2; ++route) {
        const auto r = static_cast<std::size_t>(route);
        if (used_[r]) {
            DrawPath(paths_[r], kRouteColours[r], kPathAlpha);
        }
    }
    if (previewing_) {
        DrawPreview();
    }
    for (int route = 0; route < 2; ++route) {
        if (used_[static_cast<std::size_t>(route)]) {
            DrawEnds(route);
        }
    }
}

// Straight runs of the path are drawn as one line each, and only where the field is seen.
void MazeGuide::DrawPath(const RoutePath& path, Colour colour, int alpha) {
    line_.red = colour.red;
    line_.green = colour.green;
    line_.blue = colour.blue;
    line_.alpha = alpha;
    int runStart = -1;
    for (int i = 0; i + 1 < path.CellCount(); ++i) {
        const field::CellPos from = path.Cell(i);
        const field::CellPos to = path.Cell(i + 1);
        const bool shown = Visible(CentreX(from), CentreY(from)) && Visible(CentreX(to), CentreY(to));
        if (shown && runStart < 0) {
            runStart = i;
        }
        const bool lastOfRun =
            i + 2 >= path.CellCount() || !shown ||
            (path.Cell(i + 2).column - to.column != to.column - from.column) ||
            (path.Cell(i + 2).row - to.row != to.row - from.row) ||
            !Visible(CentreX(path.Cell(i + 2)), CentreY(path.Cell(i + 2)));
        if (runStart < 0 || !lastOfRun) {
            continue;
        }
        const field::CellPos start = path.Cell(runStart);
        const field::CellPos end = shown ? to : from;
        const float x0 = CentreX(start);
        const float y0 = CentreY(start);
        const float x1 = CentreX(end);
        const float y1 = CentreY(end);
        const float length = std::hypot(x1 - x0, y1 - y0);
        if (length > 0.0f) {
            // Each run reaches half a line's width past its ends, so corners join.
            DrawPlate(line_, 0.5f * (x0 + x1), 0.5f * (y0 + y1), length + kLineWidth, kLineWidth,
                      std::atan2(y1 - y0, x1 - x0));
        }
        runStart = -1;
    }
}

void MazeGuide::DrawEnds(int route) {
    const RoutePath& path = paths_[static_cast<std::size_t>(route)];
    int first = -1;
    int last = -1;
    for (int i = 0; i < path.CellCount(); ++i) {
        if (Visible(CentreX(path.Cell(i)), CentreY(path.Cell(i)))) {
            first = first < 0 ? i : first;
            last = i;
        }
    }
    if (first < 0) {
        return;
    }
    const Colour colour = kRouteColours[static_cast<std::size_t>(route)];
    plate_.red = colour.red / 3;
    plate_.green = colour.green / 3;
    plate_.blue = colour.blue / 3;
    for (const auto& [index, label] : {std::pair{first, &entrance_}, std::pair{last, &exit_}}) {
        const float x = std::clamp(CentreX(path.Cell(index)), kLabelLow, kLabelHigh);
        const float y = std::clamp(CentreY(path.Cell(index)), kLabelLow - 10.0f, kLabelHigh + 10.0f);
        DrawPlate(plate_, x, y, 30.0f, 15.0f);
        label->SetPosition(x + 13.0f, y + 1.0f);
        label->Draw();
    }
    plate_.red = plate_.green = plate_.blue = 0;
}

void MazeGuide::DrawPreview() {
    const auto x = static_cast<float>(plotX_);
    const auto y = static_cast<float>(plotY_);
    if (trial_ != Battlefield::Trial::Open) {
        DrawPlate(refusedPlot_, x, y, 32.0f, 32.0f);
        PanelText& reason = trial_ == Battlefield::Trial::CutRoute ? cutRoute_ : strands_;
        const float left = std::clamp(x - 50.0f, kVisibleLow, kVisibleHigh - 104.0f);
        const float top = std::clamp(y - 34.0f, kVisibleLow, kVisibleHigh);
        DrawPlate(plate_, left + 52.0f, top + 8.0f, 104.0f, 16.0f);
        reason.SetPosition(left + 64.0f + 2.0f, top + 8.0f);
        reason.Draw();
        return;
    }
    for (int route = 0; route < 2; ++route) {
        const auto r = static_cast<std::size_t>(route);
        if (used_[r]) {
            DrawPath(previewPaths_[r], kPreviewColour, kPreviewAlpha);
        }
    }
    const float right = std::clamp(x + 40.0f, kVisibleLow + 30.0f, kVisibleHigh);
    const float top = std::clamp(y - 24.0f, kVisibleLow + 8.0f, kVisibleHigh);
    DrawRightAligned(change_, lengthChange_, right, top);
}

}  // namespace guide
