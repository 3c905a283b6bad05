#include "object/DrawCrisp.h"

#include "gfx/RenderPresets.h"
#include "gfx/RenderStates.h"
#include "object/Sprite.h"

void DrawCrisp(Sprite& sprite, int update) {
    StageFilterScope crisp(sprite.device, gfx::TEXF_POINT);
    sprite.Draw(update);
}
