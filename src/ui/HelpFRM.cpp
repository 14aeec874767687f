#include "HelpFRM.h"

#include "uGlobalSettings.h"
#include "uGraphics.h"
#include "uHelpContext.h"
#include "uQtCanvas.h"
#include "uTopology.h"
#include "uWires.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTextDocument>
#include <QToolBar>

// The pages live in a static library: nothing would pull them in unasked.
static void LoadHelpResource()
{
    static const bool loaded = [] {
        Q_INIT_RESOURCE(help);
        return true;
    }();
    (void)loaded;
}

namespace corvadel {

namespace {

const int DiagramWidth = 560;
const int DiagramHeight = 300;

} // namespace

const std::vector<THelpTopic> &HelpTopics()
{
    static const std::vector<THelpTopic> topics = {
        {hcContents, "index.html"},
        {hcMain, "main-window.html"},
        {hcSignals, "signals.html"},
        {hcWires, "variable-wires.html"},
        {hcAbout, "about.html"},
        {hcCombinations, "combinations.html"},
        {hcResult, "results.html"},
        {hcCombinationResult, "combination-results.html"},
        {hcParameters, "parameters.html"},
        {hcErrors, "error-window.html"},
        {hcAutomaticCalculation, "automatic-calculation.html"},
        {hcProjectDetail, "project-detail.html"},
        {hcWarpResult, "warp-results.html"},
    };
    return topics;
}

QUrl HelpPageNamed(const QString &fileName)
{
    LoadHelpResource();
    return QUrl(QStringLiteral("qrc:/help/") + fileName);
}

QUrl HelpPage(int context)
{
    for (const THelpTopic &topic : HelpTopics())
        if (topic.Context == context)
            return HelpPageNamed(QLatin1String(topic.Page));
    return HelpPageNamed(QStringLiteral("index.html"));
}

THelpBrowser::THelpBrowser(QWidget *parent)
    : QTextBrowser(parent)
{
    setObjectName(QStringLiteral("brwHelp"));
    setOpenExternalLinks(true);
}

QImage THelpBrowser::Diagram(const QString &typeName)
{
    for (int type = 1; IsSequenceType(type); ++type) {
        if (QString::fromStdString(Topology(type).TypeName).toLower() != typeName)
            continue;
        static const TGlobalSetting settings; // the program's own colours, not the user's
        TWireConfigurationList project(settings.Parameters);
        project.AddSequence(type);
        TQtCanvas canvas(DiagramWidth, DiagramHeight);
        TGraphics graphics(settings, canvas);
        graphics.Project = &project;
        graphics.StandardShape = true;
        graphics.SmallestFontSize = TGraphics::ScreenFontSize;
        graphics.ClearImage();
        graphics.DrawSequence(dmPrint, project.First()->Number, 0);
        return canvas.Picture();
    }
    return {};
}

QVariant THelpBrowser::loadResource(int type, const QUrl &name)
{
    if (type == QTextDocument::ImageResource && name.scheme() == QLatin1String("diagram"))
        return Diagram(name.path());
    return QTextBrowser::loadResource(type, name);
}

TfrmHelp::TfrmHelp(QWidget *parent)
    : QMainWindow(parent, Qt::Window)
    , brwHelp(new THelpBrowser)
    , edtFind(new QLineEdit)
{
    setObjectName(QStringLiteral("frmHelp"));
    setCentralWidget(brwHelp);
    resize(760, 620);

    QToolBar *tools = addToolBar(QStringLiteral("Help"));
    tools->setObjectName(QStringLiteral("tbHelp"));
    QAction *contents = tools->addAction(QStringLiteral("&Contents"), this, [this] { ShowTopic(hcContents); });
    contents->setObjectName(QStringLiteral("help_contents"));
    QAction *back = tools->addAction(QStringLiteral("&Back"), brwHelp, &QTextBrowser::backward);
    back->setObjectName(QStringLiteral("help_back"));
    back->setShortcut(QKeySequence::Back);
    back->setEnabled(false);
    QAction *forward = tools->addAction(QStringLiteral("&Forward"), brwHelp, &QTextBrowser::forward);
    forward->setObjectName(QStringLiteral("help_forward"));
    forward->setShortcut(QKeySequence::Forward);
    forward->setEnabled(false);
    connect(brwHelp, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(brwHelp, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    tools->addSeparator();

    edtFind->setObjectName(QStringLiteral("edtFind"));
    edtFind->setPlaceholderText(QStringLiteral("Find in page"));
    edtFind->setClearButtonEnabled(true);
    edtFind->setMaximumWidth(220);
    tools->addWidget(edtFind);
    QAction *next = tools->addAction(QStringLiteral("Find &Next"), this, [this] { Find(edtFind->text()); });
    next->setObjectName(QStringLiteral("help_find_next"));
    next->setShortcut(QKeySequence::FindNext);
    QAction *previous =
        tools->addAction(QStringLiteral("Find &Previous"), this, [this] { Find(edtFind->text(), true); });
    previous->setObjectName(QStringLiteral("help_find_previous"));
    previous->setShortcut(QKeySequence::FindPrevious);
    QAction *focusFind = new QAction(this);
    focusFind->setShortcut(QKeySequence::Find);
    connect(focusFind, &QAction::triggered, edtFind, [this] {
        edtFind->setFocus();
        edtFind->selectAll();
    });
    addAction(focusFind);
    connect(edtFind, &QLineEdit::returnPressed, this, [this] { Find(edtFind->text()); });

    connect(brwHelp, &QTextBrowser::sourceChanged, this, &TfrmHelp::UpdateCaption);
}

void TfrmHelp::ShowTopic(int context)
{
    brwHelp->setSource(HelpPage(context));
}

bool TfrmHelp::Find(const QString &text, bool backwards)
{
    if (text.isEmpty())
        return false;
    const QTextDocument::FindFlags flags = backwards ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    bool found = brwHelp->find(text, flags);
    if (!found) { // go round once
        QTextCursor cursor = brwHelp->textCursor();
        cursor.movePosition(backwards ? QTextCursor::End : QTextCursor::Start);
        brwHelp->setTextCursor(cursor);
        found = brwHelp->find(text, flags);
    }
    edtFind->setStyleSheet(found ? QString() : QStringLiteral("background-color: #f4c7c3;"));
    return found;
}

void TfrmHelp::UpdateCaption()
{
    setWindowTitle(QStringLiteral("%1 Help - %2")
                       .arg(QLatin1String(TGlobalSetting::ProductTitle), brwHelp->documentTitle()));
}

THelpDesk::THelpDesk(QWidget *owner)
    : Owner(owner)
{
    SetHelpService([this](QWidget *, int context) { Show(context); });
    qApp->installEventFilter(this);
}

THelpDesk::~THelpDesk()
{
    qApp->removeEventFilter(this);
    SetHelpService(nullptr);
}

void THelpDesk::Show(int context)
{
    // A help window under a modal dialog could not be read: it then belongs
    // to the dialog and goes with it.
    QWidget *owner = QApplication::activeModalWidget();
    if (!owner)
        owner = Owner;
    auto *window = owner->findChild<TfrmHelp *>(QString(), Qt::FindDirectChildrenOnly);
    if (!window)
        window = new TfrmHelp(owner);
    window->ShowTopic(context);
    window->show();
    window->raise();
    window->activateWindow();
    Shown = window;
}

bool THelpDesk::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier)
        return false;
    RequestHelp(static_cast<QWidget *>(watched));
    return true;
}

} // namespace corvadel
