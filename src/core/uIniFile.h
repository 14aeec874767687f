// Sectioned initialisation files as Windows reads and writes them: section
// and key names match without regard to case, values are trimmed, and files
// with CR LF or LF line ends read the same.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvadel {

class TIniFile
{
public:
    // Reads the file when it exists; a missing file is an empty one.
    // Throws EFileError when an existing file cannot be read.
    explicit TIniFile(std::string fileName);

    const std::string &FileName() const { return Path; }

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    // The key names of a section in file order; empty when it is missing.
    std::vector<std::string> ReadSection(std::string_view section) const;
    // Creates the section and the key when they are missing.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    // Removes a section and its keys; nothing happens when it is missing.
    void EraseSection(std::string_view section);
    // Writes the sections and keys to the file (CR LF line ends), making its
    // folder when needed.
    // Throws EFileError when it cannot be written.
    void UpdateFile() const;

    static void ParseText(std::string_view text, TIniFile &into);

private:
    struct Entry {
        std::string Key;
        std::string Value;
    };
    // Names are indexed upper-cased so that files with many keys read in
    // linear time.
    struct Section {
        std::string Name;
        std::vector<Entry> Entries;
        std::unordered_map<std::string, size_t> Index;

        const Entry *Find(std::string_view key) const;
        Entry *Find(std::string_view key);
        Entry &Add(std::string key, std::string value);
    };
    const Section *FindSection(std::string_view name) const;
    Section *FindSection(std::string_view name);
    Section &AddSection(std::string name);

    std::string Path;
    std::vector<Section> Sections;
    std::unordered_map<std::string, size_t> SectionIndex;
};

bool FileExists(const std::string &fileName);
bool DeleteFile(const std::string &fileName);
// The path with its extension (from the last dot of the file name) replaced.
std::string ChangeFileExt(const std::string &fileName, std::string_view extension);
std::string ExtractFilePath(const std::string &fileName); // folder with trailing separator
// Far more than any project, settings or catalogue file holds.
inline constexpr size_t MaxFileTextSize = size_t(128) << 20;
// The whole file; throws EFileError, also for a file past MaxFileTextSize.
std::string ReadFileText(const std::string &fileName);
// Throws EFileError saying so when `fileName` is a folder.
void RefuseFolder(const std::string &fileName);

} // namespace corvadel
