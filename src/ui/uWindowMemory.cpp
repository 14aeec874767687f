#include "uWindowMemory.h"

#include "uGlobalSettings.h"
#include "uIniFile.h"

#include <QFileInfo>
#include <QMainWindow>
#include <QSplitter>

namespace corvadel {

namespace {

const char *const Section = "MAIN WINDOW";

std::string RecentKey(int i)
{
    return "Recent" + std::to_string(i);
}

} // namespace

TWindowMemory::TWindowMemory(const TGlobalSetting &settings)
    : Path(settings.ProgramPath.empty() ? std::string() : settings.SettingsPath())
{
}

void TWindowMemory::Remember(const QString &path)
{
    const QString full = QFileInfo(path).absoluteFilePath();
    Files.removeAll(full);
    Files.prepend(full);
    while (Files.size() > RecentCount)
        Files.removeLast();
}

bool TWindowMemory::Restore(QMainWindow &window, const QList<QSplitter *> &splitters)
{
    if (Path.empty())
        return false;
    try {
        const TIniFile ini(Path);
        Files.clear();
        for (int i = 1; i <= RecentCount; ++i)
            if (const std::string path = ini.ReadString(Section, RecentKey(i), ""); !path.empty())
                Files << QString::fromStdString(path);
        const auto bytes = [&](const QString &key) {
            return QByteArray::fromHex(QByteArray::fromStdString(ini.ReadString(Section, key.toStdString(), "")));
        };
        const bool restored = window.restoreGeometry(bytes(QStringLiteral("Geometry")));
        for (QSplitter *splitter : splitters)
            splitter->restoreState(bytes(splitter->objectName()));
        return restored;
    } catch (const std::exception &) {
        // The settings object has already reported a file it could not read.
    }
    return false;
}

void TWindowMemory::Save(const QMainWindow &window, const QList<QSplitter *> &splitters) const
{
    if (Path.empty())
        return;
    try {
        TIniFile ini(Path);
        for (int i = 1; i <= RecentCount; ++i)
            ini.WriteString(Section, RecentKey(i), i <= Files.size() ? Files[i - 1].toStdString() : std::string());
        ini.WriteString(Section, "Geometry", window.saveGeometry().toHex().toStdString());
        for (const QSplitter *splitter : splitters)
            ini.WriteString(Section, splitter->objectName().toStdString(), splitter->saveState().toHex().toStdString());
        ini.UpdateFile();
    } catch (const std::exception &) {
        // Remembering the window is a convenience; a read-only folder is no error.
    }
}

} // namespace corvadel
