#pragma once
#include <memory>

#include "field/Battlefield.h"
#include "field/EnemyFactory.h"
#include "support/RecordingDevice.h"

// An easy rouka field with its routes built and settled, and a device that records drawing.
struct EnemyTestField {
    EnemyTestField(int stage = 0, int difficulty = 0) : field(stage, difficulty) {
        field.BuildRoutes();
        field.Routes().resteerFrames = 0;
    }

    EnemySpawn At(int route, float x, float y, int health = 100, int level = 1, bool big = false) {
        return {&device, &field.Routes(), route, static_cast<int>(x), static_cast<int>(y), health, 5, level, 0, big};
    }

    Enemy& Spawn(EnemyKind kind, int route, float x, float y, int health = 100, int level = 1, bool big = false) {
        field.Enemies().push_back(field::CreateEnemy(kind, At(route, x, y, health, level, big)));
        return *field.Enemies().back();
    }

    void Run(Enemy& enemy, int frames) {
        for (int i = 0; i < frames; ++i) {
            enemy.Frame(1);
        }
    }

    RecordingDevice device;
    Battlefield field;
};
