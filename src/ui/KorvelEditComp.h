// The single-line field for almost every value typed in the windows: drops
// typed or pasted characters that do not fit its kind and reads and writes
// its text as a number.
#pragma once

#include <QLineEdit>

namespace corvadel {

enum TEditType { etFree, etAlpha, etNumeric, etAlphaNumeric, etExtended, etFloat, etInteger };

class TKorvelEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TKorvelEdit(QWidget *parent = nullptr);

    TEditType EditType() const { return FEditType; }
    void SetEditType(TEditType type) { FEditType = type; }
    int Precision() const { return FPrecision; }
    void SetPrecision(int precision) { FPrecision = precision; }
    int Scale() const { return FScale; }
    void SetScale(int scale) { FScale = scale; }
    // Limits typing and pasting only; the program may set longer texts.
    // 0 is no limit.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int length) { FMaxLength = length; }

    QString AlphaOutput() const { return text(); }
    void SetAlphaOutput(const QString &value) { setText(value); }

    // An empty text becomes "0" first; a text that is not a number raises
    // EConvertError naming it and stays as it is.
    double NumericOutput();
    void SetNumericOutput(double value);

    // Whether a typed character may join `current`.
    static bool Accepts(TEditType type, QChar c, const QString &current);
    // `incoming` with every character the filter refuses left out, each
    // judged against the text as it would stand before it.
    QString Filtered(const QString &incoming) const;
    // Inserts the clipboard's text through the filter.
    void PasteFiltered();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void InsertFiltered(const QString &incoming);
    // Characters that may still be typed over the current selection, or,
    // for a drop, beside the whole text.
    int Room(bool overSelection = true) const;

    TEditType FEditType = etFree;
    int FPrecision = 7;
    int FScale = 2;
    int FMaxLength = 0;
};

} // namespace corvadel
