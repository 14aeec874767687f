#include "MainFRM.h"

#include "KorvelEditComp.h"
#include "uAsk.h"
#include "uCombinationGrid.h"
#include "uCalculationRun.h"
#include "uPlausibility.h"
#include "uDetailPages.h"
#include "uDrawingArea.h"
#include "uFormParts.h"
#include "uGeometry.h"
#include "uIcons.h"
#include "uIniFile.h"
#include "uGlobalSettings.h"
#include "uProjectDocument.h"
#include "uWires.h"
#include "uHelpContext.h"
#include "uQtText.h"
#include "uDesignSize.h"
#include "uTopology.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace corvadel {

namespace {

const QString OpenFilter = QStringLiteral("TARVO XML Files (*.xml);;All Files (*.*)");
const QString SaveFilter = QStringLiteral("TARVO XML Files (*.xml)");

} // namespace

TfrmMain::TfrmMain(TGlobalSetting &settings, TAsk &ask, TResultWindows results, QWidget *parent)
    : QMainWindow(parent)
    , Settings(settings)
    , Ask(ask)
    , Results(std::move(results))
    , FDocument(new TProjectDocument(settings.Parameters, this, &settings.CodeList))
    , Memory(settings)
{
    setObjectName(QStringLiteral("frmMain"));
    SetHelpContext(this, hcMain);
    setAcceptDrops(true);
    MainSplitter = new QSplitter(Qt::Horizontal);
    MainSplitter->setObjectName(QStringLiteral("splMain"));
    MainSplitter->addWidget(BuildLeftPane());
    MainSplitter->addWidget(BuildRightPane());
    MainSplitter->setStretchFactor(1, 1);
    MainSplitter->setSizes({192, 598});
    setCentralWidget(MainSplitter);
    BuildStatusBar();
    BuildActions();
    SetWindowSizes();
    RefreshRecentMenu();

    connect(FDocument, &TProjectDocument::Changed, this, &TfrmMain::DocumentChanged);
    connect(&FDocument->UndoStack(), &QUndoStack::cleanChanged, this, &TfrmMain::RefreshStatus);
    connect(pgDetail, &TDetailPages::DrawingChanged, this, &TfrmMain::RefreshDrawing);
    connect(pgDetail, &TDetailPages::SegmentsDoubleClicked, this, [this] {
        if (auto *wires = findChild<QAction *>(QStringLiteral("variable_wires")); wires->isEnabled())
            wires->trigger();
    });
    FDocument->New();
    ShowStartPicture();
}

TfrmMain::~TfrmMain() = default;

QWidget *TfrmMain::BuildLeftPane()
{
    auto *split = new QSplitter(Qt::Vertical);
    split->setObjectName(QStringLiteral("splLeft"));
    auto *top = new QWidget;
    auto *topLayout = new QVBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->addWidget(new QLabel(QStringLiteral("Span Wire Configuration")));
    tvSpanWireList = new QTreeWidget;
    tvSpanWireList->setObjectName(QStringLiteral("tvSpanWireList"));
    tvSpanWireList->setHeaderHidden(true);
    tvSpanWireList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Rows of one height: finding and showing a row needs no walk over the rows before it.
    tvSpanWireList->setUniformRowHeights(true);
    connect(tvSpanWireList, &QTreeWidget::currentItemChanged, this, &TfrmMain::TreeSelectionChanged);
    topLayout->addWidget(tvSpanWireList);
    split->addWidget(top);

    QWidget *bottom = NewCombinationsPane("Angle (Degree)", {30, 28, 33, 37, 67}, Settings.ResizeForm, sgCombinations);
    connect(sgCombinations, &QTableWidget::cellDoubleClicked, this, [this] { Run(&TfrmMain::EditCombinations); });
    split->addWidget(bottom);
    split->setSizes({340, 211});
    return split;
}

QWidget *TfrmMain::BuildRightPane()
{
    auto *right = new QWidget;
    auto *column = new QVBoxLayout(right);
    column->setContentsMargins(0, 0, 0, 0);
    auto *header = new QHBoxLayout;
    edtSequenceNumber = new QLineEdit;
    edtSequenceNumber->setObjectName(QStringLiteral("edtSequenceNumber"));
    edtSequenceNumber->setReadOnly(true);
    edtSequenceNumber->setMaximumWidth(50);
    edtID = new TKorvelEdit;
    edtID->setObjectName(QStringLiteral("edtID"));
    edtID->SetEditType(etExtended);
    edtType = new QLineEdit;
    edtType->setObjectName(QStringLiteral("edtType"));
    edtType->setReadOnly(true);
    connect(edtID, &QLineEdit::editingFinished, this, &TfrmMain::CommitIdentification);
    AddLabelledFields(header, {{"Sequence #:", edtSequenceNumber}, {"Identification:", edtID}, {"Type:", edtType}});
    column->addLayout(header);
    RightSplitter = new QSplitter(Qt::Vertical);
    RightSplitter->setObjectName(QStringLiteral("splRight"));
    imgSpanWire = new TDrawingArea(Settings);
    pgDetail = new TDetailPages(*FDocument, Ask, Settings);
    RightSplitter->addWidget(imgSpanWire);
    RightSplitter->addWidget(pgDetail);
    RightSplitter->setStretchFactor(0, 1);
    RightSplitter->setSizes({330, 190});
    column->addWidget(RightSplitter);
    return right;
}

void TfrmMain::SetWindowSizes()
{
    // The header's type field holds the longest type name.
    int typeWidth = 0;
    for (int type = 1; IsSequenceType(type); ++type)
        typeWidth = std::max(typeWidth, FieldWidthFor(*edtType, Text(Topology(type).TypeName)));
    edtType->setMinimumWidth(typeWidth);
    edtType->setMaximumWidth(typeWidth);
    // Measured with the detail pages standing, as they do whenever a
    // sequence is shown; they must not be squeezed away either.
    pgDetail->setMinimumSize(pgDetail->WholeSize());
    RightSplitter->setCollapsible(RightSplitter->indexOf(pgDetail), false);
    const bool hidden = pgDetail->isHidden();
    pgDetail->setVisible(true);
    ForgetLayoutSizes(*this);
    WholeMinimum = minimumSizeHint();
    pgDetail->setHidden(hidden);
    setMinimumSize(WholeMinimum);

    const QRect available = screen()->availableGeometry();
    resize(FirstWindowSize(available.size(), WholeMinimum));
    if (!Memory.Restore(*this, {MainSplitter, RightSplitter}))
        move(available.center() - rect().center());
}

void TfrmMain::BuildStatusBar()
{
    statusBar()->setObjectName(QStringLiteral("sbStatus"));
    const int widths[] = {100, 120, 75, 120, 75, 50};
    for (int i = 0; i < 6; ++i) {
        Panels[i] = new QLabel;
        Panels[i]->setObjectName(QStringLiteral("sbPanel%1").arg(i));
        Panels[i]->setMinimumWidth(widths[i]);
        statusBar()->addWidget(Panels[i], i == 5 ? 1 : 0);
    }
}

void TfrmMain::Run(void (TfrmMain::*handler)())
{
    // Tool buttons and menus take no focus: the field being typed in is
    // committed first, and a refused commit stops the command.
    if (!CommitFocused())
        return;
    (this->*handler)();
    UpdateActions();
}

bool TfrmMain::CommitFocused()
{
    auto *edit = qobject_cast<TKorvelEdit *>(QApplication::focusWidget());
    if (!edit || !isAncestorOf(edit))
        return true;
    if (edit == edtID) {
        CommitIdentification();
        return true;
    }
    return pgDetail->Commit(edit);
}

int TfrmMain::CurrentSequence() const
{
    return pgDetail->Sequence();
}

void TfrmMain::CommitIdentification()
{
    const int number = CurrentSequence();
    if (!number || !edtID->isModified())
        return;
    edtID->setModified(false);
    const std::string text = edtID->text().toStdString();
    FDocument->Edit(QStringLiteral("Change Identification"), TStepScope::OfSequence(number),
                    [number, text](TWireConfigurationList &project) {
                        project.FindByNumber(number)->SetIdentification(text);
                    });
}

void TfrmMain::ShowSequence(int number)
{
    SelectTreeNode(number);
    pgDetail->ShowSequence(number);
    pgDetail->setVisible(CurrentSequence() != 0);
    RefreshHeader();
    RefreshDrawing();
    RefreshStatus();
    UpdateActions();
}

// The node of a sequence: the tree lists the sequences in project order.
QTreeWidgetItem *TfrmMain::TreeNode(int number) const
{
    const TWireConfigurationList &project = FDocument->Project();
    const QTreeWidgetItem *root = tvSpanWireList->topLevelItem(0);
    const TWireConfiguration *sequence = project.FindByNumber(number);
    QTreeWidgetItem *node = root && sequence ? root->child(project.IndexOf(sequence)) : nullptr;
    return node && node->data(0, Qt::UserRole).toInt() == number ? node : nullptr;
}

// The tree follows whatever shows a sequence, without showing it twice.
void TfrmMain::SelectTreeNode(int number)
{
    QTreeWidgetItem *node = TreeNode(number);
    if (!node || node == tvSpanWireList->currentItem())
        return;
    const bool refreshing = std::exchange(Refreshing, true);
    tvSpanWireList->setCurrentItem(node);
    Refreshing = refreshing;
}

void TfrmMain::TreeSelectionChanged()
{
    if (Refreshing)
        return;
    QTreeWidgetItem *item = tvSpanWireList->currentItem();
    if (item && item->parent()) // the root node "Sequences" shows nothing new
        ShowSequence(item->data(0, Qt::UserRole).toInt());
    RefreshStatus();
}

// Each view is rebuilt only when what it shows changed.
void TfrmMain::DocumentChanged(unsigned parts, int sequence)
{
    const TWireConfigurationList &project = FDocument->Project();
    int show = sequence > 0 ? sequence : CurrentSequence();
    if (sequence < 0 || !project.FindByNumber(show))
        show = project.Empty() ? 0 : project.First()->Number;
    if (parts & (ppProject | ppSequenceList))
        RefreshSequenceTree(show);
    else if (parts & ppSequence)
        RefreshTreeNode(sequence); // its identification may have changed
    if (parts & (ppProject | ppCombinations))
        RefreshCombinationGrid();
    if (parts & (ppProject | ppSequenceList | ppSequence))
        ShowSequence(show);
    else if (parts & ppDetails)
        RefreshStatus();
}

void TfrmMain::RefreshSequenceTree(int show)
{
    Refreshing = true;
    tvSpanWireList->clear();
    auto *root = new QTreeWidgetItem(tvSpanWireList, {QStringLiteral("Sequences")});
    QList<QTreeWidgetItem *> nodes;
    for (const TWireConfiguration *sequence : FDocument->Project()) {
        auto *node = new QTreeWidgetItem({Text(sequence->DisplayName())});
        node->setData(0, Qt::UserRole, sequence->Number);
        node->setIcon(0, TypeIcon(sequence->SequenceType));
        nodes << node;
    }
    root->addChildren(nodes);
    root->setExpanded(true);
    if (QTreeWidgetItem *node = TreeNode(show))
        tvSpanWireList->setCurrentItem(node);
    Refreshing = false;
}

void TfrmMain::RefreshTreeNode(int number)
{
    const TWireConfiguration *sequence = FDocument->Project().FindByNumber(number);
    if (QTreeWidgetItem *node = TreeNode(number))
        node->setText(0, Text(sequence->DisplayName()));
}

void TfrmMain::RefreshCombinationGrid()
{
    FillCombinationGrid(sgCombinations, FDocument->Project().Combinations);
}

void TfrmMain::RefreshHeader()
{
    const TWireConfiguration *sequence = FDocument->Project().FindByNumber(CurrentSequence());
    edtSequenceNumber->setText(sequence ? QString::number(sequence->Number) : QString());
    edtID->setText(sequence ? Text(sequence->Identification) : QString());
    edtType->setText(sequence ? Text(sequence->Topology().TypeName) : QString());
}

void TfrmMain::RefreshStatus()
{
    const TWireConfigurationList &project = FDocument->Project();
    const QString file = project.FileName.empty() ? QStringLiteral("<new>")
                                                  : QFileInfo(Text(project.FileName)).fileName();
    Panels[0]->setText(Text(project.Author));
    Panels[1]->setText(Text(project.ProjectName));
    Panels[2]->setText(Text(DateToStr(project.ProjectDate)));
    Panels[3]->setText(file);
    Panels[4]->setText(FDocument->IsModified() ? QStringLiteral("Modified") : QString());
    const TWireConfiguration *sequence = project.FindByNumber(CurrentSequence());
    Panels[5]->setText(!sequence                          ? QString()
                       : !TGeometry::IsComplete(*sequence) ? QStringLiteral("Data are not completed")
                       : !TGeometry::IsValid(*sequence)    ? QStringLiteral("Data are not valid")
                                                           : QString());
    setWindowTitle(QStringLiteral("%1 - %2  [%3]")
                       .arg(QLatin1String(TGlobalSetting::ProductAcronym), QLatin1String(TGlobalSetting::ProductTitle),
                            file));
}

void TfrmMain::RefreshDrawing()
{
    imgSpanWire->SetProject(&FDocument->Project());
    const int page = pgDetail->currentIndex();
    imgSpanWire->Show(CurrentSequence(), page <= 2 ? page : -1, pgDetail->Span());
}

void TfrmMain::UpdateActions()
{
    for (const auto &[action, enabled] : Enabling)
        action->setEnabled(enabled());
}

bool TfrmMain::CloseProject()
{
    if (!MayCloseProject())
        return false;
    FDocument->New();
    return true;
}

void TfrmMain::NewProject()
{
    if (!CloseProject())
        return;
    if (Settings.AutomaticProjectDetail)
        ShowProjectDetail();
    ShowStartPicture();
}

void TfrmMain::ShowStartPicture()
{
    // A picture named after the program, beside it, greets a new project.
    if (Settings.ProgramPath.empty())
        return;
    imgSpanWire->SetStartPicture(QImage(QString::fromStdString(ChangeFileExt(Settings.ProgramPath, ".bmp"))));
}

bool TfrmMain::OpenFile(const QString &path)
{
    return ReadProject(path, &TProjectDocument::Open);
}

bool TfrmMain::ReadProject(const QString &path, void (TProjectDocument::*reader)(const std::string &))
{
    try {
        (FDocument->*reader)(path.toStdString());
    } catch (const std::exception &error) {
        Ask.Tell(this, TMessageKind::Error,
                 QStringLiteral("Cannot open <%1>. The file is not a TARVO file or it is corrupted.\n%2")
                     .arg(path, Text(error.what())));
        RefreshStatus();
        return false;
    }
    RememberRecent(path);
    TellReadNotes();
    return true;
}

void TfrmMain::TellReadNotes()
{
    const std::vector<TReadNote> &notes = FDocument->Project().ReadNotes;
    if (!notes.empty())
        Ask.Tell(this, TMessageKind::Warning, Text(ReadNotesMessage(notes)));
}

void TfrmMain::Open()
{
    // The dialog first: Cancel must leave the open project as it is.
    const QString path = Ask.OpenFileName(this, QStringLiteral("Open"), OpenFilter);
    if (path.isEmpty() || !MayCloseProject())
        return;
    OpenFile(path);
}

bool TfrmMain::MayCloseProject()
{
    // A second request while the question stands changes nothing.
    if (Asking || !CommitFocused())
        return false;
    if (!FDocument->IsModified())
        return true;
    const QScopedValueRollback asking(Asking, true);
    // Without a sequence there is nothing Save could write.
    if (FDocument->Project().Empty())
        return Ask.Message(this, TMessageKind::Information,
                           QStringLiteral("Project has not been saved, do you want to close it anyway?"),
                           QMessageBox::Yes | QMessageBox::Cancel)
            == QMessageBox::Yes;
    switch (Ask.Message(this, TMessageKind::Warning,
                        QStringLiteral("The project has been modified. Do you want to save your changes?"),
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save)) {
    case QMessageBox::Save:
        return SaveProject();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void TfrmMain::Save()
{
    SaveProject();
}

void TfrmMain::SaveAs()
{
    SaveProjectAs();
}

bool TfrmMain::SaveProject()
{
    const TWireConfigurationList &project = FDocument->Project();
    if (project.Empty())
        return false;
    // An imported project's name was made up, and may name a file already there.
    if (project.FileName.empty() || FDocument->NameFromImport())
        return SaveProjectAs();
    return SaveTo(Text(project.FileName));
}

bool TfrmMain::SaveProjectAs()
{
    if (FDocument->Project().Empty())
        return false;
    const QString path = Ask.SaveFileName(this, QStringLiteral("Save As"), SaveFilter, QStringLiteral("xml"));
    if (path.isEmpty()) {
        RefreshStatus();
        return false;
    }
    return MayWrite(path) && SaveTo(path);
}

bool TfrmMain::MayWrite(const QString &path)
{
    return !QFileInfo::exists(path)
        || Ask.Message(this, TMessageKind::Warning,
                       QStringLiteral("A file <%1> already exists. Do you want overwrite it?").arg(path),
                       QMessageBox::Yes | QMessageBox::No)
            == QMessageBox::Yes;
}

bool TfrmMain::SaveTo(const QString &path)
{
    try {
        FDocument->Save(path.toStdString());
    } catch (const std::exception &error) {
        Ask.Tell(this, TMessageKind::Error, Text(error.what()));
        RefreshStatus();
        return false;
    }
    RememberRecent(path);
    RefreshStatus();
    return true;
}

void TfrmMain::AddSequence(int type)
{
    const int number = FDocument->Project().NextNumber();
    FDocument->Edit(QStringLiteral("Add %1").arg(Text(Topology(type).TypeName)), TStepScope::OfSequenceList(),
                    [type](TWireConfigurationList &project) { project.AddSequence(type); }, number);
}

void TfrmMain::Duplicate()
{
    const TWireConfiguration *source = FDocument->Project().FindByNumber(CurrentSequence());
    if (!source)
        return;
    const int number = FDocument->Project().NextNumber();
    FDocument->Edit(QStringLiteral("Duplicate Sequence"), TStepScope::OfSequenceList(),
                    [source](TWireConfigurationList &project) {
                        // The model cannot reach the engine: the copy's plan is laid out here.
                        TGeometry::ComputePlanLayout(*project.DuplicateSequence(*source));
                    },
                    number);
}

void TfrmMain::Remove()
{
    QTreeWidgetItem *item = tvSpanWireList->currentItem();
    if (!item || !item->parent())
        return;
    const int number = item->data(0, Qt::UserRole).toInt();
    if (Ask.Message(this, TMessageKind::Information,
                    QStringLiteral("Do you really want to delete the sequence identified by %1?").arg(item->text(0)),
                    QMessageBox::Yes | QMessageBox::Cancel)
        != QMessageBox::Yes)
        return;
    FDocument->Edit(QStringLiteral("Remove Sequence"), TStepScope::OfSequenceList(number),
                    [number](TWireConfigurationList &project) { project.RemoveSequence(number); }, -1);
}

bool TfrmMain::RunCalculation()
{
    if (FDocument->Calculate())
        return true;
    QStringList lines;
    for (const std::string &line : TCalculationRun::ErrorListing(FDocument->Project()))
        lines << Text(line);
    // A SAG out of the poles' reach is explained, not only reported as excessive tension.
    for (const std::string &line : TPlausibilityCheck::Listing(FDocument->Project()))
        lines << Text(line);
    if (Results.ShowErrors)
        Results.ShowErrors(this, lines.join('\n'));
    return false;
}

void TfrmMain::Calculate()
{
    if (!CurrentSequence() || !RunCalculation())
        return;
    if (Results.ShowResult)
        Results.ShowResult(this, FDocument->Project(), Settings, CurrentSequence());
}

void TfrmMain::ToggleDynamic()
{
    Settings.EnableDynamicDisplay = findChild<QAction *>("dynamic_graphic")->isChecked();
    RefreshDrawing();
}

void TfrmMain::ToggleLabels()
{
    Settings.EnableDisplayLabel = findChild<QAction *>("labels")->isChecked();
    RefreshDrawing();
}

void TfrmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (QWindow *window = windowHandle(); window && window != WatchedWindow) {
        window->installEventFilter(this);
        WatchedWindow = window;
    }
}

bool TfrmMain::eventFilter(QObject *watched, QEvent *event)
{
    // A close request from the window system while the close question
    // stands (the title bar's button behind the modal question) would be
    // taken as agreed, the project lost: it is refused here, before the
    // window would take it.
    if (watched == WatchedWindow && event->type() == QEvent::Close && Asking) {
        event->ignore();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    if (!MayCloseProject()) {
        event->ignore();
        return;
    }
    Memory.Save(*this, {MainSplitter, RightSplitter});
    event->accept();
}

void TfrmMain::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls() && event->mimeData()->urls().size() == 1
        && event->mimeData()->urls().front().isLocalFile())
        event->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent *event)
{
    const QString path = event->mimeData()->urls().front().toLocalFile();
    event->acceptProposedAction();
    if (MayCloseProject())
        OpenFile(path);
}

void TfrmMain::RememberRecent(const QString &path)
{
    Memory.Remember(path);
    RefreshRecentMenu();
}

void TfrmMain::RefreshRecentMenu()
{
    RecentMenu->clear();
    for (const QString &path : Memory.RecentFiles()) {
        QAction *action = RecentMenu->addAction(QFileInfo(path).fileName());
        action->setToolTip(path);
        connect(action, &QAction::triggered, this, [this, path] {
            if (MayCloseProject())
                OpenFile(path);
        });
    }
    RecentMenu->setEnabled(!Memory.RecentFiles().isEmpty());
}

} // namespace corvadel
