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

QIcon WithSelectedLook(const QString &name)
{
    QIcon icon(IconPath(name));
    icon.addFile(IconPath(name + "_selected"), {}, QIcon::Selected);
    return icon;
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
    return WithSelectedLook("type_" + QString::fromStdString(Topology(sequenceType).TypeName).toLower());
}

QIcon CategoryIcon(const QString &name)
{
    return WithSelectedLook("category_" + name);
}

} // namespace corvadel
