#include "app/InputTrace.h"

#include "input/SceneInput.h"

InputSnapshot InputSnapshot::Of(const SceneContext& context) {
    InputSnapshot snapshot;
    for (int key = 0; key < kWatchedKeyCount; ++key) {
        snapshot.keys[key] = context.keys[key].held != 0;
    }
    snapshot.left = context.leftHeld != 0;
    snapshot.right = context.rightHeld != 0;
    snapshot.x = context.mouseX;
    snapshot.y = context.mouseY;
    return snapshot;
}

std::vector<std::string> InputSnapshot::HeldNames() const {
    std::vector<std::string> names;
    for (int key = 0; key < kWatchedKeyCount; ++key) {
        if (keys[key]) {
            names.emplace_back(kWatchedKeyCodes[key].name);
        }
    }
    if (left) {
        names.emplace_back("left");
    }
    if (right) {
        names.emplace_back("right");
    }
    return names;
}

void InputTrace::Add(std::uint32_t frame, const InputSnapshot& now) {
    const std::string at = std::to_string(frame) + " ";
    if (now.x != last_.x || now.y != last_.y) {
        text_ += at + "move " + std::to_string(now.x) + " " + std::to_string(now.y) + "\n";
    }
    for (int key = 0; key < kWatchedKeyCount; ++key) {
        if (now.keys[key] != last_.keys[key]) {
            text_ += at + (now.keys[key] ? "keydown " : "keyup ") + kWatchedKeyCodes[key].name + "\n";
        }
    }
    if (now.left != last_.left) {
        text_ += at + (now.left ? "press left\n" : "release left\n");
    }
    if (now.right != last_.right) {
        text_ += at + (now.right ? "press right\n" : "release right\n");
    }
    last_ = now;
}
