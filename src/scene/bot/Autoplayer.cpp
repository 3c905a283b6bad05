#include "scene/bot/Autoplayer.h"

#include <utility>

#include "input/DeviceBuffer.h"
#include "input/MouseInput.h"
#include "input/SceneInput.h"
#include "scene/bot/BattleView.h"

namespace bot {

namespace {

constexpr int kLeftButton = 0;

bool SameButton(const Action& a, const Action& b) {
    return a.kind == b.kind && (a.kind != Action::Kind::Key || a.key == b.key);
}

void Push(const Action& action, bool down) {
    if (action.kind == Action::Kind::ClickLeft) {
        input::SystemMouse().Push(MouseInput::kButtonOffset + kLeftButton, down);
    } else if (action.kind == Action::Kind::Key) {
        input::SystemKeyboard().Push(kWatchedKeyCodes[action.key].scanCode, down);
    }
}

}  // namespace

void Hands::Act() {
    const std::optional<Action> lifted = std::exchange(down_, std::nullopt);
    if (lifted) {
        Push(*lifted, false);
    }
    if (!next_ || (lifted && SameButton(*lifted, *next_))) {
        return;
    }
    if (next_->kind == Action::Kind::Move) {
        input::SetCursorPosition(next_->x, next_->y);
    } else {
        Push(*next_, true);
        down_ = next_;
    }
    next_.reset();
}

Autoplayer::Autoplayer(std::unique_ptr<Strategy> strategy, std::ostream* progress)
    : strategy_(std::move(strategy)), progress_(progress) {}

void Autoplayer::Act(const GameMain& game) {
    Report(game);
    if (!hands_.Busy()) {
        if (orders_.Empty()) {
            strategy_->Think(BattleView(game), orders_);
        }
        hands_.Take(orders_.Next());
    }
    hands_.Act();
}

void Autoplayer::Report(const GameMain& game) {
    if (progress_ == nullptr) {
        return;
    }
    const BattleView view(game);
    const auto line = [&](const char* what) {
        *progress_ << what << " " << view.Wave() << "/" << view.WaveCount() << ": lives " << view.Lives()
                   << ", points " << view.Points() << ", towers " << view.Towers().size() << ", enemies "
                   << view.Enemies().size() << "\n";
    };
    if (view.Wave() > reportedWave_) {
        reportedWave_ = view.Wave();
        line("wave");
    }
    if (!reportedEnd_ && (view.Cleared() || view.Failed())) {
        reportedEnd_ = true;
        line(view.Cleared() ? "cleared at wave" : "lost at wave");
    }
}

}  // namespace bot
