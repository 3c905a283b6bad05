#include "scene/bot/Strategy.h"

#include "base/SceneContext.h"
#include "scene/bot/BattleView.h"
#include "scene/bot/MazeStrategy.h"
#include "scene/bot/PlainStrategy.h"

namespace bot {

namespace {

constexpr int kTenthKind = 10;

int ShopKey(int kind) { return kind == kTenthKind ? kKey0 : kKey1 + kind - 1; }

}  // namespace

void Orders::Place(int kind, field::PixelPos plot) {
    Press(ShopKey(kind));
    Click(plot);
    Press(kKeyD);
}

void Orders::Upgrade(field::PixelPos tower) {
    Click(tower);
    Press(kKeyU);
    Press(kKeyD);
}

void Orders::Buy(field::PixelPos shopButton, field::PixelPos plot) {
    Click(shopButton);
    Click(plot);
    Press(kKeyD);
}

void Orders::Click(field::PixelPos where) {
    MoveTo(where);
    actions_.push_back({Action::Kind::ClickLeft});
}

void Orders::MoveTo(field::PixelPos where) { actions_.push_back({Action::Kind::Move, where.x, where.y}); }

void Orders::Press(int key) { actions_.push_back({Action::Kind::Key, 0, 0, key}); }

std::optional<Action> Orders::Next() {
    if (actions_.empty()) {
        return std::nullopt;
    }
    const Action next = actions_.front();
    actions_.pop_front();
    return next;
}

bool Strategy::Preparing(const BattleView& view, Orders& orders) {
    if (!view.Preparing()) {
        return false;
    }
    if (!started_) {
        started_ = true;
        orders.Press(kKeyN);
    }
    return true;
}

std::unique_ptr<Strategy> MakeStrategy(std::string_view name) {
    if (name == "plain") {
        return std::make_unique<PlainStrategy>();
    }
    if (name == "maze") {
        return std::make_unique<MazeStrategy>();
    }
    return nullptr;
}

}  // namespace bot
