#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "gfx/PngCodec.h"
#include "resource/PackNames.h"
#include "support/RunGame.h"
#include "support/GameFiles.h"
#include "support/TempDir.h"

// Suites that run the game headless, each run in a data folder of its own with links to the built
// packs, all below one folder that lasts as long as the suite.
class HeadlessRuns : public ::testing::Test {
protected:
    struct Run {
        int exitCode = -1;
        std::string out;
        std::string err;
    };

    static std::filesystem::path Dir() { return dir_->Path(); }
    static void SetUpTestSuite() { dir_ = new ScopedTempDir(); }
    static void TearDownTestSuite() {
        delete dir_;
        dir_ = nullptr;
    }

    // A data folder of its own with links to the built packs; its path.
    static std::filesystem::path DataFolder(const std::string& name) {
        namespace fs = std::filesystem;
        const fs::path data = Dir() / name;
        fs::create_directories(data);
        for (const char* pack : {pack::kGraphicsPack, pack::kEffectPack, pack::kMusicPack, pack::kWaveDataPack}) {
            if (!fs::exists(data / pack)) {
                ShareGameFile(pack, data);
            }
        }
        return data;
    }

    // The game headless with seed 11 in the folder, with the input script if any; what it printed.
    static Run Play(const std::filesystem::path& data, const std::string& arguments, const std::string& script = "",
                    const char* frames = "20000") {
        std::string command =
            "--headless --seed 11 --frames " + std::string(frames) + " --data '" + data.string() + "' " + arguments;
        if (!script.empty()) {
            const std::filesystem::path path = data / "script.txt";
            std::ofstream(path) << script;
            command += " --input '" + path.string() + "'";
        }
        Run run;
        run.exitCode = RunGameBinary(command, (data / "stderr.txt").string(), 900, (data / "stdout.txt").string());
        run.out = ReadWholeFile(data / "stdout.txt");
        run.err = ReadWholeFile(data / "stderr.txt");
        return run;
    }

    // The pixels of a screenshot; none when it cannot be read.
    static std::vector<std::uint32_t> Pixels(const std::filesystem::path& png) {
        const std::string bytes = ReadWholeFile(png);
        gfx::Image image;
        if (!gfx::DecodePng(bytes.data(), bytes.size(), image)) {
            return {};
        }
        return image.argb;
    }

private:
    static inline ScopedTempDir* dir_ = nullptr;
};
