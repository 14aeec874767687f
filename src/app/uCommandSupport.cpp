#include "uCommandSupport.h"

#include "Commands.h"
#include "uFileReplacement.h"
#include "uFormats.h"
#include "uGlobalSettings.h"
#include "uIniFile.h"
#include "uWires.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace corvadel {

namespace {

void PrintSettingsWarnings(const char *command, const TGlobalSetting &settings)
{
    for (const std::string &warning : settings.Warnings)
        std::fprintf(stderr, "corvadel %s: warning: %s\n", command, warning.c_str());
}

std::string ExtensionOf(const std::string &path)
{
    return path.substr(ChangeFileExt(path, "").size());
}

} // namespace

int FailLine(const char *command, std::string message)
{
    for (char &c : message)
        if (c == '\r' || c == '\n')
            c = ' ';
    std::fprintf(stderr, "corvadel %s: %s\n", command, message.c_str());
    return 2;
}

std::unique_ptr<TGlobalSetting> CommandSettings(const char *command, const TArguments &arguments)
{
    std::unique_ptr<TGlobalSetting> settings;
    if (arguments.Has("--settings")) {
        const std::string path = arguments.Text("--settings");
        // The settings are read from the ".def" file of whatever path is given.
        if (!SameText(ExtensionOf(path), ".def"))
            throw EUsage("--settings: '" + path + "' is not a settings file (.def)");
        if (!FileExists(path))
            throw EUsage(path + ": the settings file does not exist");
        settings = std::make_unique<TGlobalSetting>();
        settings->Load(path);
    } else {
        settings = std::make_unique<TGlobalSetting>(ProgramPath());
    }
    PrintSettingsWarnings(command, *settings);
    return settings;
}

void ReadProject(const std::string &path, TWireConfigurationList &project)
{
    // Both readers take a missing file for a foreign one; say what it is.
    // Only a path with nothing behind it is tried here: a pipe read now
    // would be spent.
    std::error_code missing;
    if (!std::filesystem::exists(path, missing))
        ReadFileText(path);
    const bool read = SameText(ExtensionOf(path), ".sws") ? project.Import(path) : project.Open(path);
    if (!read)
        throw std::runtime_error(project.RefusedFileMessage(path));
    for (const TReadNote &note : project.ReadNotes)
        std::fprintf(stderr, "corvadel: warning: %s\n", note.Text.c_str());
}

std::string OutputExtension(const std::string &path, std::initializer_list<const char *> allowed)
{
    std::string list;
    for (const char *extension : allowed) {
        if (SameText(ExtensionOf(path), extension))
            return extension;
        list += std::string(list.empty() ? "" : ", ") + extension;
    }
    const std::string extension = ExtensionOf(path);
    if (extension.empty())
        throw EUsage("-o " + path + ": the file name has no extension; give it one of " + list);
    throw EUsage("-o " + path + ": the extension \"" + extension + "\" is not one of " + list);
}

void RefuseToOverwriteInput(const std::string &input, const std::string &output)
{
    if (SameFile(input, output))
        throw EUsage("-o " + output + " is the input file " + input + " itself; write to another file");
}

void ReplaceFileWith(const std::string &path, std::string_view bytes)
{
    TFileReplacement file(path);
    file.Write(bytes);
    file.Commit();
}

} // namespace corvadel
