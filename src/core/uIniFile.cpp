#include "uIniFile.h"

#include "uFileReplacement.h"
#include "uFormats.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace corvadel {

namespace {

// Windows drops one pair of matching quotes around a value.
std::string Unquote(std::string value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

} // namespace

TIniFile::TIniFile(std::string fileName)
    : Path(std::move(fileName))
{
    if (FileExists(Path))
        ParseText(ReadFileText(Path), *this);
}

void TIniFile::ParseText(std::string_view text, TIniFile &into)
{
    Section *current = nullptr;
    // A UTF-8 byte-order mark is an editor's, not part of the first line.
    size_t pos = text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string line = Trim(text.substr(pos, end - pos));
        pos = end;
        if (pos < text.size() && text[pos] == '\r')
            ++pos;
        if (pos < text.size() && text[pos] == '\n')
            ++pos;

        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            const size_t close = line.find(']');
            const std::string name = Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            current = into.FindSection(name);
            if (!current)
                current = &into.AddSection(name);
            continue;
        }
        const size_t equals = line.find('=');
        if (!current || equals == std::string::npos)
            continue;
        std::string key = Trim(line.substr(0, equals));
        if (!current->Find(key)) // the first of duplicate keys wins, as on Windows
            current->Add(std::move(key), Unquote(Trim(line.substr(equals + 1))));
    }
}

const TIniFile::Entry *TIniFile::Section::Find(std::string_view key) const
{
    const auto hit = Index.find(UpperCase(key));
    return hit == Index.end() ? nullptr : &Entries[hit->second];
}

TIniFile::Entry *TIniFile::Section::Find(std::string_view key)
{
    return const_cast<Entry *>(static_cast<const Section *>(this)->Find(key));
}

TIniFile::Entry &TIniFile::Section::Add(std::string key, std::string value)
{
    Index.emplace(UpperCase(key), Entries.size());
    Entries.push_back(Entry{std::move(key), std::move(value)});
    return Entries.back();
}

TIniFile::Section &TIniFile::AddSection(std::string name)
{
    SectionIndex.emplace(UpperCase(name), Sections.size());
    Sections.push_back(Section{std::move(name), {}, {}});
    return Sections.back();
}

const TIniFile::Section *TIniFile::FindSection(std::string_view name) const
{
    const auto hit = SectionIndex.find(UpperCase(name));
    return hit == SectionIndex.end() ? nullptr : &Sections[hit->second];
}

TIniFile::Section *TIniFile::FindSection(std::string_view name)
{
    return const_cast<Section *>(static_cast<const TIniFile *>(this)->FindSection(name));
}

bool TIniFile::SectionExists(std::string_view section) const
{
    return FindSection(section) != nullptr;
}

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const
{
    const Section *s = FindSection(section);
    return s && s->Find(key);
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const
{
    if (const Section *s = FindSection(section))
        if (const Entry *entry = s->Find(key))
            return entry->Value;
    return std::string(defaultValue);
}

std::vector<std::string> TIniFile::ReadSection(std::string_view section) const
{
    std::vector<std::string> keys;
    if (const Section *s = FindSection(section))
        for (const Entry &entry : s->Entries)
            keys.push_back(entry.Key);
    return keys;
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    Section *s = FindSection(section);
    if (!s)
        s = &AddSection(std::string(section));
    if (Entry *entry = s->Find(key)) {
        entry->Value = Trim(value);
        return;
    }
    s->Add(std::string(key), Trim(value));
}

void TIniFile::UpdateFile() const
{
    std::string text;
    for (const Section &section : Sections) {
        text += '[' + section.Name + "]\r\n";
        for (const Entry &entry : section.Entries)
            text += entry.Key + '=' + entry.Value + "\r\n";
    }
    // The user's configuration folder may not exist yet; a folder that
    // cannot be made shows as the write failing.
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(Path).parent_path(), ignored);
    // A failed write must not leave the user's settings half written.
    TFileReplacement replacement(Path);
    replacement.Write(text);
    replacement.Commit();
}

void TIniFile::EraseSection(std::string_view section)
{
    const auto hit = SectionIndex.find(UpperCase(section));
    if (hit == SectionIndex.end())
        return;
    Sections.erase(Sections.begin() + static_cast<std::ptrdiff_t>(hit->second));
    SectionIndex.clear();
    for (size_t i = 0; i < Sections.size(); ++i)
        SectionIndex.emplace(UpperCase(Sections[i].Name), i);
}

bool FileExists(const std::string &fileName)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(fileName, ec);
}

bool DeleteFile(const std::string &fileName)
{
    std::error_code ec;
    return std::filesystem::remove(fileName, ec);
}

std::string ChangeFileExt(const std::string &fileName, std::string_view extension)
{
    const size_t slash = fileName.find_last_of("/\\");
    const size_t dot = fileName.find_last_of('.');
    const bool hasExt = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExt ? fileName.substr(0, dot) : fileName) + std::string(extension);
}

std::string ExtractFilePath(const std::string &fileName)
{
    const size_t slash = fileName.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
}

void RefuseFolder(const std::string &fileName)
{
    std::error_code ec;
    if (std::filesystem::is_directory(fileName, ec))
        throw EFileError("Cannot open file \"" + fileName + "\": it is a folder");
}

std::string ReadFileText(const std::string &fileName)
{
    RefuseFolder(fileName);
    errno = 0;
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        throw EFileError("Cannot open file \"" + fileName + "\"" + (errno ? ": " + std::string(std::strerror(errno)) : ""));
    // Read in one piece: a stream buffer copy is several times slower on
    // large project files.
    const auto tooLarge = [&fileName] {
        return EFileError("Cannot read file \"" + fileName + "\": it is larger than "
                          + std::to_string(MaxFileTextSize >> 20) + " MB");
    };
    std::string text;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size > 0) {
        if (static_cast<uintmax_t>(size) > MaxFileTextSize)
            throw tooLarge();
        text.resize(static_cast<size_t>(size));
        in.read(text.data(), size);
        text.resize(static_cast<size_t>(in.gcount()));
    } else {
        // Not seekable, or a size the system does not know (a pipe, a
        // device): read to the end, which a device may never reach.
        in.clear();
        char chunk[65536];
        while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
            text.append(chunk, static_cast<size_t>(in.gcount()));
            if (text.size() > MaxFileTextSize)
                throw tooLarge();
        }
    }
    if (in.bad())
        throw EFileError("Cannot read file \"" + fileName + "\"");
    return text;
}

} // namespace corvadel
