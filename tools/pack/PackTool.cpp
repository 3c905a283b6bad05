#include "PackTool.h"

#include <algorithm>
#include <charconv>

#include "PackToolCommands.h"

namespace packtool {

namespace {

struct Command {
    const char* name;
    const char* usage;
    const char* summary;
    std::size_t positionalCount;
    bool takesKey;
    std::uint32_t defaultKey;
    int (*run)(const Arguments&, std::ostream&, std::ostream&);
};

const Command kCommands[] = {
    {"list", "list PACK", "print every entry of the pack: name, size, offset (in name order)", 1, false, 0, List},
    {"extract", "extract PACK DIR", "write every entry of the pack into the folder DIR", 2, false, 0, Extract},
    {"create", "create PACK DIR [--key K]", "pack every file of the folder DIR, in name order", 2, true,
     kDefaultPackKey, Create},
    {"waves-compile", "waves-compile SOURCE OUT [--key K]", "compile readable wave data into the wave data file",
     2, true, kDefaultWaveKey, WavesCompile},
    {"waves-dump", "waves-dump FILE", "print a wave data file in its readable form", 1, false, 0, WavesDump},
};

void PrintUsage(std::ostream& stream) {
    stream << "usage: velmoria-pack COMMAND ARGUMENTS... (COMMAND --help for more)\n";
    for (const Command& command : kCommands) {
        stream << "  velmoria-pack " << command.usage << "\n      " << command.summary << "\n";
    }
    stream << "K is a 32-bit number, decimal or 0x-prefixed hexadecimal; default pack key " << Hex(kDefaultPackKey)
           << ", default wave key " << Hex(kDefaultWaveKey) << ".\n";
}

bool ParseKey(const std::string& text, std::uint32_t& key) {
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* begin = text.data() + (hex ? 2 : 0);
    const char* end = text.data() + text.size();
    const auto [stop, problem] = std::from_chars(begin, end, key, hex ? 16 : 10);
    return problem == std::errc() && stop == end && begin != end;
}

bool ParseArguments(const Command& command, const std::vector<std::string>& words, Arguments& args,
                    std::string& problem) {
    args.key = command.defaultKey;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i] == "--help" || words[i] == "-h") {
            args.help = true;
        } else if (words[i] == "--key" && command.takesKey) {
            if (i + 1 == words.size() || !ParseKey(words[i + 1], args.key)) {
                problem = "--key needs a 32-bit number";
                return false;
            }
            ++i;
        } else if (words[i].size() > 1 && words[i][0] == '-') {
            problem = "unknown option '" + words[i] + "'";
            return false;
        } else {
            args.positional.push_back(words[i]);
        }
    }
    if (!args.help && args.positional.size() != command.positionalCount) {
        problem = "wrong number of arguments";
        return false;
    }
    return true;
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        PrintUsage(err);
        return kBadInput;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintUsage(out);
        return kDone;
    }
    const auto command = std::find_if(std::begin(kCommands), std::end(kCommands),
                                      [&](const Command& c) { return args[0] == c.name; });
    if (command == std::end(kCommands)) {
        err << "velmoria-pack: unknown command '" << args[0] << "'\n";
        PrintUsage(err);
        return kBadInput;
    }
    Arguments parsed;
    std::string problem;
    if (!ParseArguments(*command, {args.begin() + 1, args.end()}, parsed, problem)) {
        err << "velmoria-pack " << command->name << ": " << problem << "\nusage: velmoria-pack " << command->usage
            << "\n";
        return kBadInput;
    }
    if (parsed.help) {
        out << "usage: velmoria-pack " << command->usage << "\n  " << command->summary << "\n";
        if (command->takesKey) {
            out << "  --key K   scrambling key, decimal or 0x-hex (default " << Hex(command->defaultKey) << ")\n";
        }
        return kDone;
    }
    return command->run(parsed, out, err);
}

}  // namespace packtool
