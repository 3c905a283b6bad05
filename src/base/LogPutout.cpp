#include "base/LogPutout.h"

#include "base/GameFolders.h"

LogPutout::LogPutout(const char* text, const char* mode) {
    file_ = std::fopen(Folders().PlayerFile("log.txt").c_str(), mode);
    if (file_ == nullptr) {
        return;
    }
    std::fprintf(file_, "%s\n", text);
    std::fclose(file_);
    file_ = nullptr;
}

LogPutout::~LogPutout() { file_ = nullptr; }
