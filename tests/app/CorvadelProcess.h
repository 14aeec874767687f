// Runs the built executable as a user would, capturing what it prints.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>
#include <sys/wait.h>
#include <unistd.h>

namespace corvadel::test {

// The sample projects, with a trailing separator.
inline const std::string Examples = std::string(CORVADEL_SOURCE_DIR) + "/examples/";

// The text of an example with the first `from` of each edit replaced by its
// `to`; a `from` the example lacks fails the test.
inline std::string EditedExample(const std::string &name,
                                 const std::vector<std::pair<std::string, std::string>> &edits)
{
    std::ifstream in(Examples + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    std::string text = bytes.str();
    for (const auto &[from, to] : edits) {
        const size_t at = text.find(from);
        if (at == std::string::npos) {
            ADD_FAILURE() << name << " holds no " << from;
            continue;
        }
        text.replace(at, from.size(), to);
    }
    return text;
}

// A path as one shell word.
inline std::string Quoted(const std::string &path)
{
    return "'" + path + "'";
}

struct TCorvadelRun {
    int Status = -1; // exit status, -1 when it did not exit normally
    std::string Output;
    std::string Errors;
};

// `arguments` go to the shell as they are: quote paths. `before` is shell
// text put before the executable: a command that runs it ("env -u DISPLAY",
// "timeout 20") or commands of the same shell ("ulimit -f 1;").
inline TCorvadelRun RunCorvadel(const std::string &arguments, const std::string &before = {})
{
    auto scratch = [](char *pattern) {
        const int fd = mkstemp(pattern);
        if (fd >= 0)
            close(fd);
        return std::string(pattern);
    };
    char outPattern[] = "/tmp/corvadel-stdout-XXXXXX";
    char errPattern[] = "/tmp/corvadel-stderr-XXXXXX";
    const std::string out = scratch(outPattern);
    const std::string err = scratch(errPattern);
    const std::string command = before + (before.empty() ? "'" : " '") + CORVADEL_BINARY_DIR + "/corvadel' "
        + arguments + " >'" + out + "' 2>'" + err + "'";
    const int status = std::system(command.c_str());

    auto slurp = [](const std::string &path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        std::remove(path.c_str());
        return text.str();
    };
    TCorvadelRun run;
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.Output = slurp(out);
    run.Errors = slurp(err);
    return run;
}

} // namespace corvadel::test
