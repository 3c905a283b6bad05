#include "scene/title/TitleKit.h"

#include "audio/DirectSound.h"
#include "base/SceneContext.h"
#include "gfx/Device.h"
#include "gfx/RenderPresets.h"
#include "resource/FileClass.h"

namespace title {

void Sounds::Load(const FileClass& registry) {
    select = registry.FindSound("select.wav");
    putOnCursor = registry.FindSound("putoncursor.wav");
    gameDecide = registry.FindSound("gamedecide.wav");
    cancel = registry.FindSound("cansell.wav");
}

void Sounds::Play(DirectSound* sound) {
    if (sound != nullptr) {
        sound->PlayFromStart();
    }
}

void ShowBand(Object2D& sprite, int band, int bands) {
    const float top = static_cast<float>(band) / static_cast<float>(bands);
    const float bottom = static_cast<float>(band + 1) / static_cast<float>(bands);
    sprite.SetAnimation(sprite.alpha, sprite.pulseStep, sprite.uLeft, sprite.uRight, 0.0f, top, bottom, 0.0f);
}

void Mirror(Object2D& sprite) {
    sprite.SetAnimation(sprite.alpha, sprite.pulseStep, 1.0f, 0.0f, 0.0f, sprite.vTop, sprite.vBottom, 0.0f);
}

void MakeButton(MouseChangeObject2D& button, gfx::Device* device, const char* texture, float x, float y,
                float width, float height) {
    button.Create(device, g_FileClass.FindTexture(texture), x, y, width, height);
    button.SetHitBox(width, height, 0.0f, 0.0f);
}

void MakeTitleButton(MouseChangeObject2D& button, gfx::Device* device, const char* texture, float x, float y,
                     float faceWidth, float faceHeight) {
    button.Create(device, g_FileClass.FindTexture(texture), x, y, 128.0f, 32.0f);
    button.SetHitBox(faceWidth, faceHeight, 0.0f, 0.0f);
}

void Refetch(Object2D& sprite, const char* texture) { sprite.texture = g_FileClass.FindTexture(texture); }

bool ButtonClicked(MouseChangeObject2D& button, const SceneContext& input, bool active) {
    const bool hit = active && button.HitTest(input, 0);
    button.Draw(1);
    return hit && input.leftPressed != 0;
}

bool LitButtonClicked(MouseChangeObject2D& button, int band, int bands, const SceneContext& input, bool active) {
    const bool hit = active && button.HitTest(input, 0);
    ShowBand(button, hit ? band + bands / 2 : band, bands);
    button.Draw(1);
    return hit && input.leftPressed != 0;
}

bool BackClicked(MouseChangeObject2D& returnButton, const SceneContext& input, bool active) {
    // The button is drawn whatever the right button does.
    const bool clicked = LitButtonClicked(returnButton, 0, kOneButtonBands, input, active);
    return clicked || (active && input.rightPressed != 0);
}

SceneContext Inactive(const SceneContext& input) {
    SceneContext idle = input;
    for (KeyState& key : idle.keys) {
        key.pressed = 0;
    }
    idle.leftPressed = 0;
    idle.rightPressed = 0;
    return idle;
}

}  // namespace title
