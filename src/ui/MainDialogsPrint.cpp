// The print commands of the main window: the whole project as one job after
// a fresh calculation, to the printer, the preview or a PDF file, and the
// blank input sheets.
#include "MainFRM.h"

#include "InputSheetQR.h"
#include "uAsk.h"
#include "uFileReplacement.h"
#include "uPrintJob.h"
#include "uProjectDocument.h"
#include "uReportPainter.h"
#include "uWaitCursor.h"

#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace corvadel {

QPrinter &TfrmMain::PagePrinter()
{
    if (!FPrinter) {
        FPrinter = std::make_shared<QPrinter>(QPrinter::HighResolution);
        // The reports draw their own margins from the sheet's edge.
        FPrinter->setFullPage(true);
        TReportPainter::SetLetterLandscape(*FPrinter);
    }
    return *FPrinter;
}

bool TfrmMain::BuildPrintJob(TReportJob &job)
{
    // A job always prints fresh results.
    if (!RunCalculation())
        return false;
    const TWaitCursor wait;
    job = TPrintJob::Pages(FDocument->Project(), Settings);
    return true;
}

void TfrmMain::ShowPreview(const TReportJob &job)
{
    // The preview shows one copy of the job; the printer keeps the user's count.
    const int copies = PagePrinter().copyCount();
    QPrintPreviewDialog preview(&PagePrinter(), this);
    preview.setObjectName(QStringLiteral("dlgPrintPreview"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this, &job](QPrinter *printer) {
        try {
            printer->setCopyCount(1);
            TReportPainter::Paint(job, *printer);
        } catch (const std::exception &error) {
            Ask.Tell(this, TMessageKind::Error, QString::fromStdString(error.what()));
        }
    });
    preview.exec();
    PagePrinter().setCopyCount(copies);
}

void TfrmMain::PrintPreview()
{
    if (!CurrentSequence())
        return;
    TReportJob job;
    if (BuildPrintJob(job))
        ShowPreview(job);
}

void TfrmMain::Print()
{
    if (!CurrentSequence())
        return;
    QPrinter &printer = PagePrinter();
    if (!Ask.Printer(this, printer))
        return;
    TReportJob job;
    if (!BuildPrintJob(job))
        return;
    const int copies = printer.copyCount();
    const TCopyPlan plan = TPrintJob::CopyPlan(copies, printer.collateCopies());
    try {
        printer.setCopyCount(plan.CopiesPerPass);
        for (int pass = 0; pass < plan.Passes; ++pass)
            TReportPainter::Paint(job, printer);
    } catch (const std::exception &error) {
        Ask.Tell(this, TMessageKind::Error, QString::fromStdString(error.what()));
    }
    printer.setCopyCount(copies);
}

void TfrmMain::PrintSetup()
{
    Ask.Printer(this, PagePrinter());
}

void TfrmMain::ExportPdf()
{
    if (!CurrentSequence())
        return;
    const QString path = Ask.SaveFileName(this, QStringLiteral("Export PDF"), QStringLiteral("PDF Files (*.pdf)"),
                                          QStringLiteral("pdf"));
    if (path.isEmpty())
        return;
    if (!MayWrite(path))
        return;
    TReportJob job;
    if (!BuildPrintJob(job))
        return;
    try {
        const QByteArray pdf = TReportPainter::Pdf(job, TPrintJob::DocumentTitle(FDocument->Project()));
        // Written whole or not at all, as a project is saved.
        TFileReplacement file(path.toStdString());
        file.Write(std::string_view(pdf.constData(), static_cast<size_t>(pdf.size())));
        file.Commit();
    } catch (const std::exception &error) {
        Ask.Tell(this, TMessageKind::Error, QString::fromStdString(error.what()));
    }
}

void TfrmMain::ShowInputSheet(int type)
{
    ShowPreview(TqrInputSheetForm::Job(type, Settings));
}

} // namespace corvadel
