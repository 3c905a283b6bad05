#include "resource/RequiredAssets.h"

namespace required_assets {

namespace {

constexpr const char* kTextures[] = {
    "bullet.png", "color.png", "cursor.png", "cursor_s.png", "circle_wb.png", "ef_circle.png", "enemy_bigwool.png",
    "enemy_crow.png", "enemy_evil.png", "enemy_f_blue.png", "enemy_f_green.png", "enemy_f_red.png",
    "enemy_f_yellow.png", "enemy_vernie.png", "enemy_spirit.png", "enemy_spirit2.png", "enemy_wool.png",
    "enemy_frelle.png", "enemy_noctra.png", "enemykind_color.png", "enemykind_mozi.png", "explosion.png",
    "fieldwall.png", "fieldwall_easy.png", "flare.png", "gameback.png", "gameback_formusic.png", "gameinform.png",
    "gameinform2.png", "gameinform_base.png", "gamestart.png", "gameselectback.png", "gauge_flame.png", "grid.png",
    "hatena.png", "kekkai.png", "level.png", "level_number.png", "levelflame.png", "life_icon.png",
    "light_ball.png", "light_ball_reverse.png", "light_wave.png", "light_wave2.png", "light_pebble.png",
    "lv_select.png", "mahouzin.png", "mahouzin_beam.png", "music_edit.png", "musicroomback.png",
    "sovia_animation.png", "sovia_tank.png", "sovia_soul.png", "menu.png", "menu_select.png", "ruvani.png",
    "m_beam.png", "nowloading.png", "number.png", "optionback.png", "optionmenu.png", "on_off.png", "p.png",
    "ardel_soul.png", "ardel_animation.png", "ardel_tank.png", "returntitle.png", "noctra_dark.png", "score.png",
    "score_b.png", "smoke.png", "sikaku.png", "speed_icon.png", "spread.png", "spread_icon.png",
    "stageicon_flame.png", "stagename.png", "stage_velkra_rouka.png", "stage_velkra_library.png", "stage_sky.png",
    "startup_back.png", "status_base.png", "stuck.png", "sword_icon.png", "tama.png", "tankbase.png", "target.png",
    "titleback.png", "title_select.png", "title_menuselect.png", "towerground.png", "upgrade.png",
    "upgrade_base.png", "wind.png",
};

constexpr const char* kSounds[] = {
    "cansell.wav", "decide.wav", "gamedecide.wav", "itemget.wav", "lockon.wav", "menu_open.wav", "nosound.wav",
    "powerup.wav", "put.wav", "putoncursor.wav", "select.wav", "sell.wav", "stuck.wav", "soulhit.wav",
    "enemy_appear.wav", "enemy_damage.wav", "enemy_dead.wav", "enemy_goal.wav", "ardel_normalshot.wav",
    "ardel_spindle.wav", "ardel_braskamuret.wav", "ardel_lantern.wav", "ardel_sunburst.wav", "ardel_gale.wav",
    "ardel_shot_break.wav", "ardel_bomb.wav", "sovia_ray_lazar.wav", "sovia_spread_shot.wav",
    "sovia_spread_bomb.wav", "sovia_misile.wav", "sovia_nebula.wav", "sovia_planetar_born.wav",
    "sovia_planetar_explo.wav", "sovia_planetar_hit.wav", "sovia_beamcharge.wav",
};

constexpr const char* kMusicTracks[] = {
    "bgm_title.wav", "bgm_prepare.wav", "bgm_marsh.wav", "bgm_lorn.wav", "bgm_sky.wav",
};

}  // namespace

std::span<const char* const> Textures() { return kTextures; }
std::span<const char* const> Sounds() { return kSounds; }
std::span<const char* const> MusicTracks() { return kMusicTracks; }

}  // namespace required_assets
