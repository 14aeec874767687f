// What the main window remembers between runs: its geometry, its splitters
// and the last projects, in a section of the settings file of their own.
#pragma once

#include <QList>
#include <QStringList>

#include <string>

class QMainWindow;
class QSplitter;

namespace corvadel {

class TGlobalSetting;

class TWindowMemory {
public:
    static constexpr int RecentCount = 5;

    // Nothing is kept for settings that belong to no program file.
    explicit TWindowMemory(const TGlobalSetting &settings);

    const QStringList &RecentFiles() const { return Files; }
    // Puts the project first in the list of recent files.
    void Remember(const QString &path);
    // Splitters are kept under their object names. False when no window
    // geometry was kept.
    bool Restore(QMainWindow &window, const QList<QSplitter *> &splitters);
    void Save(const QMainWindow &window, const QList<QSplitter *> &splitters) const;

private:
    std::string Path;
    QStringList Files;
};

} // namespace corvadel
