#include "enemy/Enemy_Noctra.h"

#include <algorithm>

#include "resource/FileClass.h"

Enemy_Noctra::Enemy_Noctra(const EnemySpawn& spawn) : Enemy({EnemyKind::Noctra, 0.9, "enemy_noctra.png"}, spawn) {
    // The darkness of later waves spreads further.
    const int reach = 2 * std::clamp(level, 0, 50) + 100;
    shadowSize.Set(0, spawn.big ? 2 * reach : reach, 0);
    shadowAlpha.Set(0, spawn.big ? 250 : 210, 0);
    shadow.Create(device_, g_FileClass.FindTexture("noctra_dark.png"), x, y, 128.0f, 128.0f);
    shadow.red = 0;
    shadow.green = 0;
    shadow.blue = 0;
    shadow.alpha = 0;
}

void Enemy_Noctra::OnRunningFrame() {
    // Grows while she lives; shrinks fast once she died.
    if (dead != 0) {
        shadowSize.Decrease(5);
        shadowAlpha.Decrease(20);
    } else {
        shadowSize.Increase(1);
        shadowAlpha.Increase(1);
    }
    const float size = static_cast<float>(shadowSize.Get());
    shadow.alpha = shadowAlpha.Get();
    shadow.SetSize(size, size);
    shadow.SetPosition(x, y);
}

void Enemy_Noctra::DrawOverlay(int update) { shadow.Draw(update); }
