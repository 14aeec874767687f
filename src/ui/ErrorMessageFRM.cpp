#include "ErrorMessageFRM.h"
#include "uHelpContext.h"
#include "uDesignSize.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvadel {

TfrmErrorMessage::TfrmErrorMessage(const QString &listing, bool resizeForm, QWidget *parent)
    : QDialog(parent)
{
    setObjectName("frmErrorMessage");
    SetHelpContext(this, hcErrors);
    setWindowTitle("Error Message");
    setSizeGripEnabled(true);
    auto *layout = new QVBoxLayout(this);
    auto *errors = new QPlainTextEdit(this);
    errors->setObjectName("mmErrors");
    errors->setReadOnly(true);
    errors->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    errors->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    errors->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    errors->setPlainText(listing);
    layout->addWidget(errors);
    auto *close = new QPushButton("Close", this);
    close->setObjectName("btnClose");
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close, 0, Qt::AlignHCenter);
    resize(DesignSize(*this, 517, 259, resizeForm));
}

} // namespace corvadel
