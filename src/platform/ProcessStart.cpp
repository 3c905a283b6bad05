#include "platform/ProcessStart.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

#include <cstdio>

namespace platform {

namespace {

#ifdef _WIN32

std::string Utf8OfWide(const wchar_t* wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) {
        return {};
    }
    std::string text(static_cast<std::size_t>(size - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
    return text;
}

std::vector<std::string> ReadArguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> text;
    if (wide == nullptr) {
        text.assign(argv, argv + argc);
        return text;
    }
    for (int i = 0; i < count; ++i) {
        text.push_back(Utf8OfWide(wide[i]));
    }
    LocalFree(wide);
    return text;
}

// A program built for the window subsystem starts without standard streams; started from a
// console it writes to that console, as a console program would. Streams the parent redirected
// (to a file or a pipe) are already there and stay as they are.
void ReachParentConsole() {
    const bool haveStreams = GetStdHandle(STD_ERROR_HANDLE) != nullptr && GetStdHandle(STD_ERROR_HANDLE) != INVALID_HANDLE_VALUE;
    if (!haveStreams && AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
    SetConsoleOutputCP(CP_UTF8);
}

#else

std::vector<std::string> ReadArguments(int argc, char** argv) { return std::vector<std::string>(argv, argv + argc); }

void ReachParentConsole() {}

#endif

}  // namespace

ProcessStart::ProcessStart(int argc, char** argv) : text_(ReadArguments(argc, argv)) {
    ReachParentConsole();
    for (std::string& argument : text_) {
        pointers_.push_back(argument.data());
    }
    pointers_.push_back(nullptr);
}

}  // namespace platform
