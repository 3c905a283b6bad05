#include <array>

#include "app/Random.h"
#include "field/Battlefield.h"
#include "field/EnemyFactory.h"

namespace {

constexpr int kFairySquad = 5;
constexpr int kFurball = 6;
constexpr int kBigFurball = 7;
constexpr int kLastKind = 13;
constexpr int kScatteredPerRoute = 8;
constexpr int kBigFurballsPerRoute = 4;

// Squad colours in formation order, front to back: yellow, red, blue, green.
constexpr std::array<int, 4> kSquadKinds{4, 1, 2, 3};
constexpr std::array<int, 4> kSquadDepths{-32, -52, -72, -92};

int RandomStep(int count) { return 2 * (Random::Next() % count); }

// A loose crowd in the entrance corridor. The y is drawn before the x, and for route 0 the
// corridor's long axis is y.
field::PixelPos CrowdPlace(int route) {
    if (route == 1) {
        const int y = 192 + RandomStep(40);
        return {-112 + RandomStep(56), y};
    }
    const int y = -112 + RandomStep(56);
    return {192 + RandomStep(40), y};
}

field::PixelPos BigPlace(int route) {
    if (route == 1) {
        return {-72, 192 + RandomStep(30)};
    }
    return {192 + RandomStep(30), -72};
}

}  // namespace

void Battlefield::SpawnWave(gfx::Device* device, int kindId, int health, std::uint32_t reward, int wave) {
    if (waveAppear_) {
        waveAppear_(kindId);
    }
    const bool big = kindId >= 21;
    const int baseKind = big ? kindId - kBigKindOffset : kindId;
    if (baseKind < 1 || baseKind > kLastKind) {
        return;
    }
    field::EnemySpawn spawn{0, 0, 0, health, reward, wave, 0, big};
    // Route 1 first, then route 0 where the stage has it.
    for (int route = 1; route >= 2 - routeCount_; --route) {
        spawn.route = route;
        if (baseKind == kFairySquad) {
            const int rows = big ? 1 : 2;
            for (int line = 0; line < rows; ++line) {
                // One file down the middle of the corridor when big, two beside it otherwise.
                const int across = big ? 232 : 212 + 40 * line;
                for (std::size_t i = 0; i < kSquadKinds.size(); ++i) {
                    spawn.x = route == 1 ? kSquadDepths[i] : across;
                    spawn.y = route == 1 ? across : kSquadDepths[i];
                    AddEnemy(field::CreateEnemy(kSquadKinds[i], device, &walkLoad_, spawn));
                }
            }
            continue;
        }
        const bool furballWave = baseKind == kBigFurball;
        spawn.splitDepth = furballWave ? splitDepth_ : 0;
        const int count = big ? 1 : (furballWave ? kBigFurballsPerRoute : kScatteredPerRoute);
        for (int i = 0; i < count; ++i) {
            const field::PixelPos place = (big && !furballWave) ? BigPlace(route) : CrowdPlace(route);
            spawn.x = place.x;
            spawn.y = place.y;
            AddEnemy(field::CreateEnemy(baseKind, device, &walkLoad_, spawn));
        }
    }
}

void Battlefield::SplitFurball(gfx::Device* device, const Enemy& parent) {
    const int baseKind = parent.IsBig() ? parent.kind - kBigKindOffset : parent.kind;
    if (parent.splitDepth <= 0 || (baseKind != kFurball && baseKind != kBigFurball)) {
        return;
    }
    const bool big = parent.IsBig();
    const field::EnemySpawn spawn{parent.route,
                                  static_cast<int>(parent.x),
                                  static_cast<int>(parent.y),
                                  parent.maxHp / 2,
                                  0,
                                  parent.level,
                                  parent.splitDepth - 1,
                                  big};
    for (int child = 0; child < 2; ++child) {
        auto furball = field::CreateEnemy(kFurball, device, &walkLoad_, spawn);
        furball->Scatter();
        AddEnemy(std::move(furball));
    }
}
