// The main window: the sequence tree, the combinations, the header strip, the
// drawing and the detail pages, with the commands of the menus and tool bar.
#pragma once

#include "uWindowMemory.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPrinter;
class QSplitter;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace corvadel {

class TAsk;
struct TReportJob;
class TDetailPages;
class TDrawingArea;
class TGlobalSetting;
class TKorvelEdit;
class TProjectDocument;
class TWireConfigurationList;

// How Calculate opens its windows; the result windows set it. The results
// open on sequence `sequence`.
struct TResultWindows {
    std::function<void(QWidget *parent, const TWireConfigurationList &project, const TGlobalSetting &settings,
                       int sequence)>
        ShowResult;
    std::function<void(QWidget *parent, const QString &listing)> ShowErrors;
};

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    TfrmMain(TGlobalSetting &settings, TAsk &ask, TResultWindows results, QWidget *parent = nullptr);
    ~TfrmMain() override;

    TProjectDocument &Document() { return *FDocument; }
    // Opens a project without the file dialog; false (after the message)
    // when it cannot be read.
    bool OpenFile(const QString &path);
    // Commits the field that has the focus; false when it was refused.
    bool CommitFocused();
    // The close question when anything changed; true when the project went.
    bool CloseProject();
    // The smallest size at which every detail page of every type shows whole.
    QSize WholeMinimumSize() const { return WholeMinimum; }
    void ShowSequence(int number);
    int CurrentSequence() const;
    // The span the detail pages show (0 = none) and how many sequences there are.
    int CurrentSpan() const;
    int SequenceCount() const;
    bool ShowsRingSequence() const; // a Delta or a Box

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    struct TCommand;
    void BuildActions();
    QWidget *BuildLeftPane();
    QWidget *BuildRightPane();
    void BuildStatusBar();
    void SetWindowSizes();
    void Run(void (TfrmMain::*handler)());

    void Exit();
    void AddSimple();
    void AddWye();
    void AddH();
    void AddDelta();
    void AddHybrid();
    void AddBox();
    // Whether the open project may be replaced or closed: commits the field
    // being typed in and offers to save a modified project. Every command
    // that closes, replaces or quits passes here.
    bool MayCloseProject();
    void NewProject();
    void SelectTreeNode(int number);
    void ShowStartPicture();
    void Open();
    void Save();
    void SaveAs();
    // Each true when the project was written.
    bool SaveProject();
    bool SaveProjectAs();
    bool SaveTo(const QString &path);
    // False when the file exists and the user will not have it overwritten.
    bool MayWrite(const QString &path);
    void AddSequence(int type);
    void Duplicate();
    void Remove();
    // Calculates the project; false after showing the errors when a
    // sequence could not be calculated.
    bool RunCalculation();
    void Calculate();
    void ToggleDynamic();
    void ToggleLabels();
    // Dialogs that edit one span's signals and signs, and the combinations.
    void EditSignals();
    void EditCombinations();

    // Parameters, project detail, about and help (MainDialogsOptions.cpp).
    void ShowParameters();
    void ShowProjectDetail();
    void ShowAbout();
    void ShowHelpContents();

    // Wire weights, automatic calculation and import (MainDialogsWires.cpp).
    void EditVariableWires();
    void AutomaticCalculation();
    void Import();
    bool ReadProject(const QString &path, void (TProjectDocument::*reader)(const std::string &));
    // Names what reading the file just read left out or renumbered.
    void TellReadNotes();

    void DocumentChanged(unsigned parts, int sequence);
    QTreeWidgetItem *TreeNode(int number) const;
    void RefreshSequenceTree(int show);
    void RefreshTreeNode(int number);
    void RefreshCombinationGrid();
    void RefreshHeader();
    void RefreshStatus();
    void RefreshDrawing();
    void UpdateActions();
    void CommitIdentification();
    void TreeSelectionChanged();

    void RememberRecent(const QString &path);
    void RefreshRecentMenu();

    // Printing (MainDialogsPrint.cpp): the print job of the project after a
    // calculation, and the blank input sheets.
    void PrintPreview();
    void Print();
    void PrintSetup();
    void ExportPdf();
    template<int Type>
    void PrintSheet()
    {
        ShowInputSheet(Type);
    }
    void ShowInputSheet(int type);
    bool BuildPrintJob(TReportJob &job);
    void ShowPreview(const TReportJob &job);
    QPrinter &PagePrinter();
    std::shared_ptr<QPrinter> FPrinter; // the printer chosen in Print Setup, kept for the run

    TGlobalSetting &Settings;
    TAsk &Ask;
    TResultWindows Results;
    TProjectDocument *FDocument;
    QTreeWidget *tvSpanWireList = nullptr;
    QTableWidget *sgCombinations = nullptr;
    QLineEdit *edtSequenceNumber = nullptr;
    TKorvelEdit *edtID = nullptr;
    QLineEdit *edtType = nullptr;
    TDrawingArea *imgSpanWire = nullptr;
    TDetailPages *pgDetail = nullptr;
    QSplitter *MainSplitter = nullptr;
    QSplitter *RightSplitter = nullptr;
    QLabel *Panels[6] = {};
    QMenu *RecentMenu = nullptr;
    TWindowMemory Memory;
    std::vector<std::pair<QAction *, std::function<bool()>>> Enabling;
    bool Refreshing = false;
    bool Asking = false; // the close question stands
    QObject *WatchedWindow = nullptr;
    QSize WholeMinimum;
};

} // namespace corvadel
