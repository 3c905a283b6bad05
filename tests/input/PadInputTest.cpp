#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "input/InputScript.h"
#include "input/KeyboardInput.h"
#include "input/PadInput.h"

namespace {

using input::PadLattice;
using input::PadPoint;
using input::PadPointer;
using platform::PadAxis;
using platform::PadButton;
using platform::PadState;
using Direction = PadPointer::Direction;

// What the pointer gave the game, in order, and where the cursor is.
class RecordingOutput final : public input::PadOutput {
public:
    void Cursor(int& x, int& y) const override {
        x = x_;
        y = y_;
    }
    void MoveCursor(int x, int y) override {
        x_ = x;
        y_ = y;
    }
    void Button(std::uint32_t button, bool down) override { events.push_back({"button " + std::to_string(button), down}); }
    void Key(std::uint32_t scanCode, bool down) override { events.push_back({"key " + std::to_string(scanCode), down}); }

    int x_ = 320;
    int y_ = 240;
    std::vector<std::pair<std::string, bool>> events;
};

std::pair<std::string, bool> KeyEvent(std::uint32_t scanCode, bool down) { return {"key " + std::to_string(scanCode), down}; }

PadState Holding(PadButton button) {
    PadState pad;
    pad.SetButton(button, true);
    return pad;
}

PadState Stick(PadAxis x, float valueX, PadAxis y, float valueY) {
    PadState pad;
    pad.SetAxis(x, valueX);
    pad.SetAxis(y, valueY);
    return pad;
}

// Presses the button for one frame and lets it go in the next; the events of both frames.
std::vector<std::pair<std::string, bool>> Tap(PadPointer& pointer, RecordingOutput& out, PadButton button) {
    out.events.clear();
    pointer.Update(Holding(button), out);
    pointer.Update(PadState{}, out);
    return out.events;
}

TEST(PadPointerCurve, FullDeflectionAcceleratesByTheDocumentedStepsUpToTheTopSpeed) {
    PadPointer pointer;
    RecordingOutput out;
    out.x_ = 0;
    out.y_ = 100;
    const PadState right = Stick(PadAxis::LeftX, 1.0f, PadAxis::LeftY, 0.0f);
    // 3, 3.5, 4, ... px per frame: after four frames 3 + 3.5 + 4 + 4.5 = 15.
    for (int frame = 0; frame < 4; ++frame) {
        pointer.Update(right, out);
    }
    EXPECT_EQ(out.x_, 15);
    EXPECT_EQ(out.y_, 100);
    // Frames 5..19 bring the speed to 12 (3 + 0.5 x 18); the sum of the first 19 is 142.5.
    for (int frame = 4; frame < 19; ++frame) {
        pointer.Update(right, out);
    }
    EXPECT_EQ(out.x_, 142);
    pointer.Update(right, out);
    pointer.Update(right, out);
    EXPECT_EQ(out.x_, 166) << "the top speed is 12 px a frame";
    // Back in the dead zone the pointer stops, and the next push starts slow again.
    pointer.Update(Stick(PadAxis::LeftX, 0.15f, PadAxis::LeftY, 0.1f), out);
    EXPECT_EQ(out.x_, 166);
    pointer.Update(Stick(PadAxis::LeftX, 0.0f, PadAxis::LeftY, -1.0f), out);
    EXPECT_EQ(out.y_, 97);
}

TEST(PadPointerCurve, PartialDeflectionFollowsTheSquareAndTheFineStickIsSlow) {
    EXPECT_FLOAT_EQ(input::pad_curve::LeftSpeed(0.6f, 0), 0.25f * 3.0f);
    EXPECT_FLOAT_EQ(input::pad_curve::LeftSpeed(0.2f, 40), 0.0f);
    EXPECT_FLOAT_EQ(input::pad_curve::LeftSpeed(1.0f, 40), 12.0f);

    PadPointer pointer;
    RecordingOutput out;
    // The fine stick at full deflection: a pixel a frame, however long it is held.
    const PadState fine = Stick(PadAxis::RightX, 0.0f, PadAxis::RightY, 1.0f);
    for (int frame = 0; frame < 30; ++frame) {
        pointer.Update(fine, out);
    }
    EXPECT_EQ(out.y_, 270);
    EXPECT_EQ(out.x_, 320);
    // Half way: fractions add up, 0.375 px a frame gives 3 px in 8 frames.
    const PadState half = Stick(PadAxis::RightX, -0.5f, PadAxis::RightY, 0.0f);
    for (int frame = 0; frame < 8; ++frame) {
        pointer.Update(half, out);
    }
    EXPECT_EQ(out.x_, 317);
}

TEST(PadPointerCurve, ThePointerStaysInTheFrameAndFollowsTheMouseWhenItMoves) {
    PadPointer pointer;
    RecordingOutput out;
    out.x_ = 630;
    out.y_ = 470;
    for (int frame = 0; frame < 10; ++frame) {
        pointer.Update(Stick(PadAxis::LeftX, 1.0f, PadAxis::LeftY, 1.0f), out);
    }
    EXPECT_EQ(out.x_, 639);
    EXPECT_EQ(out.y_, 479);
    // The mouse left the window: a pad that moves nothing leaves its position alone.
    out.x_ = 800;
    out.y_ = -30;
    pointer.Update(PadState{}, out);
    EXPECT_EQ(out.x_, 800);
    EXPECT_EQ(out.y_, -30);
    out.x_ = 100;  // the mouse took it
    out.y_ = 50;
    pointer.Update(Stick(PadAxis::RightX, 1.0f, PadAxis::RightY, 0.0f), out);
    EXPECT_EQ(out.x_, 101);
    EXPECT_EQ(out.y_, 50);
}

TEST(PadPointerDpad, StepsFromPlotToPlotAndOffTheFieldToTheNearestSpotThatWay) {
    const PadLattice plots{48, 400, 32};
    const std::vector<PadPoint> spots = {{470, 130}, {588, 44}};
    // From a plot to its neighbours; from between plots to the nearest one that way.
    EXPECT_EQ(PadPointer::Step({176, 176}, Direction::Right, spots, plots), (PadPoint{208, 176}));
    EXPECT_EQ(PadPointer::Step({176, 176}, Direction::Up, spots, plots), (PadPoint{176, 144}));
    EXPECT_EQ(PadPointer::Step({100, 100}, Direction::Left, spots, plots), (PadPoint{80, 112}));
    // The last plot to the right leads to the shop; back left it is the last plot again.
    EXPECT_EQ(PadPointer::Step({400, 144}, Direction::Right, spots, plots), (PadPoint{470, 130}));
    EXPECT_EQ(PadPointer::Step({470, 130}, Direction::Left, spots, plots), (PadPoint{400, 144}));
    // Nothing that way: a plain step, kept inside the frame.
    EXPECT_EQ(PadPointer::Step({620, 300}, Direction::Right, {}, std::nullopt), (PadPoint{639, 300}));
    EXPECT_EQ(PadPointer::Step({300, 300}, Direction::Down, {}, std::nullopt), (PadPoint{300, 332}));
}

TEST(PadPointerDpad, AHeldDirectionRepeatsAfterItsDelay) {
    PadPointer pointer;
    RecordingOutput out;
    out.x_ = 48;
    out.y_ = 48;
    pointer.SetSpots({}, PadLattice{48, 400, 32});
    const PadState right = Holding(PadButton::DpadRight);
    pointer.Update(right, out);
    EXPECT_EQ(out.x_, 80);
    for (int frame = 1; frame < input::pad_curve::kRepeatDelay; ++frame) {
        pointer.Update(right, out);
    }
    EXPECT_EQ(out.x_, 80) << "no repeat before the delay";
    pointer.Update(right, out);
    EXPECT_EQ(out.x_, 112);
    for (int frame = 0; frame < input::pad_curve::kRepeatEvery; ++frame) {
        pointer.Update(right, out);
    }
    EXPECT_EQ(out.x_, 144);
}

TEST(PadPointerButtons, EachButtonHoldsWhatItStandsFor) {
    PadPointer pointer;
    RecordingOutput out;
    using Events = std::vector<std::pair<std::string, bool>>;
    EXPECT_EQ(Tap(pointer, out, PadButton::A), (Events{{"button 0", true}, {"button 0", false}}));
    EXPECT_EQ(Tap(pointer, out, PadButton::B),
              (Events{{"button 1", true}, KeyEvent(dik::kD, true), {"button 1", false}, KeyEvent(dik::kD, false)}));
    EXPECT_EQ(Tap(pointer, out, PadButton::X), (Events{KeyEvent(dik::kU, true), KeyEvent(dik::kU, false)}));
    EXPECT_EQ(Tap(pointer, out, PadButton::Y), (Events{KeyEvent(dik::kS, true), KeyEvent(dik::kS, false)}));
    EXPECT_EQ(Tap(pointer, out, PadButton::Start), (Events{KeyEvent(dik::kSpace, true), KeyEvent(dik::kSpace, false)}));
    EXPECT_EQ(Tap(pointer, out, PadButton::Back), (Events{KeyEvent(dik::kTab, true), KeyEvent(dik::kTab, false)}));
    // Held, a button is held: nothing more happens until it is let go.
    out.events.clear();
    pointer.Update(Holding(PadButton::A), out);
    pointer.Update(Holding(PadButton::A), out);
    EXPECT_EQ(out.events, (Events{{"button 0", true}}));
}

TEST(PadPointerButtons, EitherTriggerHoldsShiftWithoutFlickeringHalfWay) {
    PadPointer pointer;
    RecordingOutput out;
    auto trigger = [&](PadAxis axis, float value) {
        PadState pad;
        pad.SetAxis(axis, value);
        pointer.Update(pad, out);
    };
    trigger(PadAxis::RightTrigger, 0.45f);
    EXPECT_TRUE(out.events.empty());
    trigger(PadAxis::RightTrigger, 0.6f);
    trigger(PadAxis::RightTrigger, 0.35f);  // still above the let-go point
    trigger(PadAxis::RightTrigger, 0.2f);
    trigger(PadAxis::LeftTrigger, 1.0f);
    using Events = std::vector<std::pair<std::string, bool>>;
    EXPECT_EQ(out.events, (Events{KeyEvent(dik::kLeftShift, true), KeyEvent(dik::kLeftShift, false),
                                  KeyEvent(dik::kLeftShift, true)}));
}

TEST(PadPointerButtons, ShouldersStepThroughTheShopBothWaysAndWrap) {
    PadPointer pointer;
    RecordingOutput out;
    using Events = std::vector<std::pair<std::string, bool>>;
    // Nothing chosen: RB gives the first entry (key 1), LB the last (key 0).
    EXPECT_EQ(Tap(pointer, out, PadButton::RightShoulder), (Events{KeyEvent(dik::k1, true), KeyEvent(dik::k1, false)}));
    EXPECT_EQ(Tap(pointer, out, PadButton::RightShoulder),
              (Events{KeyEvent(dik::k1 + 1, true), KeyEvent(dik::k1 + 1, false)}));
    pointer.SetShopEntry(-1);
    EXPECT_EQ(Tap(pointer, out, PadButton::LeftShoulder), (Events{KeyEvent(dik::k0, true), KeyEvent(dik::k0, false)}));
    EXPECT_EQ(pointer.ShopEntry(), 9);
    // From the tower being placed, and round past either end.
    pointer.SetShopEntry(9);
    EXPECT_EQ(Tap(pointer, out, PadButton::RightShoulder), (Events{KeyEvent(dik::k1, true), KeyEvent(dik::k1, false)}));
    pointer.SetShopEntry(0);
    EXPECT_EQ(Tap(pointer, out, PadButton::LeftShoulder), (Events{KeyEvent(dik::k0, true), KeyEvent(dik::k0, false)}));
}

TEST(PadPointerButtons, ClickAtPointsPressesAndLetsGoInTheNextFrame) {
    PadPointer pointer;
    RecordingOutput out;
    pointer.ClickAt(700, 200, out);
    EXPECT_EQ(out.x_, 639);
    EXPECT_EQ(out.y_, 200);
    pointer.Update(PadState{}, out);
    using Events = std::vector<std::pair<std::string, bool>>;
    EXPECT_EQ(out.events, (Events{{"button 0", true}, {"button 0", false}}));
    EXPECT_EQ(out.x_, 639) << "the pointer stays where it clicked";
}

TEST(PadPointerButtons, TheRightStickClickAsksForTheLockOnOnce) {
    PadPointer pointer;
    RecordingOutput out;
    pointer.Update(Holding(PadButton::RightStick), out);
    EXPECT_TRUE(pointer.LockOnAsked());
    pointer.Update(Holding(PadButton::RightStick), out);
    EXPECT_FALSE(pointer.LockOnAsked());
    EXPECT_TRUE(out.events.empty());
}

TEST(PadScript, PadLinesHoldButtonsAndAxes) {
    input::InputScript script;
    std::string error;
    ASSERT_TRUE(script.Parse("5 pad tap A\n6 pad down lb\n7 pad up LeftShoulder\n8 pad axis leftx -0.75\n"
                             "9 pad axis RT 1\n",
                             error))
        << error;
    using Kind = input::InputScript::Kind;
    const auto& events = script.Events();
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[0].kind, Kind::PadButton);
    EXPECT_EQ(events[0].code, static_cast<std::uint32_t>(PadButton::A));
    EXPECT_TRUE(events[0].down);
    EXPECT_EQ(events[1].frame, 6u);
    EXPECT_FALSE(events[1].down);
    EXPECT_EQ(events[2].code, static_cast<std::uint32_t>(PadButton::LeftShoulder));
    EXPECT_EQ(events[3].frame, 7u);
    EXPECT_FALSE(events[3].down);
    EXPECT_EQ(events[4].kind, Kind::PadAxis);
    EXPECT_EQ(events[4].code, static_cast<std::uint32_t>(PadAxis::LeftX));
    EXPECT_FLOAT_EQ(events[4].value, -0.75f);
    EXPECT_EQ(events[5].code, static_cast<std::uint32_t>(PadAxis::RightTrigger));

    bool closed = false;
    input::ScriptPad() = PadState{};
    script.Deliver(5, closed);
    EXPECT_TRUE(input::ScriptPad().Button(PadButton::A));
    script.Deliver(6, closed);
    script.Deliver(8, closed);
    EXPECT_FALSE(input::ScriptPad().Button(PadButton::A));
    EXPECT_FLOAT_EQ(input::ScriptPad().Axis(PadAxis::LeftX), -0.75f);
    input::ScriptPad() = PadState{};
}

TEST(PadScript, MalformedPadLinesAreRefusedByLine) {
    for (const char* line : {"3 pad down Q\n", "3 pad press A\n", "3 pad axis leftx 1.5\n", "3 pad axis lefttrigger -0.5\n",
                             "3 pad axis wheel 0.5\n", "3 pad axis leftx\n", "3 pad down A B\n", "4294967295 pad tap A\n"}) {
        input::InputScript script;
        std::string error;
        EXPECT_FALSE(script.Parse(line, error)) << line;
        EXPECT_EQ(error.rfind("1: ", 0), 0u) << line << error;
    }
}

}  // namespace
