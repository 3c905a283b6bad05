#pragma once
#include "enemy/Enemy.h"

// The kinds that differ from the base only in picture, name and speed, plus the two that take
// damage their own way and the one that flies.

class Enemy_妖精赤 : public Enemy {
public:
    explicit Enemy_妖精赤(const EnemySpawn& spawn);
};

class Enemy_妖精青 : public Enemy {
public:
    explicit Enemy_妖精青(const EnemySpawn& spawn);
};

class Enemy_妖精緑 : public Enemy {
public:
    explicit Enemy_妖精緑(const EnemySpawn& spawn);
};

class Enemy_妖精黄 : public Enemy {
public:
    explicit Enemy_妖精黄(const EnemySpawn& spawn);
};

class Enemy_カラス : public Enemy {
public:
    explicit Enemy_カラス(const EnemySpawn& spawn);
};

// Splits into two smaller furballs on death while its split depth (taken from the spawn) is
// above 0.
class Enemy_毛玉 : public Enemy {
public:
    explicit Enemy_毛玉(const EnemySpawn& spawn);
};

class Enemy_大毛玉 : public Enemy {
public:
    explicit Enemy_大毛玉(const EnemySpawn& spawn);
};

// Armoured: its wave number is subtracted from every hit.
class Enemy_イビルアイ : public Enemy {
public:
    explicit Enemy_イビルアイ(const EnemySpawn& spawn);
    void Damage(double amount, bool playSound, bool continuous) override;
    bool IsYoukai() const override { return true; }
};

// Flies straight over walls and scenery to the far edge.
class Enemy_Vernie : public Enemy {
public:
    explicit Enemy_Vernie(const EnemySpawn& spawn);
    bool IsFlying() const override { return true; }

protected:
    void Travel(double speed) override { FlyStraight(speed); }
};

// Takes half damage, or half again as much while a soul tower exposes it.
class Enemy_幽霊 : public Enemy {
public:
    explicit Enemy_幽霊(const EnemySpawn& spawn);
    void Damage(double amount, bool playSound, bool continuous) override;

protected:
    void OnRunningFrame() override;

private:
    gfx::Texture* hiddenFace_;
    gfx::Texture* exposedFace_;
};
