#include "effect/LifeGame.h"

#include "base/Random.h"

void LifeGame::Init(float newX, float newY) {
    x = newX;
    y = newY;
    for (int i = 0; i < kSize; ++i) {
        for (int j = 0; j < kSize; ++j) {
            LifeGameSpace& cell = Cell(i, j);
            cell.i = i;
            cell.j = j;
            cell.brightness.Set(0, 255, 0);
        }
    }
}

void LifeGame::Clear() {
    for (LifeGameSpace& cell : cells) {
        cell.state = LifeGameSpace::kDead;
        cell.next = LifeGameSpace::kDead;
    }
}

void LifeGame::SetState(int i, int j, int newState) {
    LifeGameSpace& cell = Cell(i, j);
    if (cell.state == LifeGameSpace::kWall) {
        return;
    }
    const int brightness = cell.brightness.value;
    const bool settled = (cell.state == LifeGameSpace::kDead && brightness == 0) ||
                         (cell.state == LifeGameSpace::kAlive && brightness == 255);
    if (settled && cell.state != newState) {
        cell.brightness.Set(brightness, 255, 0);
    }
    cell.state = newState;
}

void LifeGame::SetAllStates(int newState) {
    for (int i = 0; i < kSize; ++i) {
        for (int j = 0; j < kSize; ++j) {
            SetState(i, j, newState);
        }
    }
}

void LifeGame::SetWall(int i, int j) {
    LifeGameSpace& cell = Cell(i, j);
    cell.state = LifeGameSpace::kWall;
    cell.next = LifeGameSpace::kWall;
}

void LifeGame::Randomise() {
    for (LifeGameSpace& cell : cells) {
        if (cell.state == LifeGameSpace::kWall) {
            continue;
        }
        cell.state = Random::Next() & 1;
        cell.colour = Random::Next() & 7;
    }
}

void LifeGame::NewColour(int i, int j) { Cell(i, j).colour = Random::Next() & 7; }

int LifeGame::StateAt(int i, int j) const {
    const int state = Cell(i, j).state;
    return state == LifeGameSpace::kWall ? LifeGameSpace::kDead : state;
}

int LifeGame::LiveNeighbours(int i, int j) const {
    int count = 0;
    for (int di = -1; di <= 1; ++di) {
        for (int dj = -1; dj <= 1; ++dj) {
            if (di != 0 || dj != 0) {
                count += StateAt(i + di, j + dj);
            }
        }
    }
    return count;
}

void LifeGame::Step() {
    for (int i = 0; i < kSize; ++i) {
        for (int j = 0; j < kSize; ++j) {
            LifeGameSpace& cell = Cell(i, j);
            const int neighbours = LiveNeighbours(i, j);
            if (cell.state == LifeGameSpace::kWall) {
                cell.next = LifeGameSpace::kWall;
            } else if (cell.state == LifeGameSpace::kDead) {
                cell.next = LifeGameSpace::kDead;
                if (neighbours == 3) {
                    // Born: fades in from nothing with a fresh age.
                    cell.next = LifeGameSpace::kAlive;
                    cell.brightness.Set(0, 255, 0);
                    cell.age = 0;
                }
            } else if (neighbours == 2 || neighbours == 3) {
                cell.next = LifeGameSpace::kAlive;
            } else {
                // Dies: fades out from full.
                cell.next = LifeGameSpace::kDead;
                cell.brightness.Set(255, 255, 0);
            }
        }
    }
}

void LifeGame::Commit() {
    for (LifeGameSpace& cell : cells) {
        cell.state = cell.next;
    }
}
