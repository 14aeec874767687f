// The readers the fuzz targets drive, with the properties they must keep.
// The regression tests feed the kept inputs to the same functions.
#pragma once

#include "../tests/support/ReferenceXml.h"
#include "uCodes.h"
#include "uGlobalSettings.h"
#include "uIniFile.h"
#include "uWires.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace corvadel::fuzz {

inline const TGlobalSetting &Settings()
{
    static const TGlobalSetting settings;
    return settings;
}

// Plain words, and no element inside one of the same name (which the codec
// does not support): the trees the program could write.
inline bool WritableNames(const TXMLBaseObject &node, std::vector<std::string_view> &enclosing)
{
    for (const auto &child : node.Children) {
        const std::string_view name = child->Name;
        if (name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_")
            != std::string_view::npos)
            return false;
        if (std::find(enclosing.begin(), enclosing.end(), name) != enclosing.end())
            return false;
        enclosing.push_back(name);
        const bool writable = WritableNames(*child, enclosing);
        enclosing.pop_back();
        if (!writable)
            return false;
    }
    return true;
}

// The text parsed and written again; empty when it does not load or holds
// names the program never writes.
inline std::string RewrittenElements(std::string_view text)
{
    TXMLBaseObject root;
    std::vector<std::string_view> enclosing;
    if (!root.LoadFromText(text) || !WritableNames(root, enclosing))
        return {};
    return root.DocumentText();
}

// The text read as a project file and written again; empty when it holds
// no element. Conversion errors raise.
inline std::string RewrittenProject(std::string_view text)
{
    TXMLBaseObject root;
    if (!root.LoadFromText(text) || root.Children.empty())
        return {};
    TWireConfigurationList project(Settings().Parameters);
    project.ReadProjectElement(*root.Children.front());
    TXMLTextWriter written(true);
    project.WriteDocument(written);
    return written.Text();
}

// Once written, a text must read back to itself. The first writing of
// arbitrary input may still differ (an empty element is written as none,
// which then reads back as absent), so the check starts from the second.
// False when the property is broken; input the reader refuses is fine.
template<class Rewrite>
bool StableOnceWritten(std::string_view input, Rewrite rewrite)
{
    std::string once;
    try {
        once = rewrite(input);
    } catch (const std::runtime_error &) {
        return true; // a value that does not convert, or nesting too deep
    }
    if (once.empty())
        return true;
    const std::string twice = rewrite(once);
    return rewrite(twice) == twice;
}

inline bool CodecStable(std::string_view input)
{
    return StableOnceWritten(input, RewrittenElements);
}

// The one-pass reader gives the tree the plain reading rules give.
inline bool CodecFollowsTheRules(std::string_view input)
{
    TXMLBaseObject loaded;
    bool result = false;
    std::string unclosed; // element and line, when the reader refused the text
    try {
        result = loaded.LoadFromText(input);
    } catch (const EXMLUnclosedElement &error) {
        unclosed = error.Element + ":" + std::to_string(error.Line);
    } catch (const std::runtime_error &) {
        return true; // nesting too deep
    }
    test::TReferenceNode reference;
    bool expected = false;
    try {
        expected = test::ReferenceLoad(input, reference);
    } catch (const test::TReferenceDamage &damage) {
        return unclosed == damage.Element + ":" + std::to_string(damage.Line);
    }
    if (!unclosed.empty() || expected != result)
        return false;
    return !result || test::SameTree(loaded, reference);
}

inline bool ProjectStable(std::string_view input)
{
    return StableOnceWritten(input, RewrittenProject);
}

// Imports the file; a project that was imported is written as well.
inline void ImportAndWrite(const std::string &path)
{
    TWireConfigurationList project(Settings().Parameters);
    try {
        if (project.Import(path)) {
            TXMLTextWriter written(true);
            project.WriteDocument(written);
        }
    } catch (const std::runtime_error &) {
        // a value that does not convert
    }
}

inline void ReadSettings(std::string_view text)
{
    TIniFile ini("corvadel.def");
    TIniFile::ParseText(text, ini);
    std::vector<std::string> warnings;
    TTARVOParameters parameters;
    parameters.Load(ini, warnings);
    TCustomColor colors;
    colors.Load(ini, warnings);
}

inline void ReadCatalogue(std::string_view text)
{
    TCodeList catalogue;
    try {
        catalogue.LoadFromText(std::string(text), "CodeList.xml");
    } catch (const std::runtime_error &) {
        return; // nesting too deep
    }
    catalogue.TypicalSignals();
    catalogue.TypicalSigns();
    catalogue.TypicalWires();
    catalogue.NextCustomCode();
    catalogue.FindByCode("S3A-12AL");
}

} // namespace corvadel::fuzz
