#pragma once
#include "object/LimitNumber.h"

// One cell of the life-game board.
class LifeGameSpace {
public:
    enum State : int { kDead = 0, kAlive = 1, kWall = 2 };

    virtual ~LifeGameSpace() = default;

    int i = 0;
    int j = 0;
    int state = kDead;
    int next = kDead;  // the result of the last generation step
    int colour = 0;    // 0..7
    int age = 0;       // frames alive since the last colour change
    LimitNumber brightness;  // 0..255: the cell's alpha
};

// Conway's Game of Life on a 17 x 17 board whose edges wrap around; walls never change and count
// as dead. cell(i, j) is column i, row j.
class LifeGame {
public:
    static constexpr int kSize = 17;
    static constexpr float kPitch = 16.0f;

    virtual ~LifeGame() = default;

    // (x, y) is the centre of cell (0, 0).
    void Init(float newX, float newY);
    // Every cell dead, walls included.
    void Clear();
    void SetState(int i, int j, int newState);
    void SetAllStates(int newState);
    void SetWall(int i, int j);
    void Randomise();
    void NewColour(int i, int j);
    // Computes every cell's next state from the current ones; Commit makes them current.
    void Step();
    void Commit();
    // Wraps the indices; walls read as dead.
    int StateAt(int i, int j) const;

    LifeGameSpace& Cell(int i, int j) { return cells[Index(i, j)]; }
    const LifeGameSpace& Cell(int i, int j) const { return cells[Index(i, j)]; }
    float CentreX(int i) const { return x + kPitch * static_cast<float>(i); }
    float CentreY(int j) const { return y + kPitch * static_cast<float>(j); }

    float x = 0.0f;
    float y = 0.0f;
    LifeGameSpace cells[kSize * kSize];

private:
    static int Wrap(int index) { return ((index % kSize) + kSize) % kSize; }
    static int Index(int i, int j) { return Wrap(i) * kSize + Wrap(j); }
    int LiveNeighbours(int i, int j) const;
};
