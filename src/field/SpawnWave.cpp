#include <array>

#include "base/Random.h"
#include "field/Battlefield.h"
#include "field/EnemyFactory.h"

namespace {

constexpr int kScatteredPerRoute = 8;
constexpr int kBigFurballsPerRoute = 4;

// Squad colours in formation order, front to back.
constexpr std::array<EnemyKind, 4> kSquadKinds{EnemyKind::YellowFairy, EnemyKind::RedFairy, EnemyKind::BlueFairy,
                                               EnemyKind::GreenFairy};
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
    if (!IsKindId(kindId)) {
        return;
    }
    const EnemyKind kind = KindOf(kindId);
    const bool big = IsBigKindId(kindId);
    EnemySpawn spawn{device, &walkLoad_, 0, 0, 0, health, reward, wave, 0, big};
    // Route 1 first, then route 0 where the stage has it.
    for (int route = 1; route >= 2 - routeCount_; --route) {
        spawn.route = route;
        if (kind == EnemyKind::FairySquad) {
            const int rows = big ? 1 : 2;
            for (int line = 0; line < rows; ++line) {
                // One file down the middle of the corridor when big, two beside it otherwise.
                const int across = big ? 232 : 212 + 40 * line;
                for (std::size_t i = 0; i < kSquadKinds.size(); ++i) {
                    spawn.x = route == 1 ? kSquadDepths[i] : across;
                    spawn.y = route == 1 ? across : kSquadDepths[i];
                    AddEnemy(field::CreateEnemy(kSquadKinds[i], spawn));
                }
            }
            continue;
        }
        const bool furballWave = kind == EnemyKind::BigFurball;
        spawn.splitDepth = furballWave ? splitDepth_ : 0;
        const int count = big ? 1 : (furballWave ? kBigFurballsPerRoute : kScatteredPerRoute);
        for (int i = 0; i < count; ++i) {
            const field::PixelPos place = (big && !furballWave) ? BigPlace(route) : CrowdPlace(route);
            spawn.x = place.x;
            spawn.y = place.y;
            AddEnemy(field::CreateEnemy(kind, spawn));
        }
    }
}

void Battlefield::SplitFurball(gfx::Device* device, const Enemy& parent) {
    const EnemyKind kind = KindOf(parent.kind);
    if (parent.splitDepth <= 0 || (kind != EnemyKind::Furball && kind != EnemyKind::BigFurball)) {
        return;
    }
    const EnemySpawn spawn{device,
                           &walkLoad_,
                           parent.route,
                           static_cast<int>(parent.x),
                           static_cast<int>(parent.y),
                           parent.maxHp / 2,
                           0,
                           parent.level,
                           parent.splitDepth - 1,
                           parent.IsBig()};
    for (int child = 0; child < 2; ++child) {
        auto furball = field::CreateEnemy(EnemyKind::Furball, spawn);
        furball->Scatter();
        AddEnemy(std::move(furball));
    }
}
