#pragma once
#include <gtest/gtest.h>

#include <string>

#include "platform/MessageBox.h"
#include "platform/QuitMessage.h"

// How a call ended the run: whether it asked the main loop to quit, with which exit code, and
// the message it showed (dialogs are off in tests, so messages go to stderr).
struct FatalEnd {
    bool quit = false;
    int exitCode = -1;
    std::string message;
};

template <typename Call>
FatalEnd CatchFatalEnd(Call&& call) {
    platform::SetDialogsEnabled(false);
    platform::ClearQuit();
    testing::internal::CaptureStderr();
    call();
    FatalEnd end;
    end.message = testing::internal::GetCapturedStderr();
    end.quit = platform::QuitPosted(end.exitCode);
    platform::ClearQuit();
    return end;
}
