#include "uReportPainter.h"

#include "uGlobalSettings.h"
#include "uPageComposer.h"
#include "uPainterCanvas.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>

#include <stdexcept>

namespace corvadel {

namespace {

using namespace PageGeometry;

constexpr double LogoSide = 56;
constexpr double TitleBarHeight = 22;

// Fonts sized in layout pixels: the painter's scale takes them to the device.
QFont PageFont(const TReportFont &font, const QPaintDevice &device)
{
    QFont result(QStringLiteral("Arial"));
    result.setPointSizeF(font.Points * Dpi / device.logicalDpiY());
    result.setBold(font.Bold);
    result.setHintingPreference(QFont::PreferNoHinting);
    return result;
}

void DrawText(QPainter &painter, const QRectF &box, const std::string &text, const TReportFont &font, int alignment,
              const QColor &color = Qt::black)
{
    painter.setFont(PageFont(font, *painter.device()));
    painter.setPen(color);
    // Text too long for its box even at the smallest size breaks into lines
    // rather than running past the box.
    if (TTextMeasure::Width(text, font) > box.width())
        alignment |= Qt::TextWrapAnywhere;
    painter.drawText(box, alignment | Qt::TextDontClip, QString::fromStdString(text));
}

} // namespace

void TReportPainter::SetLetterLandscape(QPagedPaintDevice &device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
}

void TReportPainter::Paint(const TReportJob &job, QPagedPaintDevice &device)
{
    SetLetterLandscape(device);
    QPainter painter;
    if (!painter.begin(&device))
        throw std::runtime_error("the pages cannot be painted on this device");
    painter.setRenderHint(QPainter::Antialiasing);
    for (size_t i = 0; i < job.Pages.size(); ++i) {
        if (i > 0 && !device.newPage())
            throw std::runtime_error("a new page cannot be started");
        PaintPage(painter, job.Pages[i], static_cast<int>(i) + 1, job.Footer);
    }
    painter.end();
}

QByteArray TReportPainter::Pdf(const TReportJob &job, const std::string &documentTitle)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(QString::fromStdString(documentTitle));
        writer.setCreator(QStringLiteral("%1 %2").arg(TGlobalSetting::ProductTitle, TGlobalSetting::Version));
        Paint(job, writer);
    }
    return bytes;
}

void TReportPainter::PaintPage(QPainter &painter, const TReportPage &page, int number, const TPageFooter &footer)
{
    painter.save();
    const QPaintDevice &device = *painter.device();
    painter.scale(device.logicalDpiX() / Dpi, device.logicalDpiY() / Dpi);
    PaintHeader(painter, page.Title);
    if (page.HasFooter)
        PaintFooter(painter, number, footer);
    for (const TPagePicture &picture : page.Pictures) {
        painter.save();
        if (!picture.Clip.isEmpty())
            painter.setClipRect(picture.Clip);
        painter.translate(picture.Box.topLeft());
        painter.scale(picture.Box.width() / picture.Size.Width, picture.Box.height() / picture.Size.Height);
        TPainterCanvas canvas(painter, picture.Size.Width, picture.Size.Height);
        picture.Paint(canvas);
        painter.restore();
    }
    for (const TPageFigure &figure : page.Figures) {
        painter.save();
        painter.setFont(PageFont(ValueFont, device));
        figure.Paint(painter, figure.Box);
        painter.restore();
    }
    painter.setBrush(Qt::NoBrush);
    for (const QRectF &frame : page.Frames) {
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(frame);
    }
    for (const TPageRule &rule : page.Rules) {
        painter.setPen(QPen(Qt::black, rule.Width));
        painter.drawLine(rule.Line);
    }
    for (const TPageText &text : page.Texts)
        DrawText(painter, text.Box, text.Text, text.Font, text.Alignment);
    painter.restore();
}

void TReportPainter::PaintHeader(QPainter &painter, const std::string &title)
{
    const double top = Margin;
    PaintLogo(painter, QRectF(Margin, top, LogoSide, LogoSide));
    const double textLeft = Margin + LogoSide + 12;
    const TReportFont acronymFont {26, true};
    const std::string acronym = "T A R V O";
    DrawText(painter, QRectF(textLeft, top - 4, 400, 40), acronym, acronymFont, Qt::AlignLeft | Qt::AlignTop);
    DrawText(painter, QRectF(textLeft, top + 36, 300, 18), TGlobalSetting::ProductTitle + std::string(" Design"),
             {12, true}, Qt::AlignLeft | Qt::AlignTop);
    const double versionLeft = textLeft + TTextMeasure::Width(acronym, acronymFont) + 24;
    DrawText(painter, QRectF(versionLeft, top + 14, 300, 18), std::string("Version ") + TGlobalSetting::Version,
             {12, true}, Qt::AlignLeft | Qt::AlignTop);
    const QRectF bar(Margin, top + LogoSide + 8, Width - 2 * Margin, TitleBarHeight);
    painter.fillRect(bar, Qt::black);
    QString capitals = QString::fromStdString(title).toUpper();
    DrawText(painter, bar, capitals.toStdString(), TTextMeasure::Fitted(capitals.toStdString(), {12, true}, bar.width() - 8),
             Qt::AlignCenter, Qt::white);
    painter.setPen(QPen(Qt::black, 1.5));
    const double rule = top + HeaderHeight - 2;
    painter.drawLine(QPointF(Margin, rule), QPointF(Width - Margin, rule));
}

void TReportPainter::PaintFooter(QPainter &painter, int number, const TPageFooter &footer)
{
    const double rule = Height - Margin - FooterHeight;
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(QPointF(Margin, rule), QPointF(Width - Margin, rule));
    const double top = rule + 4;
    const double height = FooterHeight - 4;
    const auto place = [&](double left, double width, const std::string &text, int alignment) {
        DrawText(painter, QRectF(left, top, width, height), text, TTextMeasure::Fitted(text, ValueFont, width),
                 alignment | Qt::AlignVCenter);
    };
    const double right = Width - Margin;
    place(Margin, 230, footer.Author, Qt::AlignLeft);
    place(Margin + 250, right - 200 - (Margin + 250), footer.ProjectName, Qt::AlignLeft);
    place(right - 180, 80, footer.Date, Qt::AlignRight);
    place(right - 90, 90, "Page #" + std::to_string(number), Qt::AlignRight);
}

// A pole, a sagging span wire and a signal head in a square.
void TReportPainter::PaintLogo(QPainter &painter, const QRectF &box)
{
    painter.save();
    painter.translate(box.topLeft());
    painter.scale(box.width() / 100, box.height() / 100);
    painter.setPen(QPen(Qt::black, 4));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(2, 2, 96, 96), 10, 10);
    painter.setPen(QPen(Qt::black, 6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(16, 90), QPointF(16, 20));
    painter.drawLine(QPointF(84, 90), QPointF(84, 20));
    QPainterPath wire(QPointF(16, 24));
    wire.quadTo(QPointF(50, 56), QPointF(84, 24));
    painter.setPen(QPen(Qt::black, 3));
    painter.drawPath(wire);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRoundedRect(QRectF(43, 40, 14, 36), 3, 3);
    painter.setBrush(Qt::white);
    for (double y : {46.0, 58.0, 70.0})
        painter.drawEllipse(QPointF(50, y), 4, 4);
    painter.restore();
}

} // namespace corvadel
