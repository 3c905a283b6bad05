#include "input/InputScript.h"

#include <sstream>
#include <utility>

#include "base/FilePath.h"
#include "base/PlayerText.h"
#include "input/DeviceBuffer.h"
#include "input/MouseInput.h"
#include "input/PadInput.h"
#include "input/ScanCodes.h"

namespace input {

namespace {

bool ButtonFromName(const std::string& name, std::uint32_t& button) {
    if (name == "left") {
        button = 0;
    } else if (name == "right") {
        button = 1;
    } else if (name == "middle") {
        button = 2;
    } else {
        return false;
    }
    return true;
}

}  // namespace

bool InputScript::Load(const std::string& path, std::string& error) {
    std::string text;
    std::string why;
    if (!ReadTextFile(PathFromUtf8(path), kMaxBytes, text, why)) {
        error = "cannot read input script '" + path + "': " + why;
        return false;
    }
    if (!Parse(text, error)) {
        error = path + ":" + error;
        return false;
    }
    return true;
}

bool InputScript::Parse(const std::string& text, std::string& error) {
    std::vector<Event> events;
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        const std::size_t hash = line.find('#');
        if (hash != std::string::npos) {
            line.erase(hash);
        }
        if (line.find_first_not_of(" \t\r") == std::string::npos) {
            continue;
        }
        if (!ParseLine(line, lineNumber, events, error)) {
            return false;
        }
    }
    events_ = std::move(events);
    return true;
}

bool InputScript::ParseLine(const std::string& line, int lineNumber, std::vector<Event>& events, std::string& error) {
    std::istringstream words(line);
    long long frame = 0;
    std::string verb;
    auto fail = [&](const std::string& why) {
        error = std::to_string(lineNumber) + ": " + why;
        return false;
    };
    if (!(words >> frame) || frame < 1 || frame > 0xFFFFFFFFll) {
        return fail("expected a frame number of 1 or more");
    }
    if (!(words >> verb)) {
        return fail("expected an event after the frame number");
    }
    const auto at = static_cast<std::uint32_t>(frame);
    // A click or key ends in the next frame, so it cannot start in the last one.
    std::string argument;
    const bool tap = verb == "pad" && (words >> argument) && argument == "tap";
    const bool endsLater = verb == "click" || verb == "key" || tap;
    if (endsLater && at == UINT32_MAX) {
        return fail(verb + " needs a frame below " + std::to_string(UINT32_MAX));
    }
    std::string extra;
    if (verb == "pad") {
        return ParsePad(argument, words, at, events) || fail(
            "pad takes down, up or tap and a button (A, B, X, Y, LB, RB, Start, Back, Up, ...), "
            "or axis, an axis (leftx, lefty, rightx, righty, lefttrigger, righttrigger) and a value");
    }
    if (verb == "move") {
        int x = 0;
        int y = 0;
        if (!(words >> x >> y) || (words >> extra)) {
            return fail("move takes two whole numbers: x y");
        }
        events.push_back({at, Kind::Move, 0, false, x, y});
    } else if (verb == "click" || verb == "press" || verb == "release") {
        std::uint32_t button = 0;
        if (!(words >> argument) || !ButtonFromName(argument, button) || (words >> extra)) {
            return fail(verb + " takes left, right or middle");
        }
        if (verb != "release") {
            events.push_back({at, Kind::Button, button, true, 0, 0});
        }
        if (verb != "press") {
            events.push_back({verb == "click" ? at + 1 : at, Kind::Button, button, false, 0, 0});
        }
    } else if (verb == "key" || verb == "keydown" || verb == "keyup") {
        std::uint32_t scanCode = 0;
        if (!(words >> argument) || !ScanCodeFromName(argument, scanCode) || (words >> extra)) {
            return fail(verb + " takes a key name such as Space, N or 1");
        }
        if (verb != "keyup") {
            events.push_back({at, Kind::Key, scanCode, true, 0, 0});
        }
        if (verb != "keydown") {
            events.push_back({verb == "key" ? at + 1 : at, Kind::Key, scanCode, false, 0, 0});
        }
    } else if (verb == "close") {
        if (words >> extra) {
            return fail("close takes nothing");
        }
        events.push_back({at, Kind::Close, 0, false, 0, 0});
    } else {
        return fail("unknown event " + QuotedExcerpt(verb));
    }
    return true;
}

bool InputScript::ParsePad(const std::string& action, std::istream& words, std::uint32_t at,
                           std::vector<Event>& events) {
    std::string name;
    std::string extra;
    if (action == "axis") {
        platform::PadAxis axis{};
        float value = 0.0f;
        if (!(words >> name) || !PadAxisFromName(name, axis) || !(words >> value) || (words >> extra) ||
            !(value >= -1.0f && value <= 1.0f) || (IsTrigger(axis) && value < 0.0f)) {
            return false;
        }
        events.push_back({at, Kind::PadAxis, static_cast<std::uint32_t>(axis), false, 0, 0, value});
        return true;
    }
    platform::PadButton button{};
    if ((action != "down" && action != "up" && action != "tap") || !(words >> name) ||
        !PadButtonFromName(name, button) || (words >> extra)) {
        return false;
    }
    const auto code = static_cast<std::uint32_t>(button);
    if (action != "up") {
        events.push_back({at, Kind::PadButton, code, true, 0, 0});
    }
    if (action != "down") {
        events.push_back({action == "tap" ? at + 1 : at, Kind::PadButton, code, false, 0, 0});
    }
    return true;
}

void InputScript::Deliver(std::uint32_t frame, bool& closeRequested) const {
    for (const Event& event : events_) {
        if (event.frame != frame) {
            continue;
        }
        switch (event.kind) {
        case Kind::Move:
            SetCursorPosition(event.x, event.y);
            NoteDevice(LastDevice::MouseAndKeys);
            break;
        case Kind::Button:
            SystemMouse().Push(MouseInput::kButtonOffset + event.code, event.down);
            NoteDevice(LastDevice::MouseAndKeys);
            break;
        case Kind::Key:
            SystemKeyboard().Push(event.code, event.down);
            NoteDevice(LastDevice::MouseAndKeys);
            break;
        case Kind::PadButton:
            ScriptPad().SetButton(static_cast<platform::PadButton>(event.code), event.down);
            break;
        case Kind::PadAxis:
            ScriptPad().SetAxis(static_cast<platform::PadAxis>(event.code), event.value);
            break;
        case Kind::Close:
            closeRequested = true;
            break;
        }
    }
}

}  // namespace input
