// The program's own icons, built in as a resource.
#pragma once

#include <QIcon>

namespace corvadel {

// The tool-bar icon of a command by its name; none when there is no such icon.
QIcon CommandIcon(const char *name);
// A tiny plan of the sequence type for the tree, with its own look when selected.
QIcon TypeIcon(int sequenceType);
// A signal category of the signals dialog ("custom", "s1a", ...), with its
// highlighted picture when selected.
QIcon CategoryIcon(const QString &name);

} // namespace corvadel
