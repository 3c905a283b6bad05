#include "base/LogPutout.h"

LogPutout::LogPutout(const char* text, const char* mode) {
    file_ = std::fopen("log.txt", mode);
    if (file_ == nullptr) {
        return;
    }
    std::fprintf(file_, "%s\n", text);
    std::fclose(file_);
    file_ = nullptr;
}

LogPutout::~LogPutout() { file_ = nullptr; }
