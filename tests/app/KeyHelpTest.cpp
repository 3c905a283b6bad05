#include "app/KeyHelp.h"

#include <gtest/gtest.h>

#include "input/KeyboardInput.h"

namespace {

KeyHelp::Devices Keys(std::initializer_list<std::uint32_t> down, std::initializer_list<int> buttons = {}) {
    KeyHelp::Devices devices;
    for (const std::uint32_t key : down) {
        devices.keys[key] = true;
    }
    for (const int button : buttons) {
        devices.buttons[static_cast<std::size_t>(button)] = true;
    }
    return devices;
}

// The list closes when something pressed while it is open is let go, not on the press itself
// (which would hand the release to a scene) and not on letting go of what opened it.
TEST(KeyHelp, ClosesOnLettingGoOfWhatWasPressedWhileOpen) {
    KeyHelp help;
    EXPECT_FALSE(help.Watch(Keys({})));  // closed: nothing to watch

    help.Open(Keys({dik::kF1}));
    EXPECT_TRUE(help.IsOpen());
    EXPECT_FALSE(help.Watch(Keys({dik::kF1})));
    EXPECT_FALSE(help.Watch(Keys({})));  // F1, down when it opened, let go
    EXPECT_FALSE(help.Watch(Keys({}, {0})));  // the left button goes down: still open
    EXPECT_TRUE(help.IsOpen());
    EXPECT_TRUE(help.Watch(Keys({})));  // and up
    EXPECT_FALSE(help.IsOpen());

    // F1 again, or any key, pressed while open and let go.
    for (const std::uint32_t key : {dik::kF1, dik::kN, dik::kTab}) {
        help.Open(Keys({}));
        EXPECT_FALSE(help.Watch(Keys({key})));
        EXPECT_TRUE(help.Watch(Keys({})));
    }

    // A key held through the opening, let go and pressed again counts the second time.
    help.Open(Keys({dik::kN}, {1}));
    EXPECT_FALSE(help.Watch(Keys({}, {1})));
    EXPECT_FALSE(help.Watch(Keys({dik::kN}, {1})));
    EXPECT_FALSE(help.Watch(Keys({dik::kN})));  // the right button, held from before, let go
    EXPECT_TRUE(help.Watch(Keys({})));
}

// Another key pressed while open and still held does not keep it open: the first release closes it.
TEST(KeyHelp, TheFirstLettingGoClosesItWhateverElseIsHeld) {
    KeyHelp help;
    help.Open(Keys({}));
    EXPECT_FALSE(help.Watch(Keys({dik::kN})));
    EXPECT_FALSE(help.Watch(Keys({dik::kN}, {0})));
    EXPECT_TRUE(help.Watch(Keys({dik::kN})));
    EXPECT_FALSE(help.IsOpen());
}

}  // namespace
