#pragma once
#include <string>

#include "object/MouseChangeObject2D.h"
#include "object/Object2D.h"

class DirectSound;
class FileClass;
struct SceneContext;

// What the title's screens share: the screen numbers, the four sounds and a few sprite helpers.
namespace title {

enum Screen : int {
    kQuit = 0,
    kMenu = 1,
    kGameSelect = 2,
    kMusicRoom = 3,
    kOption = 4,
    kStay = -1,       // a screen's frame asks for nothing
    kStartBattle = -2,  // the game select asks for the battle
};

struct Sounds {
    DirectSound* select = nullptr;       // a setting changed
    DirectSound* putOnCursor = nullptr;  // the hovered menu item changed
    DirectSound* gameDecide = nullptr;   // a choice confirmed
    DirectSound* cancel = nullptr;       // back from the game select

    void Load(const FileClass& registry);
    static void Play(DirectSound* sound);
};

// A sprite showing band `band` of `bands` horizontal bands of a sheet.
void ShowBand(Object2D& sprite, int band, int bands);
// Mirrors a sprite left to right through its texture coordinates.
void Mirror(Object2D& sprite);
// A clickable sprite of the registry's texture, centred at (x, y), hit box of its own size.
void MakeButton(MouseChangeObject2D& button, gfx::Device* device, const char* texture, float x, float y,
                float width, float height);
// A button whose picture is a sheet of 128 x 32 bands, each a face (112 x 28 unless given) with
// a clear margin: drawn 1:1, centred at (x, y), with a hit box of the face's size.
void MakeTitleButton(MouseChangeObject2D& button, gfx::Device* device, const char* texture, float x, float y,
                     float faceWidth = 112.0f, float faceHeight = 28.0f);
// Points the sprite at the registry's picture of that name again, in the language now in use.
void Refetch(Object2D& sprite, const char* texture);
// Hit-tests the button (only for an active screen) and draws it; true when it was clicked.
bool ButtonClicked(MouseChangeObject2D& button, const SceneContext& input, bool active);
// The same for a title button showing band `band` of a sheet of `bands`, whose lower half holds
// the lit looks: while the mouse is over it, band + bands / 2 shows instead.
constexpr int kOneButtonBands = 2;  // a sheet of one title button: plain, lit
bool LitButtonClicked(MouseChangeObject2D& button, int band, int bands, const SceneContext& input, bool active);
// The way back to the menu from a screen: its return button (a one-button sheet, drawn here), or a
// right click anywhere while the screen is active.
bool BackClicked(MouseChangeObject2D& returnButton, const SceneContext& input, bool active);

// Input for a screen that must not react (it is fading out): the mouse is kept, nothing is pressed.
SceneContext Inactive(const SceneContext& input);

}  // namespace title
