// libFuzzer target: any bytes as an input script (--input). A refused script names its line and
// leaves the events the script had; an accepted one gives at most two events a line, every one
// at frame 1 or later (a click's release included) with a known button or key.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "input/InputScript.h"
#include "platform/GamePad.h"

namespace {

using input::InputScript;

bool SameEvents(const std::vector<InputScript::Event>& a, const std::vector<InputScript::Event>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.frame == y.frame && x.kind == y.kind && x.code == y.code && x.down == y.down && x.x == y.x && x.y == y.y &&
               x.value == y.value;
    });
}

bool EventWithinLimits(const InputScript::Event& event) {
    switch (event.kind) {
    case InputScript::Kind::Move:
        return true;
    case InputScript::Kind::Button:
        return event.code <= 2;
    case InputScript::Kind::Key:
        return event.code != 0;
    case InputScript::Kind::Close:
        return true;
    case InputScript::Kind::PadButton:
        return event.code < platform::kPadButtons;
    case InputScript::Kind::PadAxis:
        return event.code < platform::kPadAxes && event.value >= -1.0f && event.value <= 1.0f;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    InputScript script;
    std::string error;
    if (!script.Parse("3 click left\n5 key Space\n", error)) {
        std::abort();
    }
    const std::vector<InputScript::Event> before = script.Events();
    if (!script.Parse(text, error)) {
        const std::size_t colon = error.find(": ");
        const bool namesItsLine = colon != std::string::npos && colon > 0 &&
                                  error.find_first_not_of("0123456789") == colon;
        if (!namesItsLine || !SameEvents(script.Events(), before)) {
            std::abort();
        }
        return 0;
    }
    const std::size_t lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    const std::vector<InputScript::Event>& events = script.Events();
    if (events.size() > 2 * lines || events.size() != script.EventCount()) {
        std::abort();
    }
    for (const InputScript::Event& event : events) {
        if (event.frame < 1 || !EventWithinLimits(event)) {
            std::abort();
        }
    }
    return 0;
}
