#include <gtest/gtest.h>

#include <SDL.h>

#include <string>

#include "input/DeviceBuffer.h"
#include "input/KeyboardInput.h"
#include "input/MouseInput.h"
#include "input/PadInput.h"
#include "platform/GamePad.h"

namespace {

// A controller attached through SDL's virtual joystick driver, read by the game's own path:
// SDL's game-controller layer, the pad pointer, and the system mouse and keyboard it feeds.
class VirtualController : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(pads_.Start(error)) << error;
        input::SystemMouse().SetFocus(true);
        input::SystemKeyboard().SetFocus(true);
        mouse_.Init(&input::SystemMouse());
        keyboard_.Init(&input::SystemKeyboard());
        input::SetCursorPosition(48, 48);
        Attach();
    }

    void TearDown() override {
        Detach();
        mouse_.Release();
        keyboard_.Release();
        pads_.Stop();
    }

    void Attach() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "Velmoria test pad";
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        ASSERT_GE(index, 0) << SDL_GetError();
        joystick_ = SDL_JoystickOpen(index);
        ASSERT_NE(joystick_, nullptr) << SDL_GetError();
        id_ = SDL_JoystickInstanceID(joystick_);
    }

    void Detach() {
        if (joystick_ == nullptr) {
            return;
        }
        SDL_JoystickClose(joystick_);
        joystick_ = nullptr;
        for (int index = 0; index < SDL_NumJoysticks(); ++index) {
            if (SDL_JoystickGetDeviceInstanceID(index) == id_) {
                SDL_JoystickDetachVirtual(index);
            }
        }
    }

    void Press(SDL_GameControllerButton button, bool down) {
        SDL_JoystickSetVirtualButton(joystick_, button, down ? SDL_PRESSED : SDL_RELEASED);
    }
    void Tilt(SDL_GameControllerAxis axis, Sint16 value) { SDL_JoystickSetVirtualAxis(joystick_, axis, value); }

    // One frame as the shell runs it: the controllers, the pointer, then the devices.
    void Frame() {
        pointer_.Update(pads_.Poll(), input::SystemPadOutput());
        mouse_.Update();
        keyboard_.Update();
    }

    platform::GamePads pads_;
    input::PadPointer pointer_;
    MouseInput mouse_;
    KeyboardInput keyboard_;
    SDL_Joystick* joystick_ = nullptr;
    SDL_JoystickID id_ = -1;
};

TEST_F(VirtualController, IsOpenedAsAGameControllerAndTheStickMovesTheCursorByTheCurve) {
    Frame();
    EXPECT_EQ(pads_.Count(), 1u);
    Tilt(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    // 3 + 3.5 + 4 + 4.5 px in the first four frames.
    for (int frame = 0; frame < 4; ++frame) {
        Frame();
    }
    EXPECT_EQ(mouse_.X(), 63);
    EXPECT_EQ(mouse_.Y(), 48);
    EXPECT_EQ(input::LastUsedDevice(), input::LastDevice::Pad);
    // A small tilt inside the dead zone leaves it where it is.
    Tilt(SDL_CONTROLLER_AXIS_LEFTX, 5000);
    Frame();
    EXPECT_EQ(mouse_.X(), 63);
}

TEST_F(VirtualController, TheDpadStepsFromPlotToPlot) {
    pointer_.SetSpots({}, input::PadLattice{48, 400, 32});
    Press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    Frame();
    Press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
    Frame();
    Press(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
    Frame();
    EXPECT_EQ(mouse_.X(), 80);
    EXPECT_EQ(mouse_.Y(), 80);
}

TEST_F(VirtualController, ButtonsGiveTheMappedClicksAndKeys) {
    Press(SDL_CONTROLLER_BUTTON_A, true);
    Press(SDL_CONTROLLER_BUTTON_X, true);
    Frame();
    EXPECT_EQ(mouse_.Button(0), 1);
    EXPECT_EQ(keyboard_.Key(dik::kU), 1);
    Press(SDL_CONTROLLER_BUTTON_A, false);
    Press(SDL_CONTROLLER_BUTTON_X, false);
    Press(SDL_CONTROLLER_BUTTON_B, true);
    Press(SDL_CONTROLLER_BUTTON_START, true);
    Frame();
    EXPECT_EQ(mouse_.Button(0), 0);
    EXPECT_EQ(keyboard_.Key(dik::kU), 0);
    EXPECT_EQ(mouse_.Button(1), 1);
    EXPECT_EQ(keyboard_.Key(dik::kD), 1);
    EXPECT_EQ(keyboard_.Key(dik::kSpace), 1);
    Press(SDL_CONTROLLER_BUTTON_B, false);
    Press(SDL_CONTROLLER_BUTTON_START, false);
    Tilt(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
    Press(SDL_CONTROLLER_BUTTON_Y, true);
    Frame();
    EXPECT_EQ(mouse_.Button(1), 0);
    EXPECT_EQ(keyboard_.Key(dik::kLeftShift), 1);
    EXPECT_EQ(keyboard_.Key(dik::kS), 1);
}

TEST_F(VirtualController, AControllerPulledOutLetsGoAndWorksAgainWhenPluggedBackIn) {
    Press(SDL_CONTROLLER_BUTTON_A, true);
    Frame();
    ASSERT_EQ(mouse_.Button(0), 1);
    Detach();
    Frame();
    EXPECT_EQ(pads_.Count(), 0u);
    EXPECT_EQ(mouse_.Button(0), 0) << "a button held on a controller that is gone is let go";
    Attach();
    Frame();
    EXPECT_EQ(pads_.Count(), 1u);
    Press(SDL_CONTROLLER_BUTTON_Y, true);
    Tilt(SDL_CONTROLLER_AXIS_RIGHTY, 32767);
    Frame();
    EXPECT_EQ(keyboard_.Key(dik::kS), 1);
    EXPECT_EQ(mouse_.Y(), 49);
}

}  // namespace
