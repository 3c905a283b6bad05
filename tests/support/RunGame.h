#pragma once
#include <sys/wait.h>

#include <cstdlib>
#include <string>

// Runs the game executable with the arguments (a shell word list) and returns its exit code;
// stderr goes to the file if one is named.
inline int RunGameBinary(const std::string& arguments, const std::string& stderrFile = "/dev/null") {
    const std::string command = std::string("SDL_AUDIODRIVER=dummy '") + VELMORIA_GAME_BINARY + "' " + arguments +
                                " > /dev/null 2> '" + stderrFile + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
