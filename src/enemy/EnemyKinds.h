#pragma once
#include "enemy/Enemy.h"

// The kinds that differ from the base only in picture, name and speed, plus the two that take
// damage their own way and the one that flies. Every constructor takes the base's arguments:
// device, health, reward, route, x, y, walk load, level, big.

#define VELMORIA_ENEMY_ARGS \
    gfx::Device *device, int health, std::uint32_t reward, int route, int x, int y, WalkLoad *load, int level

class Enemy_妖精赤 : public Enemy {
public:
    Enemy_妖精赤(VELMORIA_ENEMY_ARGS, bool big);
};

class Enemy_妖精青 : public Enemy {
public:
    Enemy_妖精青(VELMORIA_ENEMY_ARGS, bool big);
};

class Enemy_妖精緑 : public Enemy {
public:
    Enemy_妖精緑(VELMORIA_ENEMY_ARGS, bool big);
};

class Enemy_妖精黄 : public Enemy {
public:
    Enemy_妖精黄(VELMORIA_ENEMY_ARGS, bool big);
};

class Enemy_カラス : public Enemy {
public:
    Enemy_カラス(VELMORIA_ENEMY_ARGS, bool big);
};

// Splits into two smaller furballs on death while its split depth is above 0.
class Enemy_毛玉 : public Enemy {
public:
    Enemy_毛玉(VELMORIA_ENEMY_ARGS, int splitDepth, bool big);
};

class Enemy_大毛玉 : public Enemy {
public:
    Enemy_大毛玉(VELMORIA_ENEMY_ARGS, int splitDepth, bool big);
};

// Armoured: its wave number is subtracted from every hit.
class Enemy_イビルアイ : public Enemy {
public:
    Enemy_イビルアイ(VELMORIA_ENEMY_ARGS, bool big);
    void Damage(double amount, bool playSound, bool continuous) override;
    bool IsYoukai() const override { return true; }
};

// Flies straight over walls and scenery to the far edge.
class Enemy_Vernie : public Enemy {
public:
    Enemy_Vernie(VELMORIA_ENEMY_ARGS, bool big);
    bool IsFlying() const override { return true; }

protected:
    void Travel(double speed) override { FlyStraight(speed); }
};

// Takes half damage, or half again as much while a soul tower exposes it.
class Enemy_幽霊 : public Enemy {
public:
    Enemy_幽霊(VELMORIA_ENEMY_ARGS, bool big);
    void Damage(double amount, bool playSound, bool continuous) override;

protected:
    void OnRunningFrame() override;

private:
    gfx::Texture* hiddenFace_;
    gfx::Texture* exposedFace_;
};

#undef VELMORIA_ENEMY_ARGS
