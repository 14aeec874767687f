#include "uDialogButtons.h"

#include "uHelpContext.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

namespace corvadel {

QPushButton *NewButton(const char *name, const QString &caption)
{
    auto *button = new QPushButton(caption);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

void AddHelpAndClose(QDialog *dialog, QBoxLayout *row)
{
    QPushButton *help = NewButton("btnHelp", QStringLiteral("Help"));
    QObject::connect(help, &QPushButton::clicked, dialog, [dialog] { RequestHelp(dialog); });
    QPushButton *close = NewButton("btnClose", QStringLiteral("Close"));
    QObject::connect(close, &QPushButton::clicked, dialog, &QDialog::accept);
    row->addWidget(help);
    row->addWidget(close);
}

QBoxLayout *NewCloseRow(QDialog *dialog)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    auto *close = new QPushButton(QStringLiteral("Close"));
    close->setObjectName(QStringLiteral("btnClose"));
    close->setDefault(true);
    QObject::connect(close, &QPushButton::clicked, dialog, &QDialog::accept);
    row->addWidget(close);
    return row;
}

} // namespace corvadel
