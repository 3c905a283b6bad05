#include "scene/bot/Autoplayer.h"

#include "scene/bot/BattleView.h"

namespace bot {

Autoplayer::Autoplayer(std::unique_ptr<Strategy> strategy, std::ostream* progress)
    : strategy_(std::move(strategy)), progress_(progress) {}

std::optional<Action> Autoplayer::Step(const GameMain& game) {
    Report(game);
    if (orders_.Empty()) {
        strategy_->Think(BattleView(game), orders_);
    }
    return orders_.Next();
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
