#pragma once
#include <cstdint>

#include "object/AnimationStep.h"
#include "object/MouseChangeObject2D.h"
#include "object/SpriteNumber.h"
#include "object/TextTexture.h"
#include "scene/title/TitleKit.h"

class CSaveFile;

// The game select: difficulty, stage and character, each with a pair of arrows, the best score
// of the choice, and the buttons that start the battle or go back. With the guides on, the
// chosen character's name and a line on how its towers play stand below its panel.
class GameSelect {
public:
    static constexpr int kDifficulties = 4;
    static constexpr int kStages = 3;
    static constexpr int kCharacters = 2;

    void Init(gfx::Device* device, const title::Sounds& sounds, CSaveFile& save);
    // Entering the screen starts from normal, the first stage and the first character.
    void Enter();
    // Renders the texts again, in the language now in use.
    void Relabel();
    // Fetches the pictures with words again, in the language now in use.
    void ReloadImages();
    // Leaving for the menu forgets the options.
    void Leave();
    int Frame(const SceneContext& input, bool active);

    int Difficulty() const { return difficulty_; }
    int Stage() const { return stage_; }
    int CharacterId() const { return kCharacterIds[character_]; }
    const std::uint8_t* Options() const { return options_; }
    int BestScore() const { return bestScore_; }

private:
    // The characters the player can choose, in the order the arrows walk them.
    static constexpr int kCharacterIds[kCharacters] = {0, 1};

    struct Selector {
        MouseChangeObject2D left;
        MouseChangeObject2D right;
    };

    void MakeSelector(Selector& selector, float leftX, float rightX, float y);
    // -1, 0 or +1 for a click on the left arrow, nothing, the right arrow.
    int Step(Selector& selector, const SceneContext& input, bool active);
    void ShowChoice();
    void DrawPictures();
    // The character's name and line, printed once, centred between the two buttons.
    void MakeNote(int character);

    gfx::Device* device_ = nullptr;
    const title::Sounds* sounds_ = nullptr;
    CSaveFile* save_ = nullptr;

    int difficulty_ = 1;
    int stage_ = 0;
    int character_ = 0;
    std::uint8_t options_[7] = {};
    int bestScore_ = 0;

    Selector difficultyArrows_;
    Selector stageArrows_;
    Selector characterArrows_;
    Object2D difficultyLabel_;
    Object2D stageName_;
    Object2D stagePicture_;
    Object2D fieldPicture_;
    Object2D stageFrame_;
    AnimationStep portraits_[kCharacters];
    TextTexture noteTexts_[kCharacters];
    Object2D notes_[kCharacters];
    Object2D bestLabel_;
    SpriteNumber bestNumber_;
    Object2D extraMark_;
    MouseChangeObject2D startButton_;
    MouseChangeObject2D returnButton_;
};
