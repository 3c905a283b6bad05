#pragma once
#include <array>

#include "object/Object2D.h"
#include "scene/guide/GuideKit.h"
#include "tower/PanelText.h"

class DirectSound;
class GameMain;
struct SceneContext;

namespace guide {

// What the battle refuses and what it costs, told where the player looks: a purchase, upgrade or
// replacement the points do not cover gets a sound, a word by the cursor and a flash of the points;
// a life lost marks where the enemy left and shakes the lives counter, which stays red when few
// lives are left.
class AlertGuide {
public:
    void Init(gfx::Device* device);
    // Before the battle acts on this frame's input.
    void BeforeFrame(const GameMain& game, const SceneContext& input);
    // After it: notices the refusals of this frame.
    void AfterFrame(const GameMain& game, const SceneContext& input);
    void LifeLost(float x, float y);
    void Draw(const SceneContext& input);

    // How the HUD's counters stand out now.
    float LivesShake() const;
    bool LivesAlarm(int lives) const;
    bool PointsAlarm() const;
    // Refusals noticed so far, for tests.
    int Refusals() const { return refusals_; }

private:
    // The battle as the frame found it.
    struct Before {
        int points = 0;
        bool running = false;
        unsigned cursorMode = 0;
        int towers = 0;
        int selectedLevel = 0;
        int upgradeCost = 0;
    };
    struct ExitMark {
        float x = 0.0f;
        float y = 0.0f;
        ShownTimer shown;
    };

    bool RefusedPlacement(const GameMain& game, const SceneContext& input) const;
    bool RefusedUpgrade(const GameMain& game, const SceneContext& input) const;
    bool RefusedReplacement(const GameMain& game, const SceneContext& input) const;
    void Refuse(const SceneContext& input);

    Before before_;
    int refusals_ = 0;
    float noticeX_ = 0.0f;
    float noticeY_ = 0.0f;
    ShownTimer notice_;
    ShownTimer pointsFlash_;
    ShownTimer livesShake_;
    std::array<ExitMark, 8> exits_{};
    std::size_t nextExit_ = 0;

    PanelText shortOfPoints_;
    Object2D plate_;
    Object2D ring_;
    DirectSound* refuseSound_ = nullptr;
};

}  // namespace guide
