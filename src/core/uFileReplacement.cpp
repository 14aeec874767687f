#include "uFileReplacement.h"

#include "uFormats.h"
#include "uIniFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace corvadel {

namespace {

// What the temporary file's name holds after ".NAME": recognisable in a
// folder listing, and never the name of anything but our own temporary.
constexpr std::string_view TemporaryMark = ".corvadel-tmp.";
constexpr size_t RandomLength = 6; // what mkstemp puts in place of XXXXXX
// As the system gives up on a chain of links.
constexpr int MaxLinkHops = 40;

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

// "FOLDER/.NAME.corvadel-tmp." for the file FOLDER/NAME.
std::string TemporaryPrefix(const std::string &target)
{
    const std::string folder = ExtractFilePath(target);
    return folder + "." + target.substr(folder.size()) + std::string(TemporaryMark);
}

bool IsRandomPart(std::string_view text)
{
    return text.size() == RandomLength && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    });
}

// A writer holds the lock on its temporary file until the file has taken its
// place, so a temporary nobody holds was left by a write that was killed.
void RemoveIfAbandoned(const std::string &path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat info = {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid()
        && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
        ::unlink(path.c_str());
    ::close(fd);
}

// The temporaries of the same destination left by earlier writes.
void RemoveAbandonedTemporaries(const std::string &prefix)
{
    const std::string folder = ExtractFilePath(prefix);
    const std::string namePrefix = prefix.substr(folder.size());
    std::vector<std::string> found;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder.empty() ? "." : folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.starts_with(namePrefix) && IsRandomPart(std::string_view(name).substr(namePrefix.size())))
            found.push_back(folder + name);
    }
    for (const std::string &path : found)
        RemoveIfAbandoned(path);
}

} // namespace

std::string LinkTarget(const std::string &path)
{
    std::filesystem::path current = path;
    for (int hop = 0; hop <= MaxLinkHops; ++hop) {
        std::error_code error;
        if (!std::filesystem::is_symlink(current, error))
            return current.string();
        const std::filesystem::path next = std::filesystem::read_symlink(current, error);
        if (error)
            return current.string();
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    SaveFailed(path, std::strerror(ELOOP));
}

TFileReplacement::TFileReplacement(std::string path)
    : Path(std::move(path))
    , Target(LinkTarget(Path))
    , Temporary(TemporaryPrefix(Target) + std::string(RandomLength, 'X'))
{
    Fd = ::mkstemp(Temporary.data());
    if (Fd < 0) {
        Temporary.clear();
        SaveFailed(Path, SystemReason());
    }
    ::flock(Fd, LOCK_EX);
}

TFileReplacement::~TFileReplacement()
{
    if (!Temporary.empty())
        ::unlink(Temporary.c_str());
    if (Fd >= 0)
        ::close(Fd);
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
    if (::fchmod(Fd, ModeFor(Target)) != 0 || ::fsync(Fd) != 0)
        SaveFailed(Path, SystemReason());
    // Renamed while still locked: until it is in place, no other write of the
    // same file may take it for abandoned.
    if (::rename(Temporary.c_str(), Target.c_str()) != 0)
        SaveFailed(Path, SystemReason());
    Temporary.clear();
    // The bytes reached the disk with fsync; closing cannot lose them.
    ::close(Fd);
    Fd = -1;
    SyncFolderOf(Target);
    RemoveAbandonedTemporaries(TemporaryPrefix(Target));
}

bool SameFile(const std::string &a, const std::string &b)
{
    struct stat first = {};
    struct stat second = {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev
        && first.st_ino == second.st_ino;
}

} // namespace corvadel
