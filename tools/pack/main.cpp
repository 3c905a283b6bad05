#include <iostream>

#include "PackTool.h"
#include "platform/ProcessStart.h"

int main(int argc, char** argv) {
    platform::ProcessStart start(argc, argv);
    char** arguments = start.Arguments();
    return packtool::Run(std::vector<std::string>(arguments + 1, arguments + start.Count()), std::cout, std::cerr);
}
