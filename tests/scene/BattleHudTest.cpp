#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "base/Random.h"
#include "base/SceneContext.h"
#include "scene/game/GameInform.h"
#include "scene/game/PowerItem.h"
#include "support/RecordingDevice.h"

TEST(PowerItems, ARewardDropsSixteensThenFoursThenOnes) {
    EXPECT_EQ(ItemValuesFor(37), (std::vector<int>{16, 16, 4, 1}));
    EXPECT_EQ(ItemValuesFor(15), (std::vector<int>{4, 4, 4, 1, 1, 1}));
    EXPECT_TRUE(ItemValuesFor(0).empty());
    for (int reward = 0; reward < 200; ++reward) {
        const std::vector<int> values = ItemValuesFor(reward);
        EXPECT_EQ(std::accumulate(values.begin(), values.end(), 0), reward);
        EXPECT_TRUE(std::is_sorted(values.rbegin(), values.rend()));
    }
}

TEST(PowerItems, PopUpForHalfASecondThenFlyToThePointsIconAndStopThere) {
    RecordingDevice device;
    Random::Seed(3);
    PowerItem item(&device, 200.0f, 300.0f, 4);
    // The spawn point is scattered a little around the enemy.
    EXPECT_LE(std::abs(item.X() - 200.0f), 18.0f);
    EXPECT_GE(item.Y(), 300.0f);
    EXPECT_LE(item.Y(), 315.0f);

    const float startY = item.Y();
    for (int frame = 0; frame < 31; ++frame) {
        item.Draw(1);
    }
    // -3.0, -2.9, ... -0.1 (and a last step of almost nothing, as the phase sums in floats): up
    // by 46.5 pixels while slowing down.
    EXPECT_NEAR(startY - item.Y(), 46.5f, 0.5f);
    EXPECT_EQ(item.alive, 1);

    const float pausedX = item.X();
    item.Draw(0);
    EXPECT_EQ(item.X(), pausedX);

    int frames = 0;
    while (item.alive != 0 && frames < 500) {
        const float x = item.X();
        const float y = item.Y();
        item.Draw(1);
        if (item.alive != 0) {
            EXPECT_NEAR(std::hypot(item.X() - x, item.Y() - y), PowerItem::kFlightSpeed, 1e-3f);
        }
        ++frames;
    }
    ASSERT_EQ(item.alive, 0);
    EXPECT_NEAR(item.X(), PowerItem::kTargetX, 5.0f);
    EXPECT_NEAR(item.Y(), PowerItem::kTargetY, 5.0f);
    EXPECT_EQ(item.Value(), 4);
}

namespace {

SceneContext ClickAt(int x, int y) {
    SceneContext input;
    input.SetMouse(x, y);
    input.SetButtons(1, 0);
    return input;
}

}  // namespace

TEST(ResultWindow, IsConfirmedThenDocksBesideTheFieldBeforeItsButtonAnswers) {
    RecordingDevice device;
    GameInform inform;
    inform.Init(&device);
    const SceneContext idle;
    EXPECT_FALSE(inform.Draw(ClickAt(537, 390), false));  // nothing shown yet
    EXPECT_EQ(inform.CurrentPhase(), GameInform::Phase::Hidden);

    inform.Show(true, 980, 120, 15);
    EXPECT_EQ(inform.Total(), 980 + 120 + 15 * 50);
    // The continue button is not there yet, and the confirm button ignores a frozen frame.
    EXPECT_FALSE(inform.Draw(ClickAt(537, 390), false));
    EXPECT_FALSE(inform.Draw(ClickAt(240, 320), true));
    EXPECT_EQ(inform.CurrentPhase(), GameInform::Phase::Centred);

    EXPECT_FALSE(inform.Draw(ClickAt(240, 320), false));
    EXPECT_EQ(inform.CurrentPhase(), GameInform::Phase::FadingOut);
    // Clicking where the continue button will be does nothing until the window has docked.
    int frames = 1;
    while (!inform.Draw(ClickAt(537, 390), false) && frames < 300) {
        EXPECT_NE(inform.CurrentPhase(), GameInform::Phase::Docked);
        ++frames;
    }
    ASSERT_EQ(inform.CurrentPhase(), GameInform::Phase::Docked);
    // Fifty frames out at 5 a frame from 250, fifty-one back in from 0 to 255.
    EXPECT_EQ(frames, 101);

    EXPECT_FALSE(inform.Draw(idle, false));
    EXPECT_FALSE(inform.Draw(ClickAt(537, 390), true));
    EXPECT_TRUE(inform.Draw(ClickAt(537, 390), false));
}
