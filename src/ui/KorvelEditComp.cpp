#include "KorvelEditComp.h"

#include "uFormats.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

#include <algorithm>
#include <cmath>
#include <limits>

namespace corvadel {

namespace {

bool IsLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
}

bool IsDigit(QChar c)
{
    const char16_t u = c.unicode();
    return u >= '0' && u <= '9';
}

} // namespace

TKorvelEdit::TKorvelEdit(QWidget *parent)
    : QLineEdit(parent)
{
}

bool TKorvelEdit::Accepts(TEditType type, QChar c, const QString &current)
{
    if (c.unicode() == 8)
        return true;
    switch (type) {
    case etFree:
        return true;
    case etAlpha:
        return IsLetter(c);
    case etNumeric:
        return IsDigit(c);
    case etAlphaNumeric:
        return IsLetter(c) || IsDigit(c);
    case etExtended:
        return IsLetter(c) || IsDigit(c) || c == u' ' || c == u'-' || c == u'_';
    case etFloat:
        return IsDigit(c) || ((c == u'.' || c == u'-') && !current.contains(c));
    case etInteger:
        return IsDigit(c) || ((c == u'+' || c == u'-') && current.isEmpty());
    }
    return false;
}

QString TKorvelEdit::Filtered(const QString &incoming) const
{
    // The tests look at the whole text, whatever is selected, as typing does.
    QString current = text();
    QString accepted;
    for (const QChar c : incoming) {
        if (c.unicode() == 8 || !Accepts(FEditType, c, current))
            continue;
        accepted += c;
        current += c;
    }
    return accepted;
}

double TKorvelEdit::NumericOutput()
{
    if (text().isEmpty())
        setText(QStringLiteral("0"));
    const std::string value = text().toStdString();
    if (FEditType == etInteger)
        return StrToInt(value);
    return StrToFloat(value);
}

void TKorvelEdit::SetNumericOutput(double value)
{
    if (FEditType == etFloat)
        setText(QString::fromStdString(FloatToStrF(value, FPrecision, FScale)));
    else if (FEditType == etInteger && std::fabs(value) < 9.2e18)
        setText(QString::number(static_cast<long long>(std::trunc(value))));
    else if (FEditType == etInteger) // NAN, INF or past any whole number: shown as such, not converted
        setText(QString::fromStdString(FloatToStr(value)));
}

int TKorvelEdit::Room(bool overSelection) const
{
    if (FMaxLength <= 0)
        return std::numeric_limits<int>::max();
    const int replaced = overSelection ? int(selectedText().size()) : 0;
    return std::max(0, FMaxLength - int(text().size()) + replaced);
}

void TKorvelEdit::InsertFiltered(const QString &incoming)
{
    const QString accepted = Filtered(incoming).left(Room());
    if (!accepted.isEmpty())
        insert(accepted);
}

void TKorvelEdit::PasteFiltered()
{
    if (isReadOnly())
        return;
    InsertFiltered(QApplication::clipboard()->text());
}

void TKorvelEdit::keyPressEvent(QKeyEvent *event)
{
    if (event == QKeySequence::Paste) {
        PasteFiltered();
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed.at(0).isPrint();
    if (!printable || event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) {
        // Editing keys and shortcuts: the control's own handling.
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (Filtered(typed) != typed || typed.size() > Room()) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TKorvelEdit::inputMethodEvent(QInputMethodEvent *event)
{
    const QString committed = event->commitString();
    if (committed.isEmpty() || Filtered(committed) == committed) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(Filtered(committed), event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
}

void TKorvelEdit::dropEvent(QDropEvent *event)
{
    // Text dragged in is input like typed text: the control drops what its
    // kind refuses and what would pass the maximum length. Text moved within
    // the field is already its own.
    if (event->source() == this) {
        QLineEdit::dropEvent(event);
        return;
    }
    QMimeData filtered;
    filtered.setText(Filtered(event->mimeData()->text()).left(Room(false)));
    QDropEvent narrowed(event->position(), event->possibleActions(), &filtered, event->buttons(), event->modifiers());
    narrowed.setDropAction(event->dropAction());
    QLineEdit::dropEvent(&narrowed);
    event->setDropAction(narrowed.dropAction());
    event->setAccepted(narrowed.isAccepted());
}

void TKorvelEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (QAction *paste = menu->findChild<QAction *>(QStringLiteral("edit-paste"))) {
        disconnect(paste, &QAction::triggered, nullptr, nullptr);
        connect(paste, &QAction::triggered, this, &TKorvelEdit::PasteFiltered);
    }
    menu->popup(event->globalPos());
}

void TKorvelEdit::mouseReleaseEvent(QMouseEvent *event)
{
    // The X11 selection paste would bypass the filter.
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

} // namespace corvadel
