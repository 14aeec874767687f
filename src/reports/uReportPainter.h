// Paints the pages of a job, each inside the page frame (logo, acronym,
// version, title bar, footer with the page number), on any paged device:
// a printer, the print preview or a PDF file.
#pragma once

#include "uReportPage.h"

#include <QByteArray>

class QPagedPaintDevice;
class QPainter;

namespace corvadel {

class TReportPainter
{
public:
    // Sets the device to Letter landscape without margins of its own and
    // paints every page. Throws std::runtime_error when the device cannot
    // be painted on.
    static void Paint(const TReportJob &job, QPagedPaintDevice &device);
    // The job as the bytes of one PDF document.
    static QByteArray Pdf(const TReportJob &job, const std::string &documentTitle);
    // The page layout every report is printed with.
    static void SetLetterLandscape(QPagedPaintDevice &device);

private:
    static void PaintPage(QPainter &painter, const TReportPage &page, int number, const TPageFooter &footer);
    static void PaintHeader(QPainter &painter, const std::string &title);
    static void PaintFooter(QPainter &painter, int number, const TPageFooter &footer);
    static void PaintLogo(QPainter &painter, const QRectF &box);
};

} // namespace corvadel
