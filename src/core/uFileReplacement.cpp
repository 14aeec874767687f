#include "uFileReplacement.h"

#include "uFormats.h"
#include "uIniFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvadel {

namespace {

[[noreturn]] void SaveFailed(const std::string &path, const std::string &reason)
{
    throw EFileError("Cannot save \"" + path + "\": " + reason);
}

std::string SystemReason()
{
    return std::strerror(errno);
}

// A replaced file keeps its mode; a new one gets what the user's umask allows.
mode_t ModeFor(const std::string &path)
{
    struct stat previous = {};
    if (::stat(path.c_str(), &previous) == 0)
        return previous.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void SyncFolderOf(const std::string &path)
{
    const std::string folder = ExtractFilePath(path);
    const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir < 0)
        return;
    ::fsync(dir);
    ::close(dir);
}

} // namespace

TFileReplacement::TFileReplacement(std::string path)
    : Path(std::move(path))
    , Temporary(Path + ".tmp.XXXXXX")
{
    Fd = ::mkstemp(Temporary.data());
    if (Fd < 0)
        SaveFailed(Path, SystemReason());
}

TFileReplacement::~TFileReplacement()
{
    if (Fd >= 0)
        ::close(Fd);
    if (!Temporary.empty())
        ::unlink(Temporary.c_str());
}

void TFileReplacement::Write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(Fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            SaveFailed(Path, written < 0 ? SystemReason() : "nothing could be written");
        bytes.remove_prefix(static_cast<size_t>(written));
    }
}

void TFileReplacement::Commit()
{
    if (::fchmod(Fd, ModeFor(Path)) != 0 || ::fsync(Fd) != 0)
        SaveFailed(Path, SystemReason());
    const int fd = Fd;
    Fd = -1;
    if (::close(fd) != 0)
        SaveFailed(Path, SystemReason());
    if (::rename(Temporary.c_str(), Path.c_str()) != 0)
        SaveFailed(Path, SystemReason());
    Temporary.clear();
    SyncFolderOf(Path);
}

bool SameFile(const std::string &a, const std::string &b)
{
    struct stat first = {};
    struct stat second = {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev
        && first.st_ino == second.st_ino;
}

} // namespace corvadel
