#pragma once

namespace platform {
class WindowEvents;
}

namespace input {

// What the window hears, handed to the system devices: the cursor to the cursor position, key
// and button changes as buffered records (keys the game does not know are dropped), and focus
// changes acquire or drop both devices.
platform::WindowEvents& SystemEvents();

}  // namespace input
