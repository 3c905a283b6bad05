#pragma once
#include <filesystem>
#include <string>

// What the system says about where things are, for the game's folder search.
namespace platform {

// The folder of the running executable, absolute; from argv0 when the system cannot tell.
std::filesystem::path ExecutableFolder(const char* argv0);

// The home folder of the user's account (Linux: the password database's entry); empty when none.
std::string AccountHome();

// Where the system keeps a program's files for the user: on Windows SDL's preference folder for
// the game (%APPDATA%\Velmoria); in a browser the folder the page keeps in its storage. Empty
// where the XDG folders rule instead (Linux).
std::filesystem::path PreferenceFolder();

// Makes one folder, private to the user where the system has such a notion (0700 on Linux). True
// when it was made or already exists; otherwise false with the system's reason.
bool MakeOneFolder(const std::filesystem::path& folder, std::string& reason);

}  // namespace platform
