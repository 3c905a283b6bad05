#include "resource/FileClass.h"

#include "platform/MessageBox.h"

FileClass g_FileClass;

FileClass::FileClass() = default;

// Effects first, then the music player, then the textures.
FileClass::~FileClass() {
    silentLoop_ = nullptr;
    sounds_.clear();
}

gfx::Texture* FileClass::FindTexture(const std::string& name) const {
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
        platform::ShowMessage("", "SEを取得する事が出来ませんでした");
        return nullptr;
    }
    return found->second.get();
}

void FileClass::SetVolumes(int /*musicPercent*/, int effectPercent) {
    for (const auto& [name, sound] : sounds_) {
        sound->SetVolumePercent(effectPercent);
    }
}
