#include "tower/Characters.h"

#include "base/Language.h"
#include "tower/AmuletTanks.h"
#include "tower/ArdelShooters.h"
#include "tower/Ardel_Lantern.h"
#include "tower/Ardel_Pebble.h"
#include "tower/LaserTanks.h"
#include "tower/SoulTanks.h"
#include "tower/SoviaShooters.h"
#include "tower/Sovia_Planetar.h"
#include "tower/SpellTanks.h"
#include "tower/TankNormal.h"

namespace {

constexpr CatalogueEntry kArdelCatalogue[tower::kKindsPerCharacter] = {
    {N_NAME("Pebble"), N_TEXT("Ardelの基本装備。\nコストが安い。"), N_NOTE("最大強化で射程距離が\n３倍に増加する。"), 3, 10, 60},  // 1 Ardel_TankNormal
    {N_NAME("ホーミングアミュレット"), N_TEXT("誘導弾を発射する。\n射程が広い。"), N_NOTE("最大強化で連射速度が\n増加する。"), 5, 5, 120},  // 2 Ardel_HomingAmulet
    {N_NAME("Spindle"), N_TEXT("連射性能が高い。"), N_NOTE("最大強化で射程距離と\n連射速度が増加する。"), 9, 6, 70},  // 3 Ardel_Spindle
    {N_NAME("Gale"), N_TEXT("妖怪に対しては特性が\n変化する。"), N_NOTE("妖怪には強力な３Way弾\nを発射し、その他の敵には\n単発攻撃。"), 15, 20, 70},  // 4 Ardel_Gale
    {N_NAME("ブラスクアミュレット"), N_TEXT("誘導弾で多段Hitする。"), N_NOTE("強化するとHit数が増加。\n"), 7, 5, 90},  // 5 Ardel_BraskAmulet
    {N_NAME("Pebble Seal"), N_TEXT("同時発射数が多い。"), N_NOTE("ロックオンするとその敵に\n向けて弾幕を飛ばすこと\nができる。\n強化で発射数が増える。"), 8, 4, 70},  // 6 Ardel_Pebble
    {N_NAME("Lantern"), N_TEXT("隣接した敵にダメージ。\n一定確率でスタンさせる。"), N_NOTE("強化するとスタン確率が\n上がる。\n\n飛行の敵には攻撃不可。"), 25, 40, 40},  // 7 Ardel_Lantern
    {N_NAME("Sunburst"), N_TEXT("追尾弾＋範囲攻撃\nの弾幕を発射する。"), N_NOTE("強化すると爆発範囲が\n増える。"), 32, 15, 80},  // 8 Ardel_Sunburst
    {N_NAME("Twinward"), N_TEXT("範囲内の敵にダメージ。\n使い捨てスペル。"), N_NOTE("レベル1以上で一定時間\n動きを縛る。"), 30, 100, 70},  // 9 Ardel_Bomb
    {N_NAME("吸霊"), N_TEXT("幽霊を柔らかくする。"), N_NOTE("吸霊範囲：　円形"), 30, 0, 80},  // 10 Ardel_Soul
};

constexpr CatalogueEntry kSoviaCatalogue[tower::kKindsPerCharacter] = {
    {N_NAME("マジックミサイル"), N_TEXT("Soviaの基本装備。\nコストが安い。"), N_NOTE("最大強化時の攻撃力が\n高い。"), 3, 10, 60},  // 1 Sovia_TankNormal
    {N_NAME("MirageLazer"), N_TEXT("レーザーを照射する。"), N_NOTE("強化するにつれてレーザー\n照射時間が増加。\n\n飛行の敵には攻撃不可。"), 10, 32, 100},  // 2 Sovia_MirageLazer
    {N_NAME("スターダストミサイル"), N_TEXT("攻撃力が高いミサイルを\n発射する。"), N_NOTE("最大強化で３連射になる。"), 10, 18, 80},  // 3 Sovia_StarDustMissile
    {N_NAME("スプレッドスター"), N_TEXT("Hitすると爆発する。\n爆発内の敵にダメージ。"), N_NOTE("強化すると爆発範囲が\n増加する。\n最大強化で連射速度が\n増加する。"), 10, 12, 70},  // 4 Sovia_SpreadStar
    {N_NAME("Cold Frostfire"), N_TEXT("敵の移動速度を下げる。"), N_NOTE("強化するにつれ移動速度\nをより低下させる。\n\nFrelleには効果が無い。"), 15, 1, 50},  // 5 Sovia_Cold
    {N_NAME("Nebula"), N_TEXT("扇状に連続発射する。\n命中精度が悪い。"), N_NOTE("強化すると発射数と\n連射速度が増加する。"), 10, 6, 70},  // 6 Sovia_Nebula
    {N_NAME("TerraRay"), N_TEXT("飛行タイプの敵に対して\n高い効果を発揮する。"), N_NOTE("最大強化で発射数が\n増加する。\n\n地上の敵には攻撃不可。"), 10, 30, 75},  // 7 Sovia_TerraRay
    {N_NAME("Planetar"), N_TEXT("周囲にビットを展開する。"), N_NOTE("最大までビットを溜めると\n射程内のロックオンした敵\nに向けてビットを飛ばすこと\nができる。"), 8, 30, 100},  // 8 Sovia_Planetar
    {N_NAME("GreatBeam"), N_TEXT("極大レーザーを放つ。\n使い捨てスペル。"), N_NOTE("発射方向はマウスポインタ\nの方向で決まる。"), 90, 360, -1},  // 9 Sovia_Bomb
    {N_NAME("吸霊"), N_TEXT("幽霊を柔らかくする。"), N_NOTE("吸霊範囲：　一直線"), 30, 0, 110},  // 10 Sovia_Soul
};

constexpr CharacterArt kArdelArt{"ardel_tank.png", "ardel_animation.png", 490.0f, 95.0f, 95.0f, 95.0f};
// Her idle, hurt and working poses stand at slightly different heights.
constexpr CharacterArt kSoviaArt{"sovia_tank.png", "sovia_animation.png", 490.0f, 91.0f, 92.0f, 90.0f};


}  // namespace

csArdel::csArdel(gfx::Device* device, const StageCounters& counters)
    : cBaseCharacter(device, counters, kArdelCatalogue, kArdelArt) {}

std::unique_ptr<cBaseCharacterTank> csArdel::MakeTower(const TowerContext& context, int kind, int x, int y) const {
    switch (kind) {
        case 1: return std::make_unique<Ardel_TankNormal>(context, x, y);
        case 2: return std::make_unique<Ardel_HomingAmulet>(context, x, y);
        case 3: return std::make_unique<Ardel_Spindle>(context, x, y);
        case 4: return std::make_unique<Ardel_Gale>(context, x, y);
        case 5: return std::make_unique<Ardel_BraskAmulet>(context, x, y);
        case 6: return std::make_unique<Ardel_Pebble>(context, x, y);
        case 7: return std::make_unique<Ardel_Lantern>(context, x, y);
        case 8: return std::make_unique<Ardel_Sunburst>(context, x, y);
        case 9: return std::make_unique<Ardel_Bomb>(context, x, y);
        case 10: return std::make_unique<Ardel_Soul>(context, x, y);
        default: return nullptr;  // the controller only asks for kinds 1..10
    }
}

csSovia::csSovia(gfx::Device* device, const StageCounters& counters)
    : cBaseCharacter(device, counters, kSoviaCatalogue, kSoviaArt) {}

std::unique_ptr<cBaseCharacterTank> csSovia::MakeTower(const TowerContext& context, int kind, int x, int y) const {
    switch (kind) {
        case 1: return std::make_unique<Sovia_TankNormal>(context, x, y);
        case 2: return std::make_unique<Sovia_MirageLazer>(context, x, y);
        case 3: return std::make_unique<Sovia_StarDustMissile>(context, x, y);
        case 4: return std::make_unique<Sovia_SpreadStar>(context, x, y);
        case 5: return std::make_unique<Sovia_Cold>(context, x, y);
        case 6: return std::make_unique<Sovia_Nebula>(context, x, y);
        case 7: return std::make_unique<Sovia_TerraRay>(context, x, y);
        case 8: return std::make_unique<Sovia_Planetar>(context, x, y);
        case 9: return std::make_unique<Sovia_Bomb>(context, x, y);
        case 10: return std::make_unique<Sovia_Soul>(context, x, y);
        default: return nullptr;  // the controller only asks for kinds 1..10
    }
}

std::unique_ptr<cBaseCharacter> MakeCharacter(int character, gfx::Device* device, const StageCounters& counters) {
    switch (character) {
        case 0: return std::make_unique<csArdel>(device, counters);
        case 1: return std::make_unique<csSovia>(device, counters);
        default: return nullptr;
    }
}
