#pragma once
#include <array>

#include "object/MouseChangeObject2D.h"
#include "object/Object2D.h"
#include "object/SpriteNumber.h"

struct SceneContext;

// The result window at the end of a stage: the cleared or lost title and the score breakdown,
// centred on the field until the player confirms it; it then fades out, comes back beside the
// field in the side panel and offers the button that opens the pause menu.
class GameInform {
public:
    enum class Phase {
        Hidden,     // before Show
        Centred,    // waiting for the confirm button
        FadingOut,  // confirmed: the window fades away from the field
        FadingIn,   // moved to the side panel, fading back in
        Docked,     // in the side panel at full alpha, offering the continue button
    };

    void Init(gfx::Device* device);
    // first and second are the item score and the bonus score; the life bonus is life x 50.
    void Show(bool cleared, int first, int second, int life);
    // One frame; frozen (the pause menu is open) keeps the buttons from reacting. True on the
    // frame the continue button is clicked.
    bool Draw(const SceneContext& input, bool frozen);

    Phase CurrentPhase() const { return phase_; }
    int Total() const { return first_ + second_ + lifeBonus_; }
    int LifeBonus() const { return lifeBonus_; }

private:
    static constexpr int kLabels = 4;
    static constexpr int kRows = 3;

    void StartFade();
    void MoveToSidePanel();
    void SettleAtFullAlpha();
    void SetNumberAlpha(int alpha);
    void DrawWindow();
    void DrawNumbers();

    gfx::Device* device_ = nullptr;
    Object2D background_;
    Object2D title_;
    std::array<Object2D, kLabels> labels_;
    std::array<SpriteNumber, kRows> rows_;
    SpriteNumber total_;
    MouseChangeObject2D confirm_;
    MouseChangeObject2D continue_;
    int first_ = 0;
    int second_ = 0;
    int lifeBonus_ = 0;
    Phase phase_ = Phase::Hidden;
};
