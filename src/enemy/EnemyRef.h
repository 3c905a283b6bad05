#pragma once
#include <memory>

class Enemy;

// The enemy's half of a reference: it lives as long as any reference to it and forgets the enemy
// when the enemy is deleted.
struct EnemyAnchor {
    Enemy* enemy;
};

// A reference to an enemy that knows when the enemy has been deleted. The game scene deletes
// enemies while bullets, towers and the side panel may still be aiming at them; they hold one of
// these instead of a plain pointer and ask it whether the enemy still exists.
class EnemyRef {
public:
    EnemyRef() = default;
    explicit EnemyRef(std::shared_ptr<const EnemyAnchor> anchor) : anchor_(std::move(anchor)) {}

    // The enemy, or null once it has been deleted (or when nothing was referred to).
    Enemy* Get() const { return anchor_ ? anchor_->enemy : nullptr; }
    bool Exists() const { return Get() != nullptr; }
    // True when this referred to an enemy that has since been deleted.
    bool Lost() const { return anchor_ && anchor_->enemy == nullptr; }
    // True when this refers to that very enemy, which still exists.
    bool Is(const Enemy* enemy) const { return enemy != nullptr && Get() == enemy; }
    void Reset() { anchor_.reset(); }

private:
    std::shared_ptr<const EnemyAnchor> anchor_;
};
