#include "input/ScanCodes.h"

#include <SDL_scancode.h>

#include <algorithm>
#include <cctype>

namespace input {

namespace {

struct KeyEntry {
    const char* name;
    SDL_Scancode sdl;
    std::uint32_t dik;
};

constexpr KeyEntry kKeys[] = {
    {"Escape", SDL_SCANCODE_ESCAPE, 0x01},
    {"1", SDL_SCANCODE_1, 0x02}, {"2", SDL_SCANCODE_2, 0x03}, {"3", SDL_SCANCODE_3, 0x04},
    {"4", SDL_SCANCODE_4, 0x05}, {"5", SDL_SCANCODE_5, 0x06}, {"6", SDL_SCANCODE_6, 0x07},
    {"7", SDL_SCANCODE_7, 0x08}, {"8", SDL_SCANCODE_8, 0x09}, {"9", SDL_SCANCODE_9, 0x0A},
    {"0", SDL_SCANCODE_0, 0x0B},
    {"Minus", SDL_SCANCODE_MINUS, 0x0C}, {"Equals", SDL_SCANCODE_EQUALS, 0x0D},
    {"Backspace", SDL_SCANCODE_BACKSPACE, 0x0E}, {"Tab", SDL_SCANCODE_TAB, 0x0F},
    {"Q", SDL_SCANCODE_Q, 0x10}, {"W", SDL_SCANCODE_W, 0x11}, {"E", SDL_SCANCODE_E, 0x12},
    {"R", SDL_SCANCODE_R, 0x13}, {"T", SDL_SCANCODE_T, 0x14}, {"Y", SDL_SCANCODE_Y, 0x15},
    {"U", SDL_SCANCODE_U, 0x16}, {"I", SDL_SCANCODE_I, 0x17}, {"O", SDL_SCANCODE_O, 0x18},
    {"P", SDL_SCANCODE_P, 0x19}, {"LeftBracket", SDL_SCANCODE_LEFTBRACKET, 0x1A},
    {"RightBracket", SDL_SCANCODE_RIGHTBRACKET, 0x1B}, {"Return", SDL_SCANCODE_RETURN, 0x1C},
    {"LCtrl", SDL_SCANCODE_LCTRL, 0x1D},
    {"A", SDL_SCANCODE_A, 0x1E}, {"S", SDL_SCANCODE_S, 0x1F}, {"D", SDL_SCANCODE_D, 0x20},
    {"F", SDL_SCANCODE_F, 0x21}, {"G", SDL_SCANCODE_G, 0x22}, {"H", SDL_SCANCODE_H, 0x23},
    {"J", SDL_SCANCODE_J, 0x24}, {"K", SDL_SCANCODE_K, 0x25}, {"L", SDL_SCANCODE_L, 0x26},
    {"Semicolon", SDL_SCANCODE_SEMICOLON, 0x27}, {"Apostrophe", SDL_SCANCODE_APOSTROPHE, 0x28},
    {"Grave", SDL_SCANCODE_GRAVE, 0x29}, {"LShift", SDL_SCANCODE_LSHIFT, 0x2A},
    {"Backslash", SDL_SCANCODE_BACKSLASH, 0x2B},
    {"Z", SDL_SCANCODE_Z, 0x2C}, {"X", SDL_SCANCODE_X, 0x2D}, {"C", SDL_SCANCODE_C, 0x2E},
    {"V", SDL_SCANCODE_V, 0x2F}, {"B", SDL_SCANCODE_B, 0x30}, {"N", SDL_SCANCODE_N, 0x31},
    {"M", SDL_SCANCODE_M, 0x32}, {"Comma", SDL_SCANCODE_COMMA, 0x33}, {"Period", SDL_SCANCODE_PERIOD, 0x34},
    {"Slash", SDL_SCANCODE_SLASH, 0x35}, {"RShift", SDL_SCANCODE_RSHIFT, 0x36},
    {"LAlt", SDL_SCANCODE_LALT, 0x38}, {"Space", SDL_SCANCODE_SPACE, 0x39},
    {"F1", SDL_SCANCODE_F1, 0x3B}, {"F2", SDL_SCANCODE_F2, 0x3C}, {"F3", SDL_SCANCODE_F3, 0x3D},
    {"F4", SDL_SCANCODE_F4, 0x3E}, {"F5", SDL_SCANCODE_F5, 0x3F}, {"F6", SDL_SCANCODE_F6, 0x40},
    {"F7", SDL_SCANCODE_F7, 0x41}, {"F8", SDL_SCANCODE_F8, 0x42}, {"F9", SDL_SCANCODE_F9, 0x43},
    {"F10", SDL_SCANCODE_F10, 0x44}, {"F11", SDL_SCANCODE_F11, 0x57}, {"F12", SDL_SCANCODE_F12, 0x58},
    {"RCtrl", SDL_SCANCODE_RCTRL, 0x9D}, {"RAlt", SDL_SCANCODE_RALT, 0xB8},
    {"Up", SDL_SCANCODE_UP, 0xC8}, {"Left", SDL_SCANCODE_LEFT, 0xCB},
    {"Right", SDL_SCANCODE_RIGHT, 0xCD}, {"Down", SDL_SCANCODE_DOWN, 0xD0},
};

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::uint32_t ScanCodeFromSdl(int sdlScancode) {
    for (const KeyEntry& key : kKeys) {
        if (key.sdl == sdlScancode) {
            return key.dik;
        }
    }
    return 0;
}

bool ScanCodeFromName(std::string_view name, std::uint32_t& scanCode) {
    for (const KeyEntry& key : kKeys) {
        if (SameName(key.name, name)) {
            scanCode = key.dik;
            return true;
        }
    }
    return false;
}

}  // namespace input
