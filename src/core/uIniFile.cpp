#include "uIniFile.h"

#include "uFormats.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

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
    size_t pos = 0;
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
            if (!current) {
                into.Sections.push_back(Section{name, {}});
                current = &into.Sections.back();
            }
            continue;
        }
        const size_t equals = line.find('=');
        if (!current || equals == std::string::npos)
            continue;
        const std::string key = Trim(line.substr(0, equals));
        bool known = false;
        for (const Entry &entry : current->Entries)
            known = known || SameText(entry.Key, key);
        if (!known) // the first of duplicate keys wins, as on Windows
            current->Entries.push_back(Entry{key, Unquote(Trim(line.substr(equals + 1)))});
    }
}

const TIniFile::Section *TIniFile::FindSection(std::string_view name) const
{
    for (const Section &section : Sections)
        if (SameText(section.Name, name))
            return &section;
    return nullptr;
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
    if (!s)
        return false;
    for (const Entry &entry : s->Entries)
        if (SameText(entry.Key, key))
            return true;
    return false;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const
{
    if (const Section *s = FindSection(section))
        for (const Entry &entry : s->Entries)
            if (SameText(entry.Key, key))
                return entry.Value;
    return std::string(defaultValue);
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    Section *s = FindSection(section);
    if (!s) {
        Sections.push_back(Section{std::string(section), {}});
        s = &Sections.back();
    }
    for (Entry &entry : s->Entries) {
        if (SameText(entry.Key, key)) {
            entry.Value = Trim(value);
            return;
        }
    }
    s->Entries.push_back(Entry{std::string(key), Trim(value)});
}

void TIniFile::UpdateFile() const
{
    std::string text;
    for (const Section &section : Sections) {
        text += '[' + section.Name + "]\r\n";
        for (const Entry &entry : section.Entries)
            text += entry.Key + '=' + entry.Value + "\r\n";
    }
    std::FILE *file = std::fopen(Path.c_str(), "wb");
    if (!file)
        throw EFileError("Cannot create file \"" + Path + "\"");
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (std::fclose(file) != 0 || !written)
        throw EFileError("Cannot write file \"" + Path + "\"");
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

std::string ReadFileText(const std::string &fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    if (!in || std::filesystem::is_directory(fileName))
        throw EFileError("Cannot open file \"" + fileName + "\"");
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad())
        throw EFileError("Cannot read file \"" + fileName + "\"");
    return buffer.str();
}

} // namespace corvadel
