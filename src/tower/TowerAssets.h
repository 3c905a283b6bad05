#pragma once
#include <map>
#include <string>

class DirectSound;
namespace gfx {
class Texture;
}

// The pictures and sounds a controller's towers share. Each name is looked up in the registry the
// first time a tower asks for it and kept for the stage, so a missing sound is reported once, not
// once per tower built.
class TowerAssets {
public:
    gfx::Texture* Texture(const std::string& name);
    DirectSound* Sound(const std::string& name);
    // Plays the sound from its start; a missing sound plays nothing.
    void Play(const std::string& name);

private:
    std::map<std::string, gfx::Texture*> textures_;
    std::map<std::string, DirectSound*> sounds_;
};
