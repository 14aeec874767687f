// Paints the pages of a job, each inside the page frame (logo, acronym,
// version, title bar, footer with the page number), on any paged device:
// a printer, the print preview or a PDF file. Pages are painted as they
// come and not kept, so a job of any length takes the memory of one page.
#pragma once

#include "uReportPage.h"

#include <QByteArray>
#include <QColor>
#include <QFont>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QIODevice;
class QPagedPaintDevice;
class QPainter;

namespace corvadel {

class TReportPainter : public TPageSink
{
public:
    // Sets the device to Letter landscape without margins of its own and
    // begins painting on it. Throws std::runtime_error when the device
    // cannot be painted on.
    TReportPainter(QPagedPaintDevice &device, const TPageFooter &footer);
    ~TReportPainter() override;

    // Paints the page with the next number. Throws std::runtime_error when
    // the device cannot start a new page.
    void Add(TReportPage &&page) override { PaintNext(page); }
    void PaintNext(const TReportPage &page);
    // Ends painting; the device then holds every page.
    void Finish();
    int PageCount() const { return Painted; }

    // Every page of a kept job.
    static void Paint(const TReportJob &job, QPagedPaintDevice &device);
    // The job as the bytes of one PDF document.
    static QByteArray Pdf(const TReportJob &job, const std::string &documentTitle);
    // A PDF document written to `out` page by page as `compose` sends its
    // pages; returns how many. Throws std::runtime_error when the pages
    // cannot be painted.
    static int WritePdf(QIODevice &out, const std::string &documentTitle, const TPageFooter &footer,
                         const std::function<void(TPageSink &)> &compose);
    // The page layout every report is printed with.
    static void SetLetterLandscape(QPagedPaintDevice &device);

private:
    QPagedPaintDevice &Device;
    std::unique_ptr<QPainter> Painter;
    // What every page's frame shows, measured once for the job.
    std::vector<TPageText> Header; // acronym, product, version
    std::vector<TPageText> Footer; // author, project name, date
    std::map<std::string, TPageText> TitleBars;
    std::map<std::pair<double, bool>, QFont> Fonts;
    std::pair<double, bool> FontInUse {-1, false};
    int Painted = 0;

    void PaintHeader(const std::string &title);
    void PaintFooter();
    void PaintText(const TPageText &text, const QColor &color = Qt::black);
    void UseFont(const TReportFont &font);
    const TPageText &TitleBar(const std::string &title);
};

} // namespace corvadel
