// Writing a file so that it is never seen half written: the bytes go to a
// temporary file beside the destination, reach the disk, and only then take
// the destination's place. A failure at any point leaves the previous file,
// if there was one, as it was, and no temporary file behind. A destination
// that is a symbolic link keeps its link: the file it leads to is replaced.
#pragma once

#include <string>
#include <string_view>

namespace corvadel {

class TFileReplacement
{
public:
    // Creates the temporary file (".NAME.corvadel-tmp.XXXXXX") in the folder
    // of the file the destination stands for. Throws EFileError naming
    // `path` when it cannot.
    explicit TFileReplacement(std::string path);
    TFileReplacement(const TFileReplacement &) = delete;
    TFileReplacement &operator=(const TFileReplacement &) = delete;
    // Removes the temporary file unless it was committed.
    ~TFileReplacement();

    // Throws EFileError naming the destination.
    void Write(std::string_view bytes);
    // Flushes the file to the disk and moves it into place; a replaced file's
    // permissions carry over, a new one gets what the umask allows. Then
    // removes what earlier writes of the same file left behind when they
    // were killed half way. Throws EFileError naming the destination.
    void Commit();

private:
    std::string Path;
    std::string Target;
    std::string Temporary;
    int Fd = -1;
};

// The file `path` stands for: symbolic links followed to their end (a link
// to nothing leads to the file it names), `path` itself when it is no link.
// Throws EFileError naming `path` for a loop of links.
std::string LinkTarget(const std::string &path);

// True when both paths name one existing file, however they are spelled
// (links, "./", "..").
bool SameFile(const std::string &a, const std::string &b);

} // namespace corvadel
