// The project file: the element tree of a whole project, how it is read
// back, and how it reaches the disk without ever leaving half a file.
#include "uIniFile.h"
#include "uWires.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace corvadel {

namespace {

std::string SystemReason()
{
    return std::strerror(errno);
}

[[noreturn]] void SaveFailed(const std::string &path, const std::string &reason)
{
    throw EFileError("Cannot save \"" + path + "\": " + reason);
}

// A descriptor closed on every path out.
class TFileHandle
{
public:
    explicit TFileHandle(int fd)
        : Fd(fd)
    { }
    TFileHandle(const TFileHandle &) = delete;
    TFileHandle &operator=(const TFileHandle &) = delete;
    ~TFileHandle()
    {
        if (Fd >= 0)
            ::close(Fd);
    }
    int Get() const { return Fd; }
    // Closes now so that the result can be checked.
    bool Close()
    {
        const int fd = Fd;
        Fd = -1;
        return ::close(fd) == 0;
    }

private:
    int Fd;
};

// New files get what the user's umask allows; a replaced file keeps its mode.
mode_t ModeFor(const std::string &path)
{
    struct stat previous = {};
    if (::stat(path.c_str(), &previous) == 0)
        return previous.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void WriteAll(int fd, std::string_view text, const std::string &path)
{
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            SaveFailed(path, written < 0 ? SystemReason() : "nothing could be written");
        text.remove_prefix(static_cast<size_t>(written));
    }
}

// The previous file stays reachable as ".old". A backup that already exists
// is kept, and a backup that cannot be made does not stop the save.
void KeepPreviousAsOld(const std::string &path)
{
    if (!FileExists(path))
        return;
    const std::string old = ChangeFileExt(path, ".old");
    if (::link(path.c_str(), old.c_str()) == 0 || errno == EEXIST)
        return;
    std::error_code ignored;
    std::filesystem::copy_file(path, old, std::filesystem::copy_options::skip_existing, ignored);
}

void SyncFolderOf(const std::string &path)
{
    const std::string folder = ExtractFilePath(path);
    const TFileHandle dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY));
    if (dir.Get() >= 0)
        ::fsync(dir.Get());
}

// The document goes to a temporary file beside `path`, reaches the disk, and
// only then takes the place of the previous file, so a failure at any point
// leaves that file as it was.
void ReplaceFile(const std::string &path, const TWireConfigurationList &project)
{
    std::string temporary = path + ".tmp.XXXXXX";
    TFileHandle file(::mkstemp(temporary.data()));
    if (file.Get() < 0)
        SaveFailed(path, SystemReason());
    try {
        if (::fchmod(file.Get(), ModeFor(path)) != 0)
            SaveFailed(path, SystemReason());
        TXMLTextWriter out(true, [&](std::string_view piece) { WriteAll(file.Get(), piece, path); });
        project.WriteDocument(out);
        out.Flush();
        if (::fsync(file.Get()) != 0 || !file.Close())
            SaveFailed(path, SystemReason());
        KeepPreviousAsOld(path);
        if (::rename(temporary.c_str(), path.c_str()) != 0)
            SaveFailed(path, SystemReason());
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
    SyncFolderOf(path);
}

TDateTime ElementDate(const TXMLBaseObject &element)
{
    try {
        return StrToDate(element.Value);
    } catch (const EConvertError &error) {
        throw EConvertError("Element " + element.Name + ": " + error.what());
    }
}

// Absent details keep the values they had.
void ReadDetails(const TXMLBaseObject &node, TWireConfigurationList &project)
{
    for (const auto &child : node.Children) {
        const std::string_view name = child->Name;
        if (name == "PROJECT_NAME")
            project.ProjectName = child->Value;
        else if (name == "AUTHOR")
            project.Author = child->Value;
        else if (name == "COMMENTS")
            project.Comments = child->Value;
        else if (name == "PROJECT_DATE")
            project.ProjectDate = ElementDate(*child);
        else if (name == "LAST_REVISION")
            project.LastRevision = ElementDate(*child);
    }
}

} // namespace

void TWireConfigurationList::WriteDocument(TXMLElementWriter &out) const
{
    out.Begin("XML");
    out.Begin("TARVO_CONFIGURATIONS");
    out.Begin("PROJECT_DETAIL");
    out.Leaf("PROJECT_NAME", ProjectName);
    out.Leaf("PROJECT_DATE", DateToStr(ProjectDate));
    out.Leaf("AUTHOR", Author);
    out.Leaf("COMMENTS", Comments);
    out.Leaf("LAST_REVISION", DateToStr(LastRevision));
    out.End();
    for (const TWireConfiguration *sequence : *this)
        sequence->WriteXML(out);
    for (const TCombination *combination : Combinations)
        combination->WriteXML(out);
    out.End();
    out.End();
}

void TWireConfigurationList::ReadProjectElement(const TXMLBaseObject &node, bool asSaved)
{
    if (node.Name != "TARVO_CONFIGURATIONS")
        return;
    for (const auto &child : node.Children) {
        const std::string_view name = child->Name;
        if (name == "PROJECT_DETAIL") {
            ReadDetails(*child, *this);
        } else if (name == "COMBINATION") {
            auto combination = std::make_unique<TCombination>();
            combination->FromXML(*child);
            if (asSaved)
                combination->ClearModified();
            Combinations.Add(std::move(combination));
        } else if (const int type = SequenceTypeOfElement(name)) {
            // Only a sequence read to its end joins the project.
            auto sequence = CreateSequence(type);
            sequence->FromXML(*child);
            // Cleared while its objects are still in the cache: a walk over
            // the whole project afterwards would wait on memory.
            if (asSaved)
                sequence->ClearModified();
            Add(std::move(sequence));
        }
    }
}

bool TWireConfigurationList::Open(const std::string &path)
{
    TXMLBaseObject root;
    bool loaded = false;
    try {
        loaded = root.LoadFromFile(path);
    } catch (const EFileError &) {
        throw;
    } catch (const std::runtime_error &error) {
        throw EFileError(path + ": " + error.what());
    }
    FileName = path;
    // What the project held is cleared now, what is read as it is read.
    if (loaded)
        ClearModified();
    if (!root.Children.empty()) {
        try {
            ReadProjectElement(*root.Children.front(), loaded);
        } catch (const EConvertError &error) {
            // What was read stays, and must not pass for the file's content.
            Modified = true;
            throw EConvertError(path + ": " + error.what());
        }
    }
    return loaded;
}

bool TWireConfigurationList::Save(const std::string &path)
{
    ReplaceFile(path, *this);
    FileName = path;
    LastRevision = TDateTime::Now();
    ClearModified();
    return true;
}

} // namespace corvadel
