// A scratch folder per test, with small file helpers.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace corvadel::test {

// A fresh folder per test, removed afterwards.
class ScratchFolder
{
public:
    ScratchFolder()
    {
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "_" + info->name();
        for (char &c : name)
            if (c == '/')
                c = '_';
        Dir = std::filesystem::temp_directory_path() / ("corvadel_" + std::to_string(::getpid()) + "_" + name);
        std::filesystem::remove_all(Dir);
        std::filesystem::create_directories(Dir);
    }
    ~ScratchFolder() { std::filesystem::remove_all(Dir); }

    std::string Path(const std::string &name) const { return (Dir / name).string(); }

    void Write(const std::string &name, const std::string &bytes) const
    {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }

    std::string Read(const std::string &name) const { return ReadBytes(Path(name)); }

    static std::string ReadBytes(const std::string &path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

    int FileCount() const
    {
        int count = 0;
        for ([[maybe_unused]] const auto &entry : std::filesystem::directory_iterator(Dir))
            ++count;
        return count;
    }

    std::filesystem::path Dir;
};

} // namespace corvadel::test
