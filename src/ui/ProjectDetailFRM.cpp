#include "ProjectDetailFRM.h"

#include "KorvelEditComp.h"
#include "uHelpContext.h"
#include "uWires.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace corvadel {

namespace {

TKorvelEdit *TextField(const char *name, const std::string &text)
{
    auto *edit = new TKorvelEdit;
    edit->setObjectName(QLatin1String(name));
    edit->SetEditType(etFree);
    edit->SetMaxLength(TfrmProjectDetail::MaxTextLength);
    edit->setText(QString::fromStdString(text));
    return edit;
}

// The memo shows one line per line of the comments, however they were
// broken in the file.
QString MemoText(const std::string &comments)
{
    return QString::fromStdString(comments).replace(QRegularExpression(QStringLiteral("\r\n|\r")), QStringLiteral("\n"));
}

} // namespace

TfrmProjectDetail::TfrmProjectDetail(const TWireConfigurationList &project, QWidget *parent)
    : QDialog(parent)
    , edtProjectName(TextField("edtProjectName", project.ProjectName))
    , edtAuthor(TextField("edtAuthor", project.Author))
    , dtProjectDate(new QDateEdit)
    , memComments(new QPlainTextEdit)
    , edtLastRevision(new QLineEdit)
    , ShownDate(project.ProjectDate)
{
    setObjectName(QStringLiteral("frmProjectDetail"));
    setWindowTitle(QStringLiteral("Project Detail"));
    SetHelpContext(this, hcProjectDetail);

    dtProjectDate->setObjectName(QStringLiteral("dtProjectDate"));
    dtProjectDate->setCalendarPopup(true);
    dtProjectDate->setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
    dtProjectDate->setDate(QDate(ShownDate.Year, ShownDate.Month, ShownDate.Day));
    memComments->setObjectName(QStringLiteral("memComments"));
    memComments->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memComments->setPlainText(MemoText(project.Comments));
    edtLastRevision->setObjectName(QStringLiteral("edtLastRevision"));
    edtLastRevision->setReadOnly(true);
    edtLastRevision->setText(QString::fromStdString(DateToStr(project.LastRevision)));

    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Project Name:"), edtProjectName);
    form->addRow(QStringLiteral("Project Date:"), dtProjectDate);
    form->addRow(QStringLiteral("Author:"), edtAuthor);
    form->addRow(QStringLiteral("Comments:"), memComments);
    form->addRow(QStringLiteral("Last Revision Date:"), edtLastRevision);
    layout->addLayout(form);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] { RequestHelp(this); });
    layout->addWidget(buttons);
}

std::string TfrmProjectDetail::CommentsText() const
{
    return memComments->toPlainText().split(QLatin1Char('\n')).join(QStringLiteral("\r\n")).toStdString();
}

void TfrmProjectDetail::Store(TWireConfigurationList &project) const
{
    TDateTime date = ShownDate;
    const QDate picked = dtProjectDate->date();
    date.Year = picked.year();
    date.Month = picked.month();
    date.Day = picked.day();
    project.SetProjectName(edtProjectName->text().toStdString());
    project.SetProjectDate(date);
    project.SetAuthor(edtAuthor->text().toStdString());
    project.SetComments(CommentsText());
}

} // namespace corvadel
