// Inputs the fuzz targets once reported, fed to the same readers; under the
// sanitizers a crash or a memory fault fails the run as well.
#include "../../fuzz/FuzzReaders.h"
#include "uIniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>

using namespace corvadel;

namespace {

const std::filesystem::path Regressions = std::filesystem::path(CORVADEL_SOURCE_DIR) / "tests/data/fuzz-regressions";

// Each target's check of one kept input: false when its property is broken.
const std::map<std::string, std::function<bool(const std::string &path)>> Checks = {
    {"fuzz_codec",
        [](const std::string &path) {
            const std::string text = ReadFileText(path);
            return fuzz::CodecFollowsTheRules(text) && fuzz::CodecStable(text);
        }},
    {"fuzz_project", [](const std::string &path) { return fuzz::ProjectStable(ReadFileText(path)); }},
    {"fuzz_import", [](const std::string &path) { fuzz::ImportAndWrite(path); return true; }},
    {"fuzz_settings", [](const std::string &path) { fuzz::ReadSettings(ReadFileText(path)); return true; }},
    {"fuzz_catalogue", [](const std::string &path) { fuzz::ReadCatalogue(ReadFileText(path)); return true; }},
};

TEST(FuzzRegression, EveryKeptInputPassesItsTarget)
{
    int inputs = 0;
    for (const auto &folder : std::filesystem::directory_iterator(Regressions)) {
        const std::string target = folder.path().filename().string();
        ASSERT_EQ(Checks.count(target), 1u) << "no fuzz target " << target;
        for (const auto &input : std::filesystem::directory_iterator(folder.path())) {
            ++inputs;
            EXPECT_TRUE(Checks.at(target)(input.path().string())) << input.path();
        }
    }
    EXPECT_GT(inputs, 0);
}

} // namespace
