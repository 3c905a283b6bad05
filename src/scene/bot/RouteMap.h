#pragma once
#include <vector>

#include "field/FieldGrid.h"

class Battlefield;

namespace bot {

// Where the enemies walk now: the cells of each route from its entrance to the exit, read from
// the field's direction grids, and the plots a tower could be built on.
class RouteMap {
public:
    explicit RouteMap(const Battlefield& field);

    const std::vector<field::PixelPos>& Path() const { return path_; }
    // How many path cells lie within the range of a tower on the plot: how long enemies walk
    // under its fire.
    int Coverage(field::PixelPos plot, int range) const;
    // The plots beside the path a tower of the range would see some of it from, best first:
    // free now, not standing on the path, and not among those already tried.
    std::vector<field::PixelPos> BesidePath(const Battlefield& field, int range,
                                            const std::vector<field::PixelPos>& tried) const;
    // Every plot centre of the field's building area, in reading order.
    static std::vector<field::PixelPos> Plots();

private:
    std::vector<field::PixelPos> path_;
};

}  // namespace bot
