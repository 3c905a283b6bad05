#include "base/LogPutout.h"

#include "base/FilePath.h"
#include "base/GameFolders.h"

LogPutout::LogPutout(const char* text, const char* mode) {
    file_ = OpenFile(Folders().PlayerFile("log.txt"), mode);
    if (file_ == nullptr) {
        return;
    }
    std::fprintf(file_, "%s\n", text);
    std::fclose(file_);
    file_ = nullptr;
}

LogPutout::~LogPutout() { file_ = nullptr; }
