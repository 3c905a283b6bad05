#pragma once
#include <array>

#include "object/MouseChangeObject2D.h"
#include "object/Object2D.h"

class DirectSound;
struct SceneContext;

// The battle's pause menu: a dim overlay over the frozen field, a title plate and three items
// (resume, back to the title, retry). Choosing the title or a retry blinks the item for a moment
// before the choice is reported, and nothing reacts meanwhile.
class PauseMenu {
public:
    enum class Choice { None, Resume, Title, Retry };

    void Init(gfx::Device* device);
    // Starts the overlay's fade towards its dim level and makes the items choosable again. Once
    // the stage has ended there is no game to go back to, and the resume item is not offered.
    void Open(bool resumable);
    // One frame of the open menu: hover sounds, sizes, clicks. Returns the choice made this frame
    // (Resume at once; Title and Retry once their item has blinked long enough).
    Choice Frame(const SceneContext& input);
    bool ChoiceMade() const { return chosen_ != Item::None; }

private:
    enum class Item { None = -1, Resume = 0, Title = 1, Retry = 2 };
    static constexpr int kItems = 3;

    Choice TakeInput(const SceneContext& input);
    void Choose(Item item);
    Choice FinishBlinking();
    void DrawOverlay();

    Object2D overlay_;
    Object2D plate_;
    std::array<MouseChangeObject2D, kItems> items_;
    DirectSound* selectSound_ = nullptr;
    DirectSound* decideSound_ = nullptr;
    bool hoverLatch_ = false;
    Item chosen_ = Item::None;
};
