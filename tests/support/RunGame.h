#pragma once
#include <sys/wait.h>

#include <cstdlib>
#include <string>

// Runs the game executable with the arguments (a shell word list) and returns its exit code;
// stderr (and stdout) go to the files if they are named. With a time limit, a run still going
// after that many seconds is ended and reports 124.
inline int RunGameBinary(const std::string& arguments, const std::string& stderrFile = "/dev/null",
                         int timeLimitSeconds = 0, const std::string& stdoutFile = "/dev/null") {
    const std::string limit = timeLimitSeconds > 0 ? "timeout " + std::to_string(timeLimitSeconds) + " " : "";
    const std::string command = std::string("SDL_AUDIODRIVER=dummy ") + limit + "'" + VELMORIA_GAME_BINARY + "' " +
                                arguments + " > '" + stdoutFile + "' 2> '" + stderrFile + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The start of a command that runs the game in a real window on a virtual display. The child
// keeps the sanitizer settings of the tests, leak checking included: window runs must end as
// clean as headless ones.
inline std::string WindowRunPrefix() {
    return "xvfb-run -a -s '-screen 0 1024x768x24' env VELMORIA_NO_DIALOGS=1 SDL_AUDIODRIVER=dummy ";
}

inline bool HaveXvfb() { return std::system("command -v xvfb-run > /dev/null 2>&1") == 0; }
