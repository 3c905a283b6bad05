#include "tower/TowerAssets.h"

#include "resource/FileClass.h"

gfx::Texture* TowerAssets::Texture(const std::string& name) {
    const auto [slot, added] = textures_.try_emplace(name, nullptr);
    if (added) {
        slot->second = g_FileClass.FindTexture(name);
    }
    return slot->second;
}

DirectSound* TowerAssets::Sound(const std::string& name) {
    const auto [slot, added] = sounds_.try_emplace(name, nullptr);
    if (added) {
        slot->second = g_FileClass.FindSound(name);
    }
    return slot->second;
}

void TowerAssets::Play(const std::string& name) {
    if (DirectSound* sound = Sound(name); sound != nullptr) {
        sound->PlayFromStart();
    }
}
