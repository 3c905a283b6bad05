#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/SceneContext.h"
#include "input/DeviceBuffer.h"
#include "input/InputScript.h"
#include "input/KeyboardInput.h"
#include "input/MouseInput.h"
#include "support/TempDir.h"

namespace {

TEST(SceneContextInput, PressedOnlyInTheFrameTheKeyWentDown) {
    SceneContext context;
    context.SetKey(kKeyN, 1);
    EXPECT_EQ(context.keys[kKeyN].pressed, 1);
    EXPECT_EQ(context.keys[kKeyN].held, 1);
    context.SetKey(kKeyN, 1);
    EXPECT_EQ(context.keys[kKeyN].pressed, 0);
    EXPECT_EQ(context.keys[kKeyN].held, 1);
    context.SetKey(kKeyN, 0);
    EXPECT_EQ(context.keys[kKeyN].pressed, 0);
    EXPECT_EQ(context.keys[kKeyN].held, 0);
}

TEST(SceneContextInput, MouseIsClampedWithBothEndsReachable) {
    SceneContext context;
    context.SetMouse(-20, 900);
    EXPECT_EQ(context.mouseX, 0);
    EXPECT_EQ(context.mouseY, 480);
    context.SetMouse(640, 0);
    EXPECT_EQ(context.mouseX, 640);
    context.SetMouse(700, 480);
    EXPECT_EQ(context.mouseX, 640);
    EXPECT_EQ(context.mouseY, 480);
}

class DeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        device.SetFocus(true);
        mouse.Init(&device);
        keyboard.Init(&keyboardDevice);
    }
    input::DeviceBuffer device;
    input::DeviceBuffer keyboardDevice;
    MouseInput mouse;
    KeyboardInput keyboard;
};

TEST_F(DeviceTest, TwoClicksInOneFrameGiveOneEdgeAndEndInTheLastState) {
    SceneContext context;
    device.Push(MouseInput::kButtonOffset, true);
    device.Push(MouseInput::kButtonOffset, false);
    device.Push(MouseInput::kButtonOffset, true);
    device.Push(MouseInput::kButtonOffset, false);
    mouse.Update();
    context.SetButtons(mouse.Button(0), mouse.Button(1));
    EXPECT_EQ(mouse.Button(0), 0);  // the last event was a release
    EXPECT_EQ(context.leftPressed, 0);

    device.Push(MouseInput::kButtonOffset, true);
    device.Push(MouseInput::kButtonOffset, false);
    device.Push(MouseInput::kButtonOffset, true);
    mouse.Update();
    context.SetButtons(mouse.Button(0), mouse.Button(1));
    EXPECT_EQ(context.leftPressed, 1);
    mouse.Update();
    context.SetButtons(mouse.Button(0), mouse.Button(1));
    EXPECT_EQ(context.leftPressed, 0);
    EXPECT_EQ(context.leftHeld, 1);
}

TEST_F(DeviceTest, TheBufferHoldsEightEventsBetweenReads) {
    for (int i = 0; i < 12; ++i) {
        keyboardDevice.Push(0x02 + static_cast<std::uint32_t>(i), true);
    }
    keyboard.Update();
    EXPECT_EQ(keyboard.Key(0x09), 1);  // the eighth
    EXPECT_EQ(keyboard.Key(0x0A), 0);  // the ninth was lost
}

TEST_F(DeviceTest, LosingTheFocusFailsUpdatesAndRegainingItStartsFromNothingHeld) {
    keyboardDevice.Push(dik::kSpace, true);
    keyboard.Update();
    ASSERT_EQ(keyboard.Key(dik::kSpace), 1);

    keyboardDevice.SetFocus(false);
    keyboardDevice.Push(dik::kSpace, false);  // released while away: never seen
    EXPECT_EQ(keyboard.Update(), E_FAIL);
    EXPECT_EQ(keyboard.Key(dik::kSpace), 1);  // states stay as they were

    keyboardDevice.SetFocus(true);
    EXPECT_EQ(keyboard.Update(), S_OK);
    EXPECT_EQ(keyboard.Key(dik::kSpace), 0);
}

TEST_F(DeviceTest, ButtonNumbersOutsideTheEightReadAsUp) {
    EXPECT_EQ(mouse.Button(8), 0);
    EXPECT_EQ(mouse.Button(-1), 0);
}

TEST(InputScript, ParsesEventsAndDeliversThemByFrame) {
    input::InputScript script;
    std::string error;
    ASSERT_TRUE(script.Parse("# start\n2 move 100 200\n2 click left  # and up at 3\n4 key Space\n9 close\n", error))
        << error;
    EXPECT_EQ(script.EventCount(), 6u);

    input::SystemMouse().SetFocus(true);
    input::SystemMouse().Acquire();
    MouseInput mouse;
    mouse.Init(&input::SystemMouse());
    bool close = false;
    script.Deliver(2, close);
    mouse.Update();
    EXPECT_EQ(mouse.X(), 100);
    EXPECT_EQ(mouse.Y(), 200);
    EXPECT_EQ(mouse.Button(0), 1);
    script.Deliver(3, close);
    mouse.Update();
    EXPECT_EQ(mouse.Button(0), 0);
    EXPECT_FALSE(close);
    script.Deliver(9, close);
    EXPECT_TRUE(close);
}

TEST(InputScript, RejectsMalformedLinesWithTheLineNumber) {
    input::InputScript script;
    std::string error;
    EXPECT_FALSE(script.Parse("1 move 3\n", error));
    EXPECT_NE(error.find("1:"), std::string::npos);
    EXPECT_FALSE(script.Parse("\n\n5 key NoSuchKey\n", error));
    EXPECT_NE(error.find("3:"), std::string::npos);
    EXPECT_FALSE(script.Parse("0 close\n", error));
    EXPECT_FALSE(script.Parse("x click left\n", error));
    EXPECT_FALSE(script.Parse("3 dance\n", error));
    EXPECT_FALSE(script.Load("/no/such/script.txt", error));
}

// A script is read only up to its limit, and the player's text comes back in a message only
// as a short excerpt: a 10 MB word is not echoed whole.
TEST(InputScript, AHugeScriptOrWordIsRefusedWithAShortMessage) {
    input::InputScript script;
    std::string error;
    EXPECT_FALSE(script.Parse("1 " + std::string(10 << 20, 'w') + "\n", error));
    EXPECT_EQ(error, "1: unknown event 'wwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwww...' (10485760 bytes)");
    ScopedTempDir dir;
    std::ofstream("huge.txt") << "1 move 1 1\n";
    std::filesystem::resize_file("huge.txt", (std::uintmax_t{128} << 20) + 1);  // sparse: nothing is written
    EXPECT_FALSE(script.Load("huge.txt", error));
    EXPECT_EQ(error, "cannot read input script 'huge.txt': it holds more than 134217728 bytes");
    std::filesystem::create_directory("folder");
    EXPECT_FALSE(script.Load("folder", error));
    EXPECT_EQ(error, "cannot read input script 'folder': it is a folder, not a file");
    EXPECT_EQ(script.EventCount(), 0u);
}

TEST(InputScript, ARefusedScriptKeepsTheEventsItHad) {
    input::InputScript script;
    std::string error;
    ASSERT_TRUE(script.Parse("2 click left\n", error)) << error;
    EXPECT_FALSE(script.Parse("1 move 5 5\n3 key Space\n4 dance\n", error));
    EXPECT_EQ(error, "3: unknown event 'dance'");
    ASSERT_EQ(script.EventCount(), 2u);
    EXPECT_EQ(script.Events()[0].frame, 2u);
    EXPECT_EQ(script.Events()[1].frame, 3u);
    EXPECT_FALSE(script.Load("/no/such/script.txt", error));
    EXPECT_EQ(script.EventCount(), 2u);
}

// A click or key released "one frame later" from the last frame would wrap round to frame 0.
TEST(InputScript, EveryEventFallsInAFrameFromOneOn) {
    input::InputScript script;
    std::string error;
    for (const std::string verb : {"click left", "key Space"}) {
        EXPECT_FALSE(script.Parse("4294967295 " + verb, error)) << verb;
        EXPECT_EQ(error, "1: " + verb.substr(0, verb.find(' ')) + " needs a frame below 4294967295") << verb;
    }
    ASSERT_TRUE(script.Parse("4294967294 click right\n4294967295 press left\n4294967295 keyup Z\n4294967295 close\n",
                             error))
        << error;
    ASSERT_EQ(script.EventCount(), 5u);
    for (const input::InputScript::Event& event : script.Events()) {
        EXPECT_GE(event.frame, 4294967294u);
    }
}

}  // namespace
