#include "resource/FileClass.h"

#include "base/Language.h"
#include "platform/MessageBox.h"
#include "resource/FilePackLoad.h"
#include "resource/ImageVariant.h"
#include "resource/PackNames.h"
#include "resource/RequiredAssets.h"

FileClass g_FileClass;

FileClass::FileClass() = default;

// Effects first, then the music player, then the textures (members go in reverse order).
FileClass::~FileClass() {
    silentLoop_ = nullptr;
    sounds_.clear();
}

void FileClass::LoadTexturePack(const std::string& path, gfx::Device* device) {
    CFilePackLoad pack;
    pack.Open(path, device);
    for (const auto& [name, entry] : pack.Entries()) {
        if (!HasTexture(name)) {
            AddTexture(name, pack.GetTexture(name));
        }
    }
}

void FileClass::LoadSoundPack(const std::string& path) {
    CFilePackLoad pack;
    pack.Open(path);
    for (const auto& [name, entry] : pack.Entries()) {
        if (name.find("bgm_") != std::string::npos || sounds_.count(name) != 0) {
            continue;
        }
        auto sound = std::make_unique<DirectSound>();
        sound->Load(path.c_str(), entry.offset);
        sounds_.emplace(name, std::move(sound));
    }
    silentLoop_ = FindSound("nosound.wav");
    if (silentLoop_ != nullptr) {
        silentLoop_->PlayLoopFromStart();
    }
}

bool FileClass::ValidateAssets() const {
    for (const char* name : required_assets::Textures()) {
        if (FindExactTexture(name) == nullptr) {
            return false;
        }
    }
    for (const char* name : required_assets::Sounds()) {
        if (FindSound(name) == nullptr) {
            return false;
        }
    }
    CFilePackLoad music;
    music.Open(pack::kMusicPack);
    for (const char* name : required_assets::MusicTracks()) {
        std::uint32_t offset = 0xFFFFFFFFu;
        music.FindOffset(name, offset);
        if (offset == 0xFFFFFFFFu) {
            return false;
        }
    }
    return true;
}

gfx::Texture* FileClass::FindTexture(const std::string& name) const {
    // Chosen at each call, so a screen that fetches its pictures again after a language switch
    // gets the new language's.
    const std::string shown = image_variant::InUse(name, [this](const std::string& variant) {
        return FindExactTexture(variant) != nullptr;
    });
    return FindExactTexture(shown);
}

gfx::Texture* FileClass::FindExactTexture(const std::string& name) const {
    const auto found = textures_.find(name);
    return found != textures_.end() ? found->second.get() : nullptr;
}

bool FileClass::HasTexture(const std::string& name) const { return textures_.count(name) != 0; }

void FileClass::AddTexture(const std::string& name, std::unique_ptr<gfx::Texture> texture) {
    // try_emplace leaves the argument untouched when the name is taken; it is then freed here.
    textures_.try_emplace(name, std::move(texture));
}

DirectSound* FileClass::FindSound(const std::string& name) const {
    const auto found = sounds_.find(name);
    if (found == sounds_.end()) {
        platform::ShowMessage("", N_MESSAGE("SEを取得する事が出来ませんでした"));
        return nullptr;
    }
    return found->second.get();
}

void FileClass::SetVolumes(int musicPercent, int effectPercent) {
    for (const auto& [name, sound] : sounds_) {
        sound->SetVolumePercent(effectPercent);
    }
    music_.SetVolumePercent(musicPercent);
}
