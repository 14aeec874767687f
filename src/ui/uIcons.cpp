#include "uIcons.h"

#include "uTopology.h"

#include <QFile>

// The resource lives in a static library: nothing would pull it in unasked.
static void LoadIconResource()
{
    static const bool loaded = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    (void)loaded;
}

namespace corvadel {

namespace {

QString IconPath(const QString &name)
{
    LoadIconResource();
    return QStringLiteral(":/icons/%1.svg").arg(name);
}

} // namespace

QIcon CommandIcon(const char *name)
{
    const QString path = IconPath(QLatin1String(name));
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

QIcon TypeIcon(int sequenceType)
{
    if (!IsSequenceType(sequenceType))
        return {};
    const QString type = QString::fromStdString(Topology(sequenceType).TypeName).toLower();
    QIcon icon(IconPath("type_" + type));
    icon.addFile(IconPath("type_" + type + "_selected"), {}, QIcon::Selected);
    return icon;
}

} // namespace corvadel
