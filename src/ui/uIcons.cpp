#include "uIcons.h"

#include "uTopology.h"

#include <QFile>
#include <QHash>
#include <QIconEngine>
#include <QPainter>

#include <optional>

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

// Qt parses an SVG icon as soon as it is made. Most icons stand in menus
// that may never open, so this one reads its pictures on first painting.
class TLazyIconEngine : public QIconEngine {
public:
    TLazyIconEngine(QString normal, QString selected) : Normal(std::move(normal)), Selected(std::move(selected)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        Loaded().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return Loaded().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return Loaded().pixmap(size / scale, scale, mode, state);
    }
    QIconEngine *clone() const override { return new TLazyIconEngine(Normal, Selected); }
    QString key() const override { return QStringLiteral("corvadel-lazy"); }

private:
    const QIcon &Loaded()
    {
        if (!Icon) {
            Icon.emplace(Normal);
            if (!Selected.isEmpty())
                Icon->addFile(Selected, {}, QIcon::Selected);
        }
        return *Icon;
    }

    QString Normal;
    QString Selected;
    std::optional<QIcon> Icon;
};

// One icon per picture for the whole program: a tree of many sequences
// shares the few type icons instead of reading them again for every node.
QIcon SharedIcon(const QString &name, bool withSelectedLook)
{
    static QHash<QString, QIcon> icons;
    if (auto found = icons.constFind(name); found != icons.cend())
        return *found;
    const QString path = IconPath(name);
    QIcon icon;
    if (QFile::exists(path))
        icon = QIcon(new TLazyIconEngine(path, withSelectedLook ? IconPath(name + "_selected") : QString()));
    icons.insert(name, icon);
    return icon;
}

} // namespace

QIcon CommandIcon(const char *name)
{
    return SharedIcon(QLatin1String(name), false);
}

QIcon TypeIcon(int sequenceType)
{
    if (!IsSequenceType(sequenceType))
        return {};
    return SharedIcon("type_" + QString::fromStdString(Topology(sequenceType).TypeName).toLower(), true);
}

QIcon CategoryIcon(const QString &name)
{
    return SharedIcon("category_" + name, true);
}

} // namespace corvadel
