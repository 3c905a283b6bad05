// The three stage backgrounds, the field overlays and the pieces drawn on the field.
//
// Stage pictures are drawn 512 x 512 centred on (224, 224), so an image pixel is a screen pixel
// plus 32 and the 16-pixel field cells start on multiples of 16. The walkable central square is
// image 64..448 on both axes; the corridors enter from the west and north and leave east and
// south, 96 pixels wide around image 256.
#include <cmath>

#include "ArtKit.h"
#include "ImageSet.h"
#include "Noise.h"

namespace assetgen {

namespace {

using namespace kit;

constexpr int kSide = 512;
constexpr float kInnerLo = 64.0f;
constexpr float kInnerHi = 448.0f;
constexpr float kLaneLo = 208.0f;
constexpr float kLaneHi = 304.0f;

bool InLane(float v) { return v >= kLaneLo && v < kLaneHi; }
bool InInner(float v) { return v >= kInnerLo && v < kInnerHi; }

// True where enemies can walk on some difficulty: the central square and the four corridors.
bool Walkable(float x, float y) {
    return (InInner(x) && InInner(y)) || (InLane(y) && (x < kInnerLo || x >= kInnerHi)) ||
           (InLane(x) && (y < kInnerLo || y >= kInnerHi));
}

// Distance from a point to the nearest wall, for soft shadows cast onto the floor.
float WallDistance(float x, float y) {
    if (!Walkable(x, y)) {
        return 0.0f;
    }
    float best = 1e9f;
    auto consider = [&](float d) { best = std::min(best, d); };
    if (InInner(x) && InInner(y)) {
        if (!InLane(y)) {
            consider(x - kInnerLo);
            consider(kInnerHi - x);
        }
        if (!InLane(x)) {
            consider(y - kInnerLo);
            consider(kInnerHi - y);
        }
    } else if (InLane(y)) {
        consider(y - kLaneLo);
        consider(kLaneHi - y);
    } else {
        consider(x - kLaneLo);
        consider(kLaneHi - x);
    }
    return best;
}

struct Block {
    int col0;
    int row0;
};

// The library's eleven 4 x 4 scenery blocks, by their first cell.
const Block kShelves[11] = {{11, 11}, {29, 11}, {17, 12}, {23, 12}, {14, 20}, {20, 20},
                            {26, 20}, {17, 28}, {23, 28}, {11, 29}, {29, 29}};

float CellEdge(int cell) { return 16.0f * static_cast<float>(cell) - 96.0f; }

// Slate blocks of 32 x 16 in staggered rows, each block its own shade.
Color StoneBlock(float x, float y) {
    const int row = static_cast<int>(y / 16.0f);
    const float shifted = x + static_cast<float>(row % 2) * 16.0f;
    if (std::fmod(shifted, 32.0f) < 1.5f || std::fmod(y, 16.0f) < 1.5f) {
        return Rgb(34, 30, 44);  // mortar
    }
    const float block = ValueNoise(std::floor(shifted / 32.0f), static_cast<float>(row), 9) - 0.5f;
    const float grain = Fractal(x / 24.0f, y / 24.0f, 5, 3) - 0.5f;
    return Shade(Rgb(84, 80, 100), grain * 0.3f + block * 0.2f);
}

Canvas Corridor() {
    Canvas c(kSide, kSide);
    c.FillAll([](float x, float y) {
        if (!Walkable(x, y)) {
            return StoneBlock(x, y);
        }
        // Parquet planks, 16 px high rows with seams staggered every 64 px.
        const int row = static_cast<int>(y / 16.0f);
        const float seam = std::fmod(x + static_cast<float>(row % 4) * 24.0f, 64.0f);
        const float grain = Fractal(x / 40.0f, y / 3.0f + static_cast<float>(row) * 7.0f, 17, 3);
        Color wood = Shade(Rgb(150, 96, 56), (grain - 0.5f) * 0.45f);
        if (std::fmod(y, 16.0f) < 1.0f || seam < 1.0f) {
            wood = Shade(wood, -0.45f);
        }
        // Shadow along the walls.
        const float shade = Clamp01(WallDistance(x, y) / 14.0f);
        return Shade(wood, -(1.0f - shade) * 0.5f);
    });
    // The red carpet runners along both routes, with gold edging.
    const Color carpet = Rgb(110, 24, 48);
    auto runner = [&](const Shape& s) { c.Fill(s, WithAlpha(carpet, 0.92f)); };
    runner(Rect(0, 224, kSide, 288));
    runner(Rect(224, 0, 288, kSide));
    for (const float e : {226.0f, 285.0f}) {
        c.Fill(Rect(0, e, kSide, e + 1.5f), WithAlpha(kGold, 0.8f));
        c.Fill(Rect(e, 0, e + 1.5f, kSide), WithAlpha(kGold, 0.8f));
    }
    c.Fill(Outline(RegularPolygon(256, 256, 26, 4, 0), 2), WithAlpha(kGold, 0.85f));
    c.Fill(RegularPolygon(256, 256, 20, 4, 0), Rgb(120, 20, 30));
    c.Fill(Star(256, 256, 12, 5, 8, 0), WithAlpha(kGold, 0.9f));
    // A carved skirting where the walls meet the floor, and sconces on the walls.
    const Color skirting = Rgb(70, 44, 30);
    for (const float e : {kInnerLo, kInnerHi}) {
        for (const auto& [a, b] : {std::pair{kInnerLo, kLaneLo}, std::pair{kLaneHi, kInnerHi}}) {
            c.Fill(Rect(a, e - 4, b, e + 1), skirting);
            c.Fill(Rect(e - 4, a, e + 1, b), skirting);
        }
    }
    for (const float e : {kLaneLo, kLaneHi}) {
        for (const auto& [a, b] : {std::pair{0.0f, kInnerLo}, std::pair{kInnerHi, static_cast<float>(kSide)}}) {
            c.Fill(Rect(a, e - 2.5f, b, e + 2.5f), skirting);
            c.Fill(Rect(e - 2.5f, a, e + 2.5f, b), skirting);
        }
    }
    for (int i = 0; i < 4; ++i) {
        const float x = 96.0f + 96.0f * static_cast<float>(i) + (i >= 2 ? 32.0f : 0.0f);
        c.Glow(Circle(x + 14, 58, 3), WithAlpha(Rgb(255, 200, 100), 0.8f), 10);
        c.Glow(Circle(x + 14, 454, 3), WithAlpha(Rgb(255, 200, 100), 0.8f), 10);
    }
    return c;
}

void Shelf(Canvas& c, float x0, float y0, float x1, float y1, Rng& rng) {
    c.Fill(RoundRect(x0 + 4, y0 + 6, x1 + 4, y1 + 6, 3), Rgb(0, 0, 0, 0.45f), 4);
    c.Fill(RoundRect(x0, y0, x1, y1, 3), Linear(0, y0, Rgb(120, 76, 40), 0, y1, Rgb(80, 48, 24)));
    // Shelves of book spines seen from above at an angle, 15 px apart.
    const int shelves = static_cast<int>((y1 - y0 - 3) / 15.0f);
    for (int s = 0; s < shelves; ++s) {
        const float sy = y0 + 3 + 15.0f * static_cast<float>(s);
        float bx = x0 + 3;
        while (bx < x1 - 5) {
            const float w = rng.Range(3.0f, 6.0f);
            const float h = rng.Range(9.0f, 12.0f);
            const Color book =
                Mix(Rgb(40 + rng.Below(180), 30 + rng.Below(120), 40 + rng.Below(150)), Rgb(90, 40, 40), 0.3f);
            const float right = std::min(bx + w, x1 - 3);
            c.Fill(Rect(bx, sy + 12 - h, right, sy + 12),
                   Linear(bx, 0, Shade(book, 0.25f), right, 0, Shade(book, -0.3f)), 0.7f);
            if (rng.Below(3) == 0) {
                c.Fill(Rect(bx, sy + 14 - h, right, sy + 15 - h), WithAlpha(kGold, 0.7f), 0.7f);
            }
            bx += w + 0.6f;
        }
        c.Fill(Rect(x0 + 2, sy + 12, x1 - 2, sy + 14.5f), Rgb(150, 100, 56));
    }
    c.Fill(Outline(RoundRect(x0 + 0.5f, y0 + 0.5f, x1 - 0.5f, y1 - 0.5f, 3), 1.5f), Rgb(50, 28, 14));
}

Canvas Library() {
    Canvas c(kSide, kSide);
    c.FillAll([](float x, float y) {
        if (!Walkable(x, y)) {
            const float n = Fractal(x / 30.0f, y / 30.0f, 31, 3);
            const float stripe = std::fmod(y, 32.0f) < 3.0f ? -0.35f : 0.0f;
            return Shade(Rgb(70, 44, 36), (n - 0.5f) * 0.4f + stripe);
        }
        // Chequered marble in 32 px tiles.
        const int tx = static_cast<int>(x / 32.0f);
        const int ty = static_cast<int>(y / 32.0f);
        const bool dark = (tx + ty) % 2 == 0;
        const float vein = Fractal(x / 50.0f, y / 50.0f, 41, 4);
        const float marble = std::fabs(std::sin(x / 22.0f + vein * 9.0f));
        Color tile = dark ? Rgb(96, 94, 132) : Rgb(156, 152, 180);
        tile = Shade(tile, (marble - 0.6f) * 0.15f);
        if (std::fmod(x, 32.0f) < 1.0f || std::fmod(y, 32.0f) < 1.0f) {
            tile = Shade(tile, -0.35f);
        }
        const float shade = Clamp01(WallDistance(x, y) / 14.0f);
        return Shade(tile, -(1.0f - shade) * 0.5f);
    });
    // Bookcases line the outer walls, split into cases of about 50 px between the corridors.
    Rng rng(1234);
    auto wallRun = [&](float from, float to, float across0, float across1, bool horizontal) {
        const int count = std::max(1, static_cast<int>(std::lround((to - from) / 50.0f)));
        const float step = (to - from) / static_cast<float>(count);
        for (int i = 0; i < count; ++i) {
            const float a = from + step * static_cast<float>(i);
            if (horizontal) {
                Shelf(c, a, across0, a + step, across1, rng);
            } else {
                Shelf(c, across0, a, across1, a + step, rng);
            }
        }
    };
    for (const float y : {0.0f, kInnerHi}) {
        wallRun(0, kLaneLo, y, y + 64, true);
        wallRun(kLaneHi, kSide, y, y + 64, true);
    }
    for (const float x : {0.0f, kInnerHi}) {
        wallRun(kInnerLo, kLaneLo, x, x + 64, false);
        wallRun(kLaneHi, kInnerHi, x, x + 64, false);
    }
    // Soft lamp light pools on the floor.
    for (const Point& p : {Point{128, 200}, Point{384, 200}, Point{256, 330}}) {
        c.Fill(Circle(p.x, p.y, 70), Radial(p.x, p.y, 70, Rgb(255, 220, 150, 0.18f), Rgb(255, 220, 150, 0.0f)));
    }
    for (const Block& b : kShelves) {
        Shelf(c, CellEdge(b.col0), CellEdge(b.row0), CellEdge(b.col0) + 64, CellEdge(b.row0) + 64, rng);
    }
    return c;
}

Canvas Sky() {
    Canvas c(kSide, kSide);
    c.FillAll([](float x, float y) {
        if (!Walkable(x, y)) {
            // The open sky below the floating garden, with drifting clouds.
            const float cloud = Fractal(x / 70.0f, y / 50.0f, 51, 5);
            const Color sky = Mix(Rgb(60, 120, 220), Rgb(120, 180, 250), y / static_cast<float>(kSide));
            return Mix(sky, Rgb(250, 250, 255), Clamp01((cloud - 0.5f) * 3.0f));
        }
        // Pale stone flags, 32 px, with moss in the cracks.
        const int tx = static_cast<int>(x / 32.0f);
        const int ty = static_cast<int>(y / 32.0f);
        const float n = Fractal(x / 16.0f, y / 16.0f, 61, 3);
        Color stone =
            Shade(Rgb(226, 214, 188),
                  (ValueNoise(static_cast<float>(tx) * 1.7f, static_cast<float>(ty) * 1.3f, 62) - 0.5f) * 0.25f +
                      (n - 0.5f) * 0.18f);
        const float gx = std::fmod(x, 32.0f);
        const float gy = std::fmod(y, 32.0f);
        if (gx < 1.0f || gy < 1.0f) {
            stone = Mix(stone, Rgb(140, 160, 110), 0.55f);
        }
        const float shade = Clamp01(WallDistance(x, y) / 10.0f);
        return Shade(stone, -(1.0f - shade) * 0.35f);
    });
    // The platform's rim: a bright edge and a shadow falling to the sky.
    const Shape inner = Rect(kInnerLo, kInnerLo, kInnerHi, kInnerHi);
    c.Fill(Outline(inner, 2.5f), Rgb(255, 250, 235));
    c.Fill(Rect(kInnerLo, kInnerHi, kInnerHi, kInnerHi + 10),
           Linear(0, kInnerHi, Rgb(60, 60, 90, 0.5f), 0, kInnerHi + 10, Rgb(60, 60, 90, 0.0f)));
    // Flower beds and a rune circle in the middle.
    Rng rng(77);
    for (int i = 0; i < 70; ++i) {
        const float x = rng.Range(70, 442);
        const float y = rng.Range(70, 442);
        const Color petal = i % 3 == 0 ? Rgb(255, 170, 200) : i % 3 == 1 ? Rgb(255, 250, 180) : Rgb(190, 220, 255);
        c.Fill(Circle(x, y, 1.6f), WithAlpha(petal, 0.85f));
    }
    c.Fill(Outline(Circle(256, 256, 40), 2), Rgb(120, 200, 255, 0.55f));
    c.Fill(Outline(Circle(256, 256, 32), 1), Rgb(120, 200, 255, 0.45f));
    c.Fill(Outline(Star(256, 256, 32, 13, 6, -1.5708f), 1.2f), Rgb(120, 200, 255, 0.5f));
    return c;
}

// The overlay over the border and the off-screen corridors: a deep mist that frames the field.
// Corridors that are open on the difficulty fade out towards the central square so enemies
// can be seen walking in.
Canvas FieldWall(bool twoRoutes) {
    Canvas c(kSide, kSide);
    c.FillAll([twoRoutes](float x, float y) {
        const float n = Fractal(x / 32.0f, y / 32.0f, 91, 3);
        const Color mist = Shade(Rgb(20, 18, 40), (n - 0.5f) * 0.5f);
        if (InInner(x) && InInner(y)) {
            return Color{};
        }
        const bool westEast = InLane(y) && (x < kInnerLo || x >= kInnerHi);
        const bool northSouth = InLane(x) && (y < kInnerLo || y >= kInnerHi);
        if (westEast || (twoRoutes && northSouth)) {
            const float along = westEast ? (x < kInnerLo ? kInnerLo - x : x - kInnerHi + 32.0f)
                                         : (y < kInnerLo ? kInnerLo - y : y - kInnerHi + 32.0f);
            return WithAlpha(mist, Clamp01(along / 64.0f) * 0.9f);
        }
        return mist;
    });
    return c;
}

Canvas Grid() {
    Canvas c(kSide, kSide);
    for (int i = 0; i <= 24; ++i) {
        const float p = kInnerLo + 16.0f * static_cast<float>(i);
        const Color line = i % 2 == 0 ? Rgb(255, 255, 255, 0.32f) : Rgb(255, 255, 255, 0.16f);
        c.Fill(Rect(p - 0.5f, kInnerLo, p + 0.5f, kInnerHi), line, 0.5f);
        c.Fill(Rect(kInnerLo, p - 0.5f, kInnerHi, p + 0.5f), line, 0.5f);
    }
    return c;
}

Canvas RangeCircle() {
    Canvas c(256, 256);
    c.Fill(Circle(128, 128, 125),
           Radial(128, 128, 125,
                  {{0, Rgb(255, 255, 255, 0.05f)}, {0.85f, Rgb(255, 255, 255, 0.16f)}, {1, Rgb(255, 255, 255, 0.3f)}}));
    // Dark borders either side of the light ring keep it visible on pale floors too.
    c.Fill(Outline(Circle(128, 128, 124), 5), Rgb(20, 20, 40, 0.55f));
    c.Fill(Outline(Circle(128, 128, 124), 2.5f), Rgb(255, 255, 255, 0.95f));
    return c;
}

Canvas TowerGround() {
    Canvas c(32, 32, Rgb(60, 56, 66));
    c.Fill(Rect(0, 0, 32, 32), Linear(0, 0, Rgb(150, 146, 160), 32, 32, Rgb(70, 66, 80)));
    c.Fill(Rect(2, 2, 30, 30), [](float x, float y) {
        return Shade(Rgb(120, 116, 130), (Fractal(x / 6.0f, y / 6.0f, 101, 3) - 0.5f) * 0.4f);
    });
    c.Fill(Outline(Rect(4, 4, 28, 28), 1), Rgb(90, 86, 100));
    return c;
}

Canvas ShopPlate() {
    Canvas c(32, 32);
    Panel(c, 0, 0, 32, 32, 5, Rgb(60, 56, 110), Rgb(24, 22, 50), kGoldDark);
    return c;
}

}  // namespace

void PaintFieldImages(ImageSet& set) {
    set.Add("stage_velkra_rouka.png", Corridor());
    set.Add("stage_velkra_library.png", Library());
    set.Add("stage_sky.png", Sky());
    set.Add("fieldwall.png", FieldWall(true));
    set.Add("fieldwall_easy.png", FieldWall(false));
    set.Add("grid.png", Grid());
    set.Add("spread.png", RangeCircle());
    set.Add("towerground.png", TowerGround());
    set.Add("tankbase.png", ShopPlate());
}

}  // namespace assetgen
