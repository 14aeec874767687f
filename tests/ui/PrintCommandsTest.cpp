// The print commands of the main window: preview, printing, Print Setup,
// Export PDF and the input sheets, with a scripted user.
#include "MainFRM.h"
#include "../support/ScratchFolder.h"
#include "../support/ScriptedAsk.h"
#include "uGlobalSettings.h"
#include "uPrintJob.h"
#include "uProjectDocument.h"
#include "uWires.h"

#include <QAction>
#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTimer>

#include <gtest/gtest.h>

using namespace corvadel;

namespace {

// Answers the printer dialog by printing into a PDF file.
class TPdfPrinterAsk : public test::TScriptedAsk
{
public:
    QString PdfPath;
    int Copies = 1;
    bool Collate = false;
    int CopiesOffered = 0; // what the printer held when the dialog opened

    bool Printer(QWidget *parent, QPrinter &printer) override
    {
        CopiesOffered = printer.copyCount();
        if (!test::TScriptedAsk::Printer(parent, printer))
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(PdfPath);
        printer.setCopyCount(Copies);
        printer.setCollateCopies(Collate);
        return true;
    }
};

class PrintCommands : public ::testing::Test
{
protected:
    PrintCommands()
        : Window(Settings, Ask, {[](QWidget *, const TWireConfigurationList &, const TGlobalSetting &, int) {},
                                 [this](QWidget *, const QString &listing) { ErrorListings << listing; }})
    {
        Ask.PdfPath = QString::fromStdString(Folder.Path("printed.pdf"));
        Window.show();
    }

    TWireConfigurationList &Project() { return Window.Document().Project(); }
    QAction *Action(const char *name) { return Window.findChild<QAction *>(QLatin1String(name)); }
    void Open(const char *example)
    {
        ASSERT_TRUE(Window.OpenFile(QStringLiteral(CORVADEL_SOURCE_DIR "/examples/%1").arg(QLatin1String(example))));
    }

    // Triggers the command and returns the page count of the preview it
    // opens (closing it), or -1 when none opened.
    int PreviewPages(const char *action)
    {
        int pages = -1;
        QTimer::singleShot(0, [&pages] {
            auto *dialog = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            pages = dialog->findChild<QPrintPreviewWidget *>()->pageCount();
            dialog->reject();
        });
        Action(action)->trigger();
        QApplication::processEvents();
        return pages;
    }

    test::ScratchFolder Folder;
    TGlobalSetting Settings;
    TPdfPrinterAsk Ask;
    QStringList ErrorListings;
    TfrmMain Window;
};

TEST_F(PrintCommands, NeedASequence)
{
    for (const char *name : {"print", "print_preview", "export_pdf"})
        EXPECT_FALSE(Action(name)->isEnabled()) << name;
    for (const char *name : {"print_setup", "input_simple", "input_box"})
        EXPECT_TRUE(Action(name)->isEnabled()) << name;
    Open("wye.xml");
    for (const char *name : {"print", "print_preview", "export_pdf"})
        EXPECT_TRUE(Action(name)->isEnabled()) << name;
    EXPECT_EQ(Action("export_pdf")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
    EXPECT_EQ(Action("export_pdf")->text(), QString::fromUtf8("Export PDF\u2026"));
}

TEST_F(PrintCommands, PreviewShowsTheWholeJobAfterACalculation)
{
    Open("intersection.xml");
    const int pages = PreviewPages("print_preview");
    EXPECT_EQ(pages, static_cast<int>(TPrintJob::Pages(Project(), Settings).Pages.size()));
    EXPECT_GT(pages, 3);
    EXPECT_FALSE(Project().FindByNumber(1)->Results.Empty());
}

TEST_F(PrintCommands, PreviewLeavesTheChosenCopiesAsTheyWere)
{
    Open("simple.xml");
    Ask.PrinterAnswers = {true, true};
    Ask.Copies = 3;
    Action("print_setup")->trigger();
    EXPECT_GT(PreviewPages("print_preview"), 0);
    Action("print")->trigger();
    EXPECT_EQ(Ask.CopiesOffered, 3);
}

TEST_F(PrintCommands, InputSheetsPreviewOnePage)
{
    for (const char *name : {"input_simple", "input_wye", "input_h", "input_delta", "input_hybrid", "input_box"})
        EXPECT_EQ(PreviewPages(name), 1) << name;
}

TEST_F(PrintCommands, AFailedCalculationShowsTheErrorsAndPrintsNothing)
{
    Open("simple.xml");
    Window.Document().Edit(QStringLiteral("break"), TStepScope::OfSequence(1),
                           [](TWireConfigurationList &project) { project.FindByNumber(1)->Spans.SetLengthOf(1, 0); });
    EXPECT_EQ(PreviewPages("print_preview"), -1);
    Ask.PrinterAnswers = {true};
    Action("print")->trigger();
    const std::string pdf = Folder.Path("exported.pdf");
    Ask.FileNames = {QString::fromStdString(pdf)};
    Action("export_pdf")->trigger();
    EXPECT_EQ(ErrorListings.size(), 3);
    EXPECT_EQ(Folder.FileCount(), 0);
}

TEST_F(PrintCommands, PrintGoesToTheChosenPrinterOnlyWhenTheDialogIsAccepted)
{
    Open("wye.xml");
    Ask.PrinterAnswers = {false};
    Action("print")->trigger();
    EXPECT_EQ(Folder.FileCount(), 0);
    EXPECT_TRUE(Project().FindByNumber(1)->Results.Empty()) << "a cancelled print calculates nothing";
    Ask.PrinterAnswers = {true};
    Ask.Copies = 2;
    Ask.Collate = true;
    Action("print")->trigger();
    EXPECT_TRUE(test::ScratchFolder::ReadBytes(Folder.Path("printed.pdf")).starts_with("%PDF"));
}

TEST_F(PrintCommands, ExportPdfWritesTheJobAndAsksBeforeOverwriting)
{
    Open("wye.xml");
    const std::string pdf = Folder.Path("exported.pdf");
    Ask.FileNames = {QString::fromStdString(pdf)};
    Action("export_pdf")->trigger();
    EXPECT_TRUE(test::ScratchFolder::ReadBytes(pdf).starts_with("%PDF"));
    Folder.Write("exported.pdf", "kept");
    Ask.FileNames = {QString::fromStdString(pdf)};
    Ask.Answers = {QMessageBox::No};
    Action("export_pdf")->trigger();
    EXPECT_EQ(Folder.Read("exported.pdf"), "kept");
    Ask.FileNames = {QString()};
    Action("export_pdf")->trigger();
    EXPECT_EQ(Folder.Read("exported.pdf"), "kept");
}

TEST_F(PrintCommands, ExportIntoAFolderThatCannotBeWrittenSaysSo)
{
    Open("wye.xml");
    const std::string pdf = Folder.Path("no/such/folder/out.pdf");
    Ask.FileNames = {QString::fromStdString(pdf)};
    Action("export_pdf")->trigger();
    EXPECT_TRUE(Ask.LastText().contains(QString::fromStdString(pdf))) << Ask.LastText().toStdString();
}

TEST(PrintCopies, CollatedCopiesAreWholeJobsOneAfterTheOther)
{
    EXPECT_EQ(TPrintJob::CopyPlan(3, true), (TCopyPlan {3, 1}));
    EXPECT_EQ(TPrintJob::CopyPlan(3, false), (TCopyPlan {1, 3}));
    EXPECT_EQ(TPrintJob::CopyPlan(0, true), (TCopyPlan {1, 1}));
}

} // namespace
