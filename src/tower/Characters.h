#pragma once
#include <memory>

#include "tower/BaseCharacter.h"

// The first character: her catalogue, tower sheet and portrait.
class csArdel : public cBaseCharacter {
public:
    csArdel(gfx::Device* device, const StageCounters& counters);

protected:
    std::unique_ptr<cBaseCharacterTank> MakeTower(const TowerContext& context, int kind, int x, int y) const override;
};

// The second character.
class csSovia : public cBaseCharacter {
public:
    csSovia(gfx::Device* device, const StageCounters& counters);

protected:
    std::unique_ptr<cBaseCharacterTank> MakeTower(const TowerContext& context, int kind, int x, int y) const override;
};

// The controller of character 0 (csArdel) or 1 (csSovia); null for any other number.
std::unique_ptr<cBaseCharacter> MakeCharacter(int character, gfx::Device* device, const StageCounters& counters);
