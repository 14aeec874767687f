#include "AboutFRM.h"

#include "uGlobalSettings.h"
#include "uHelpContext.h"
#include "uIcons.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvadel {

namespace {

QLabel *Line(const char *name, const QString &text, double scale = 1, bool bold = false)
{
    auto *label = new QLabel(text);
    label->setObjectName(QLatin1String(name));
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * scale);
    font.setBold(bold);
    label->setFont(font);
    return label;
}

} // namespace

TfrmAbout::TfrmAbout(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About"));
    SetHelpContext(this, hcAbout);

    auto *logo = new QLabel;
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setPixmap(CommandIcon("logo").pixmap(96, 96));

    auto *texts = new QVBoxLayout;
    texts->addWidget(Line("lblProductName", QLatin1String(TGlobalSetting::ProductAcronym), 2, true));
    texts->addWidget(Line("lblVersion", QStringLiteral("Version ") + QLatin1String(TGlobalSetting::Version)));
    texts->addWidget(Line("lblMaker", QLatin1String(TGlobalSetting::Maker)));
    texts->addWidget(Line("lblTitle", QLatin1String(TGlobalSetting::ProductTitle), 1.3, true));
    // The acronym heads the caption and the file filters: say what it is.
    QLabel *family = Line("lblFamily",
                          QStringLiteral("%1 is the family name of %2's design files and settings (\"%1 XML "
                                         "Files\", \"%1 Parameters\"), kept so that stored projects and "
                                         "settings stay compatible.")
                              .arg(QLatin1String(TGlobalSetting::ProductAcronym),
                                   QLatin1String(TGlobalSetting::ProductTitle)));
    family->setWordWrap(true);
    family->setMinimumWidth(family->fontMetrics().averageCharWidth() * 45);
    texts->addWidget(family);
    texts->addStretch();

    auto *panel = new QGridLayout;
    panel->addWidget(logo, 0, 0, Qt::AlignTop);
    panel->addLayout(texts, 0, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Help);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] { RequestHelp(this); });

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(panel);
    layout->addWidget(buttons);
}

} // namespace corvadel
