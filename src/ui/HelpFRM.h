// The help of the program: HTML pages built in as a resource, shown in a
// browser window of our own. One topic per window context number; F1 in any
// window opens the topic of that window.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTextBrowser>

#include <vector>

class QLineEdit;

namespace corvadel {

struct THelpTopic {
    int Context;
    const char *Page; // file name inside the help folder
};

// Every context number with its page; context 0 is the contents.
const std::vector<THelpTopic> &HelpTopics();
// The address of the page of `context`; the contents for an unknown one.
QUrl HelpPage(int context);
// The address of a page of the help folder by its file name.
QUrl HelpPageNamed(const QString &fileName);

// Shows the help pages; pictures named "diagram:<type>" are the standard
// shape of that configuration type, drawn by the program's drawing code.
class THelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit THelpBrowser(QWidget *parent = nullptr);
    QVariant loadResource(int type, const QUrl &name) override;

    // The standard-shape plan of a type by its name ("simple" ... "box").
    static QImage Diagram(const QString &typeName);
};

class TfrmHelp : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmHelp(QWidget *parent = nullptr);

    void ShowTopic(int context);
    THelpBrowser &Browser() { return *brwHelp; }
    // Looks for the text from the cursor on, then from the top; false when
    // the page does not hold it.
    bool Find(const QString &text, bool backwards = false);

private:
    void UpdateCaption();

    THelpBrowser *brwHelp;
    QLineEdit *edtFind;
};

// The help service of the program: answers help requests and turns F1 in
// any window into a request for that window's topic.
class THelpDesk : public QObject {
    Q_OBJECT
public:
    // Help windows opened from the main window belong to `owner`.
    explicit THelpDesk(QWidget *owner);
    ~THelpDesk() override;

    void Show(int context);
    // The help window shown last, if it still exists.
    TfrmHelp *Window() const { return Shown; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *Owner;
    QPointer<TfrmHelp> Shown;
};

} // namespace corvadel
