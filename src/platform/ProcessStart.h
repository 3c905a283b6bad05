#pragma once
#include <string>
#include <vector>

namespace platform {

// What a program does first on every system: its command line as UTF-8 text (on Windows the
// narrow argv is in the ANSI code page, so it is read again from the wide command line), and its
// messages to the terminal it was started from (a Windows program without a console of its own
// attaches to its parent's, and writes UTF-8 to it).
class ProcessStart {
public:
    ProcessStart(int argc, char** argv);

    int Count() const { return static_cast<int>(pointers_.size()) - 1; }
    char** Arguments() { return pointers_.data(); }

private:
    std::vector<std::string> text_;
    std::vector<char*> pointers_;  // into text_, ended by a null pointer as argv is
};

}  // namespace platform
