// The project detail dialog: name, date, author and comments of the project,
// and its last revision date to read.
#pragma once

#include "uFormats.h"

#include <QDialog>

#include <string>

class QDateEdit;
class QLineEdit;
class QPlainTextEdit;

namespace corvadel {

class TKorvelEdit;
class TWireConfigurationList;

class TfrmProjectDetail : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxTextLength = 25;

    explicit TfrmProjectDetail(const TWireConfigurationList &project, QWidget *parent = nullptr);

    // The dialog's values through the project's setters, which mark it
    // modified only where a value changed.
    void Store(TWireConfigurationList &project) const;

    // The memo's lines joined by CR LF, as the project keeps its comments.
    std::string CommentsText() const;

private:
    TKorvelEdit *edtProjectName;
    TKorvelEdit *edtAuthor;
    QDateEdit *dtProjectDate;
    QPlainTextEdit *memComments;
    QLineEdit *edtLastRevision;
    TDateTime ShownDate; // keeps the time of day the picker does not show
};

} // namespace corvadel
