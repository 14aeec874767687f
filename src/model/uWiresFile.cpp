// The project file: the element tree of a whole project, how it is read
// back, and how it reaches the disk without ever leaving half a file.
#include "uFileReplacement.h"
#include "uIniFile.h"
#include "uSequenceNumbering.h"
#include "uWires.h"

#include <cerrno>
#include <filesystem>
#include <optional>
#include <unistd.h>

namespace corvadel {

namespace {

// The previous file stays reachable as ".old", beside the file a link leads
// to. A backup that already exists is kept, and a backup that cannot be made
// does not stop the save.
void KeepPreviousAsOld(const std::string &linkOrFile)
{
    const std::string path = LinkTarget(linkOrFile);
    if (!FileExists(path))
        return;
    const std::string old = ChangeFileExt(path, ".old");
    if (::link(path.c_str(), old.c_str()) == 0 || errno == EEXIST)
        return;
    std::error_code ignored;
    std::filesystem::copy_file(path, old, std::filesystem::copy_options::skip_existing, ignored);
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

std::string ReadNotesMessage(const std::vector<TReadNote> &notes)
{
    const auto sameRun = [](const TReadNote &a, const TReadNote &b) {
        return a.Heading == b.Heading && a.Ending == b.Ending;
    };
    std::string message;
    const auto line = [&message](const std::string &text) {
        if (!text.empty())
            message += (message.empty() ? "" : "\n") + text;
    };
    for (size_t i = 0; i < notes.size(); ++i) {
        const TReadNote &note = notes[i];
        if (i == 0 || !sameRun(notes[i - 1], note)) {
            if (i > 0)
                message += "\n";
            line(note.Heading);
        }
        line(note.Text);
        if (i + 1 == notes.size() || !sameRun(notes[i + 1], note))
            line(note.Ending);
    }
    return message;
}

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
    ReadNotes.clear();
    if (node.Name != "TARVO_CONFIGURATIONS")
        return;
    for (const auto &child : node.Children)
        ReadProjectPart(*child, asSaved);
}

void TWireConfigurationList::ReadProjectPart(const TXMLBaseObject &child, bool asSaved)
{
    const std::string_view name = child.Name;
    if (name == "PROJECT_DETAIL") {
        ReadDetails(child, *this);
    } else if (name == "COMBINATION") {
        auto combination = std::make_unique<TCombination>();
        combination->FromXML(child);
        if (asSaved)
            combination->ClearModified();
        Combinations.Add(std::move(combination));
    } else if (const int type = SequenceTypeOfElement(name)) {
        // Only a sequence read to its end joins the project.
        auto sequence = CreateSequence(type);
        sequence->FromXML(child);
        for (const std::string &note : sequence->SkippedOnRead)
            ReadNotes.push_back({"sequence " + IntToStr(sequence->Number) + " (" + child.Name + "): " + note,
                                 TReadNote::LeftOutHeading, TReadNote::LeftOutEnding});
        // Cleared while its objects are still in the cache: a walk over
        // the whole project afterwards would wait on memory.
        if (asSaved)
            sequence->ClearModified();
        Add(std::move(sequence));
    }
}

namespace {

// What a project holds before a file is streamed into it, so that a file the
// stream cannot read leaves it as it was for the whole read that follows.
class TProjectBeforeRead
{
public:
    explicit TProjectBeforeRead(const TWireConfigurationList &project)
        : Sequences(project.Count())
        , Combinations(project.Combinations.Count())
        , Comments(project.Comments)
        , ProjectName(project.ProjectName)
        , Author(project.Author)
        , ProjectDate(project.ProjectDate)
        , LastRevision(project.LastRevision)
        , ReadNotes(project.ReadNotes)
    { }

    void Restore(TWireConfigurationList &project) const
    {
        while (project.Count() > Sequences)
            project.Delete(project.Count() - 1);
        while (project.Combinations.Count() > Combinations)
            project.Combinations.Delete(project.Combinations.Count() - 1);
        project.Comments = Comments;
        project.ProjectName = ProjectName;
        project.Author = Author;
        project.ProjectDate = ProjectDate;
        project.LastRevision = LastRevision;
        project.ReadNotes = ReadNotes;
    }

private:
    int Sequences;
    int Combinations;
    std::string Comments;
    std::string ProjectName;
    std::string Author;
    TDateTime ProjectDate;
    TDateTime LastRevision;
    std::vector<TReadNote> ReadNotes;
};

// The codec's errors other than the file's own are raised naming the file.
template<class Read>
bool ReadNamingFile(const std::string &path, Read read)
{
    try {
        return read();
    } catch (const EFileError &) {
        throw;
    } catch (const std::runtime_error &error) {
        throw EFileError(path + ": " + error.what());
    }
}

} // namespace

// A file as the program writes it is read element by element, each turned
// into the project's objects as it comes, so a large project never stands
// in memory twice; any other file is read whole.
bool TWireConfigurationList::Open(const std::string &path)
{
    const TProjectBeforeRead before(*this);
    TXMLBaseObject root;
    std::optional<EConvertError> failed;
    ReadNotes.clear();
    // The project is the first element of the document.
    const auto take = [&](const TXMLBaseObject &parent, const TXMLBaseObject &element) {
        if (failed || &parent != root.Children.front() || parent.Name != "TARVO_CONFIGURATIONS")
            return;
        try {
            ReadProjectPart(element, true);
        } catch (const EConvertError &error) {
            failed = error; // what came before stays, as in a whole read
        }
    };
    if (!ReadNamingFile(path, [&] { return root.StreamFromFile(path, take); })) {
        before.Restore(*this);
        return OpenWhole(path);
    }
    FileName = path;
    ClearModified();
    FinishRead(path, failed);
    return true;
}

bool TWireConfigurationList::OpenWhole(const std::string &path)
{
    TXMLBaseObject root;
    const bool loaded = ReadNamingFile(path, [&] { return root.LoadFromFile(path); });
    FileName = path;
    // What the project held is cleared now, what is read as it is read.
    if (loaded)
        ClearModified();
    if (root.Children.empty())
        return loaded;
    std::optional<EConvertError> failed;
    try {
        ReadProjectElement(*root.Children.front(), loaded);
    } catch (const EConvertError &error) {
        failed = error;
    }
    FinishRead(path, failed);
    return loaded;
}

void TWireConfigurationList::FinishRead(const std::string &path, const std::optional<EConvertError> &failed)
{
    if (failed) {
        // What was read stays, and must not pass for the file's content.
        Modified = true;
        throw EConvertError(path + ": " + failed->what());
    }
    // Everything after takes the numbers for 1 to n, each naming one
    // sequence; a file that breaks that is read as it stands.
    if (std::string renumbered = NumberSequencesInOrder(*this); !renumbered.empty())
        ReadNotes.push_back({std::move(renumbered), "", ""});
    for (TReadNote &note : ReadNotes)
        note.Text = path + ": " + note.Text;
}

std::string TWireConfigurationList::RefusedFileMessage(const std::string &path) const
{
    return path + ": the file is not a TARVO file or it is corrupted" + (ImportProblem.empty() ? "" : ": " + ImportProblem);
}

bool TWireConfigurationList::Save(const std::string &path)
{
    TFileReplacement file(path);
    TXMLTextWriter out(true, [&](std::string_view piece) { file.Write(piece); });
    WriteDocument(out);
    out.Flush();
    KeepPreviousAsOld(path);
    file.Commit();
    FileName = path;
    LastRevision = TDateTime::Now();
    ClearModified();
    return true;
}

} // namespace corvadel
