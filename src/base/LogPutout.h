#pragma once
#include <cstdio>

// One line of "log.txt", in the folder for the player's files. Constructing the object opens the
// file with the given fopen mode ("w" for the first line of a run, "a" for every other), writes
// the line and closes the file, so every line is on disk at once and the log survives a crash. A
// file that cannot be opened loses the line silently.
class LogPutout {
public:
    LogPutout(const char* text, const char* mode);
    virtual ~LogPutout();

    LogPutout(const LogPutout&) = delete;
    LogPutout& operator=(const LogPutout&) = delete;

private:
    std::FILE* file_ = nullptr;
};

// The usual case: one appended line.
inline void WriteLog(const char* text) { LogPutout line(text, "a"); }
