#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "app/InputTrace.h"
#include "base/SceneContext.h"
#include "input/DeviceBuffer.h"
#include "input/InputScript.h"
#include "input/KeyboardInput.h"
#include "input/MouseInput.h"
#include "input/ScanCodes.h"
#include "input/SceneInput.h"

namespace {

// What the scenes saw, written as a script and played through the system devices, is what the
// scenes see again: frame by frame, held states, press edges and the cursor.
TEST(InputTrace, AWrittenTracePlaysBackToTheSameInputFrameByFrame) {
    std::mt19937 random(7);
    std::vector<InputSnapshot> frames;
    InputSnapshot now;
    now.x = 100;
    for (int frame = 0; frame < 400; ++frame) {
        // At most eight changes a frame: a device holds eight records between two reads.
        const int changes = static_cast<int>(random() % 9);
        for (int change = 0; change < changes; ++change) {
            const int what = static_cast<int>(random() % (kWatchedKeyCount + 3));
            if (what < kWatchedKeyCount) {
                now.keys[what] = !now.keys[what];
            } else if (what == kWatchedKeyCount) {
                now.left = !now.left;
            } else if (what == kWatchedKeyCount + 1) {
                now.right = !now.right;
            } else {
                now.x = static_cast<int>(random() % 641);
                now.y = static_cast<int>(random() % 481);
            }
        }
        frames.push_back(now);
    }
    InputTrace trace;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        trace.Add(static_cast<std::uint32_t>(i + 1), frames[i]);
    }
    input::InputScript script;
    std::string error;
    ASSERT_TRUE(script.Parse(trace.Text(), error)) << error;

    MouseInput mouse;
    KeyboardInput keyboard;
    input::SystemMouse().SetFocus(true);
    input::SystemKeyboard().SetFocus(true);
    ASSERT_EQ(mouse.Init(&input::SystemMouse()), S_OK);
    ASSERT_EQ(keyboard.Init(&input::SystemKeyboard()), S_OK);
    input::SetCursorPosition(0, 0);
    SceneContext context;
    InputSnapshot before;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        bool close = false;
        script.Deliver(static_cast<std::uint32_t>(i + 1), close);
        mouse.Update();
        keyboard.Update();
        CopyInput(mouse, keyboard, context);
        const InputSnapshot seen = InputSnapshot::Of(context);
        ASSERT_EQ(seen, frames[i]) << "frame " << i + 1;
        for (int key = 0; key < kWatchedKeyCount; ++key) {
            ASSERT_EQ(context.keys[key].pressed != 0, seen.keys[key] && !before.keys[key]);
        }
        ASSERT_EQ(context.leftPressed != 0, seen.left && !before.left);
        before = seen;
    }
    keyboard.Release();
    mouse.Release();
}

// The names a trace writes are the input scripts' own names of the same keys.
TEST(InputTrace, EveryWatchedKeyIsNamedAsInputScriptsNameIt) {
    for (const WatchedKeyCode& key : kWatchedKeyCodes) {
        std::uint32_t code = 0;
        ASSERT_TRUE(input::ScanCodeFromName(key.name, code)) << key.name;
        EXPECT_EQ(code, key.scanCode) << key.name;
    }
    InputSnapshot snapshot;
    snapshot.keys.fill(true);
    snapshot.left = snapshot.right = true;
    EXPECT_EQ(snapshot.HeldNames().size(), static_cast<std::size_t>(kWatchedKeyCount + 2));
}

}  // namespace
