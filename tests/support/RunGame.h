#pragma once
#include <sys/wait.h>

#include <cstdlib>
#include <string>

// Runs the game executable with the arguments (a shell word list) and returns its exit code;
// stderr goes to the file if one is named. With a time limit, a run still going after that many
// seconds is ended and reports 124.
inline int RunGameBinary(const std::string& arguments, const std::string& stderrFile = "/dev/null",
                         int timeLimitSeconds = 0) {
    const std::string limit = timeLimitSeconds > 0 ? "timeout " + std::to_string(timeLimitSeconds) + " " : "";
    const std::string command = std::string("SDL_AUDIODRIVER=dummy ") + limit + "'" + VELMORIA_GAME_BINARY + "' " +
                                arguments + " > /dev/null 2> '" + stderrFile + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
