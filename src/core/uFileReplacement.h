// Writing a file so that it is never seen half written: the bytes go to a
// temporary file beside the destination, reach the disk, and only then take
// the destination's place. A failure at any point leaves the previous file,
// if there was one, as it was, and no temporary file behind.
#pragma once

#include <string>
#include <string_view>

namespace corvadel {

class TFileReplacement
{
public:
    // Creates the temporary file in the destination's folder. Throws
    // EFileError naming `path` when it cannot.
    explicit TFileReplacement(std::string path);
    TFileReplacement(const TFileReplacement &) = delete;
    TFileReplacement &operator=(const TFileReplacement &) = delete;
    // Removes the temporary file unless it was committed.
    ~TFileReplacement();

    // Throws EFileError naming the destination.
    void Write(std::string_view bytes);
    // Flushes the file to the disk and moves it into place; a replaced file's
    // permissions carry over, a new one gets what the umask allows. Throws
    // EFileError naming the destination.
    void Commit();

private:
    std::string Path;
    std::string Temporary;
    int Fd = -1;
};

// True when both paths name one existing file, however they are spelled
// (links, "./", "..").
bool SameFile(const std::string &a, const std::string &b);

} // namespace corvadel
