#include "PackTool.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "resource/PackTestFiles.h"
#include "resource/WaveSource.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

struct ToolRun {
    int code = -1;
    std::string out;
    std::string err;
};

ToolRun RunTool(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    ToolRun run;
    run.code = packtool::Run(args, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

std::vector<std::uint8_t> Bytes(const fs::path& path) { return BytesOf(ReadWholeFile(path)); }

void MakeInputFolder() {
    fs::create_directory("in");
    WriteBytes("in/tama.png", {0x89, 'P', 'N', 'G', 0, 1, 2, 255});
    WriteBytes("in/empty.wav", {});
    WriteBytes("in/bomb-2.png", BytesOf("a hyphen sorts before letters"));
    fs::create_directory("in/subfolder");
}

TEST(PackTool, CreateThenListAndExtractGiveBackTheFolder) {
    ScopedTempDir dir;
    MakeInputFolder();
    const ToolRun created = RunTool({"create", "test.dat", "in"});
    ASSERT_EQ(created.code, 0) << created.err;
    EXPECT_NE(created.err.find("subfolder"), std::string::npos);  // said why it was left out
    const ToolRun listed = RunTool({"list", "test.dat"});
    ASSERT_EQ(listed.code, 0) << listed.err;
    const std::size_t upper = listed.out.find("bomb-2.png");
    const std::size_t empty = listed.out.find("empty.wav");
    const std::size_t tama = listed.out.find("tama.png");
    ASSERT_NE(tama, std::string::npos) << listed.out;
    EXPECT_LT(upper, empty);  // byte-wise: 'b' < 'e' < 't' 
    EXPECT_LT(empty, tama);
    EXPECT_NE(listed.out.find("tama.png                                 8"), std::string::npos) << listed.out;
    ASSERT_EQ(RunTool({"extract", "test.dat", "out"}).code, 0);
    for (const char* name : {"tama.png", "empty.wav", "bomb-2.png"}) {
        EXPECT_EQ(Bytes(fs::path("out") / name), Bytes(fs::path("in") / name)) << name;
    }
    EXPECT_FALSE(fs::exists("out/subfolder"));
}

TEST(PackTool, CreateIsDeterministicAndTheKeyChangesOnlyTheDirectory) {
    ScopedTempDir dir;
    MakeInputFolder();
    ASSERT_EQ(RunTool({"create", "a.dat", "in"}).code, 0);
    ASSERT_EQ(RunTool({"create", "b.dat", "in"}).code, 0);
    ASSERT_EQ(RunTool({"create", "c.dat", "in", "--key", "0x1234ABCD"}).code, 0);
    const std::vector<std::uint8_t> a = Bytes("a.dat");
    const std::vector<std::uint8_t> c = Bytes("c.dat");
    EXPECT_EQ(a, Bytes("b.dat"));
    ASSERT_EQ(a.size(), c.size());
    const std::size_t directoryEnd = 16 + 64 * 3;
    EXPECT_FALSE(std::equal(a.begin(), a.begin() + directoryEnd, c.begin()));
    EXPECT_TRUE(std::equal(a.begin() + directoryEnd, a.end(), c.begin() + directoryEnd));
    EXPECT_NE(RunTool({"list", "c.dat"}).out.find("# key 0x1234ABCD, entries: 3"), std::string::npos);
    ASSERT_EQ(RunTool({"extract", "c.dat", "out"}).code, 0);
    EXPECT_EQ(Bytes("out/tama.png"), Bytes("in/tama.png"));
}

TEST(PackTool, WavesCompileThenDumpGiveBackTheSameStages) {
    ScopedTempDir dir;
    const std::string source =
        "# test waves\nstage rouka_normal\npoints 500\nwave 6 200 4\nwave 26 9000 40\n"
        "stage bigwool_easy\nstage rouka_easy # first\npoints 300\nwave 1 120 3\n";
    WriteBytes("waves.txt", BytesOf(source));
    const ToolRun compiled = RunTool({"waves-compile", "waves.txt", "wbk_a.dat", "--key", "77"});
    ASSERT_EQ(compiled.code, 0) << compiled.err;
    const ToolRun dumped = RunTool({"waves-dump", "wbk_a.dat"});
    ASSERT_EQ(dumped.code, 0) << dumped.err;
    EXPECT_NE(dumped.out.find("# key 0x0000004D"), std::string::npos) << dumped.out;
    std::vector<waves::Stage> original;
    std::vector<waves::Stage> back;
    std::string error;
    std::vector<std::string> warnings;
    ASSERT_TRUE(waves::ParseWaveSource(source, original, error, warnings));
    ASSERT_TRUE(waves::ParseWaveSource(dumped.out, back, error, warnings)) << error;
    std::sort(original.begin(), original.end(), [](const auto& x, const auto& y) { return x.key < y.key; });
    EXPECT_EQ(back, original);
    // Dumped text compiles to the very same file.
    WriteBytes("again.txt", BytesOf(dumped.out));
    ASSERT_EQ(RunTool({"waves-compile", "again.txt", "again.dat", "--key", "0x4d"}).code, 0);
    EXPECT_EQ(Bytes("again.dat"), Bytes("wbk_a.dat"));
}

TEST(PackTool, WavesDumpLeavesOutKeysTheSourceCannotHold) {
    ScopedTempDir dir;
    std::vector<std::uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(waves::BuildWaveData({{"", 1, {}}, {"a\nwave 1 1 1", 2, {}}, {"fine", 3, {{1, 2, 3}}}}, 9, bytes, error));
    WriteBytes("wbk_a.dat", bytes);
    const ToolRun run = RunTool({"waves-dump", "wbk_a.dat"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("'a\\x0Awave 1 1 1'"), std::string::npos) << run.err;
    std::vector<waves::Stage> back;
    std::vector<std::string> warnings;
    ASSERT_TRUE(waves::ParseWaveSource(run.out, back, error, warnings)) << error;
    EXPECT_EQ(back, (std::vector<waves::Stage>{{"fine", 3, {{1, 2, 3}}}}));
}

TEST(PackTool, BadArgumentsAndUnreadableInputsExitWithTwo) {
    ScopedTempDir dir;
    WriteBytes("bad.txt", BytesOf("stage a\nwave 1 2\n"));
    WriteBytes("warn.txt", BytesOf("stage a\nwave 99 2 3\n"));
    fs::create_directory("long");
    WriteBytes("long/" + std::string(32, 'n'), {});
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"frobnicate"},
        {"list"},
        {"list", "a", "b"},
        {"list", "missing.dat"},
        {"list", "--key", "1", "x.dat"},
        {"create", "out.dat", "no_such_folder"},
        {"create", "out.dat", "long"},
        {"create", "out.dat", "long", "--key", "0xZZ"},
        {"create", "out.dat", "long", "--key"},
        {"create", "out.dat", "long", "--key", "4294967296"},
        {"waves-compile", "missing.txt", "out.dat"},
        {"waves-compile", "bad.txt", "out.dat"},
        {"waves-dump", "missing.dat"},
    };
    for (const std::vector<std::string>& args : bad) {
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.code, 2) << (args.empty() ? "(none)" : args[0]) << " " << args.size();
        EXPECT_FALSE(run.err.empty());
    }
    EXPECT_NE(RunTool({"waves-compile", "bad.txt", "out.dat"}).err.find("bad.txt: line 2:"), std::string::npos);
    EXPECT_NE(RunTool({"create", "out.dat", "long"}).err.find("longer than 31"), std::string::npos);
    EXPECT_FALSE(fs::exists("out.dat"));
    const ToolRun warned = RunTool({"waves-compile", "warn.txt", "out.dat"});
    EXPECT_EQ(warned.code, 0);
    EXPECT_NE(warned.err.find("warn.txt: warning: line 2: kind id 99"), std::string::npos) << warned.err;
}

// The game asks for lower-case ASCII names byte for byte; anything else would be packed where
// nothing can ever find it.
TEST(PackTool, CreateRefusesNamesTheGameCanNeverAskFor) {
    ScopedTempDir dir;
    std::vector<std::string> names = {"Upper.PNG", "\xC3\xBC.png", "two words.png"};
#ifndef _WIN32  // Windows file names cannot hold a tab
    names.push_back("tab\tname.png");
#endif
    for (const std::string& name : names) {
        fs::remove_all("in");
        fs::create_directory("in");
        WriteBytes("in/fine.png", {1, 2, 3});
        WriteBytes(fs::path("in") / PathFromUtf8(name), {4, 5, 6});
        const ToolRun run = RunTool({"create", "out.dat", "in"});
        EXPECT_EQ(run.code, 2) << name;
        EXPECT_NE(run.err.find("lower-case letters"), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find('\t'), std::string::npos) << "control codes reach the terminal: " << run.err;
        EXPECT_FALSE(fs::exists("out.dat")) << name;
    }
    fs::remove(fs::path("in") / PathFromUtf8(names.back()));
    ASSERT_EQ(RunTool({"create", "out.dat", "in"}).code, 0);
}

TEST(PackTool, EveryCommandExplainsItself) {
    EXPECT_EQ(RunTool({"--help"}).code, 0);
    for (const char* command : {"list", "extract", "create", "waves-compile", "waves-dump"}) {
        const ToolRun run = RunTool({command, "--help"});
        EXPECT_EQ(run.code, 0) << command;
        EXPECT_EQ(run.out.rfind(std::string("usage: velmoria-pack ") + command, 0), 0u) << run.out;
    }
    EXPECT_NE(RunTool({"create", "--help"}).out.find("--key"), std::string::npos);
}

TEST(PackTool, ExtractNeverWritesOutsideItsFolder) {
    ScopedTempDir dir;
    std::vector<std::uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(pack::BuildPack({{"../escaped.txt", BytesOf("x"), 0},
                                 {"", BytesOf("x"), 0},
                                 {"..", BytesOf("x"), 0},
                                 {"a/b", BytesOf("x"), 0},
                                 {"bell\a.txt", BytesOf("x"), 0},
                                 {"fine.txt", BytesOf("fine"), 0},
                                 {"gone.txt", BytesOf("x"), 0}},
                                1, bytes, error));
    pack::PutRecord(bytes, 6, "gone.txt", 100, 0xFFFFFF00u, 0, 1);  // bytes outside the pack
    WriteBytes("hostile.dat", bytes);
    const ToolRun run = RunTool({"extract", "hostile.dat", "out"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(ReadWholeFile("out/fine.txt"), "fine");
    EXPECT_FALSE(fs::exists("escaped.txt"));
    EXPECT_EQ(std::distance(fs::directory_iterator("out"), fs::directory_iterator()), 1);
    EXPECT_NE(run.err.find("'bell\\x07.txt': not a safe file name"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("'gone.txt': its bytes lie outside the pack"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("extracted 1 of 7 entries"), std::string::npos) << run.out;
}

}  // namespace
