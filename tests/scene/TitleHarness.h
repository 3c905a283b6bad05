#pragma once
#include <filesystem>
#include <memory>

#include "audio/DirectSound.h"
#include "base/SceneContext.h"
#include "gfx/SoftwareDevice.h"
#include "resource/FileClass.h"
#include "resource/PackNames.h"
#include "scene/SceneTitle.h"
#include "support/GameFiles.h"
#include "support/TempDir.h"

// Runs the title scene in this process on the generated packs, frame by frame, with input made
// up by the test: the same path as the game, without the window and the switcher.
class TitleHarness {
public:
    TitleHarness() {
        for (const char* name : {pack::kGraphicsPack, pack::kEffectPack, pack::kMusicPack}) {
            ShareGameFile(name, dir_.Path());
        }
        InitDirectSound(SoundOutput::Null);
        g_FileClass.LoadTexturePack(pack::kGraphicsPack, &device_);
        g_FileClass.LoadSoundPack(pack::kEffectPack);
    }

    // A fresh title, as the switcher builds it.
    SceneTitle& Open() {
        title_ = std::make_unique<SceneTitle>();
        title_->Init(&device_);
        context_ = SceneContext{};
        context_.sceneCode = SceneCode::Title;
        return *title_;
    }

    void Frames(int count) {
        for (int i = 0; i < count; ++i) {
            Frame();
        }
    }

    void Frame() {
        title_->Frame(&device_, context_);
        context_.ReleaseAll();
    }

    // Moves there, presses and releases the left (or right) button over two frames.
    void Click(int x, int y, bool right = false) {
        context_.SetMouse(x, y);
        Frame();  // hover first, as a player's cursor would
        context_.SetButtons(right ? 0 : 1, right ? 1 : 0);
        Frame();
    }

    void PressKey(int key) {
        context_.SetKey(key, 1);
        Frame();
    }

    // Lets a screen change finish; false if it never settles.
    bool Settle(int screen) {
        for (int i = 0; i < 240; ++i) {
            if (title_->Screen() == screen && !title_->Changing()) {
                return true;
            }
            Frame();
        }
        return false;
    }

    SceneContext& Context() { return context_; }
    SceneTitle& Title() { return *title_; }

private:
    ScopedTempDir dir_;
    gfx::SoftwareDevice device_{nullptr};
    std::unique_ptr<SceneTitle> title_;
    SceneContext context_;
};
