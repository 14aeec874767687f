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

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace corvadel {

namespace {

using namespace PageGeometry;

constexpr double LogoSide = 56;
constexpr double TitleBarHeight = 22;
constexpr double HeaderTextLeft = Margin + LogoSide + 12;
constexpr TReportFont AcronymFont {26, true};
constexpr TReportFont HeaderFont {12, true};

QRectF TitleBarBox()
{
    return QRectF(Margin, Margin + LogoSide + 8, Width - 2 * Margin, TitleBarHeight);
}

double FooterTop()
{
    return Height - Margin - FooterHeight + 4;
}

// A text placed in the frame, measured once.
TPageText FrameText(const QRectF &box, const std::string &text, const TReportFont &font, int alignment)
{
    return {box, text, font, alignment, TTextMeasure::Width(text, font)};
}

// A footer field too long for its room is cut short at a word.
TPageText FooterText(double left, double width, const std::string &text, int alignment)
{
    const std::string elided = TTextMeasure::Elided(text, ValueFont, width);
    return FrameText(QRectF(left, FooterTop(), width, FooterHeight - 4), elided, ValueFont,
                     alignment | Qt::AlignVCenter);
}

// Qt's PDF engine takes two buffers of 10 MB to compress every page and
// frees them after it. Left to its adaptive thresholds, glibc gives them back
// to the system each time and faults them in again for the next page, which
// costs more than painting the page; kept in the heap, the pages they touch
// stay mapped.
void KeepPageBuffersInTheHeap()
{
#ifdef __GLIBC__
    static const bool kept = [] {
        constexpr int Size = 32 * 1024 * 1024;
        mallopt(M_MMAP_THRESHOLD, Size);
        mallopt(M_TRIM_THRESHOLD, 2 * Size);
        return true;
    }();
    (void)kept;
#endif
}

void Describe(QPdfWriter &writer, const std::string &documentTitle)
{
    writer.setTitle(QString::fromStdString(documentTitle));
    writer.setCreator(QStringLiteral("%1 %2").arg(TGlobalSetting::ProductTitle, TGlobalSetting::Version));
}

// A pole, a sagging span wire and a signal head in a square.
void PaintLogo(QPainter &painter, const QRectF &box)
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

} // namespace

void TReportPainter::SetLetterLandscape(QPagedPaintDevice &device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
}

TReportPainter::TReportPainter(QPagedPaintDevice &device, const TPageFooter &footer)
    : Device(device), Painter(std::make_unique<QPainter>())
{
    KeepPageBuffersInTheHeap();
    SetLetterLandscape(device);
    if (!Painter->begin(&device))
        throw std::runtime_error("the pages cannot be painted on this device");
    Painter->setRenderHint(QPainter::Antialiasing);
    const std::string acronym = "T A R V O";
    Header = {
        FrameText(QRectF(HeaderTextLeft, Margin - 4, 400, 40), acronym, AcronymFont, Qt::AlignLeft | Qt::AlignTop),
        FrameText(QRectF(HeaderTextLeft, Margin + 36, 300, 18), TGlobalSetting::ProductTitle + std::string(" Design"),
                  HeaderFont, Qt::AlignLeft | Qt::AlignTop),
    };
    const double versionLeft = HeaderTextLeft + Header[0].Width + 24;
    Header.push_back(FrameText(QRectF(versionLeft, Margin + 14, 300, 18),
                               std::string("Version ") + TGlobalSetting::Version, HeaderFont,
                               Qt::AlignLeft | Qt::AlignTop));
    const double right = Width - Margin;
    Footer = {
        FooterText(Margin, 230, footer.Author, Qt::AlignLeft),
        FooterText(Margin + 250, right - 200 - (Margin + 250), footer.ProjectName, Qt::AlignLeft),
        FooterText(right - 180, 80, footer.Date, Qt::AlignRight),
    };
}

TReportPainter::~TReportPainter()
{
    if (Painter->isActive())
        Painter->end();
}

void TReportPainter::Finish()
{
    if (Painter->isActive())
        Painter->end();
}

void TReportPainter::Paint(const TReportJob &job, QPagedPaintDevice &device)
{
    TReportPainter painter(device, job.Footer);
    for (const TReportPage &page : job.Pages)
        painter.PaintNext(page);
    painter.Finish();
}

int TReportPainter::WritePdf(QIODevice &out, const std::string &documentTitle, const TPageFooter &footer,
                             const std::function<void(TPageSink &)> &compose)
{
    QPdfWriter writer(&out);
    Describe(writer, documentTitle);
    TReportPainter painter(writer, footer);
    compose(painter);
    painter.Finish();
    return painter.PageCount();
}

QByteArray TReportPainter::Pdf(const TReportJob &job, const std::string &documentTitle)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        Describe(writer, documentTitle);
        Paint(job, writer);
    }
    return bytes;
}

void TReportPainter::UseFont(const TReportFont &font)
{
    const auto key = std::make_pair(font.Points, font.Bold);
    if (key == FontInUse)
        return;
    auto found = Fonts.find(key);
    if (found == Fonts.end()) {
        // Sized in layout pixels: the painter's scale takes them to the device.
        QFont result(QStringLiteral("Arial"));
        result.setPointSizeF(font.Points * Dpi / Device.logicalDpiY());
        result.setBold(font.Bold);
        result.setHintingPreference(QFont::PreferNoHinting);
        found = Fonts.emplace(key, result).first;
    }
    Painter->setFont(found->second);
    FontInUse = key;
}

void TReportPainter::PaintText(const TPageText &text, const QColor &color)
{
    QPainter &painter = *Painter;
    UseFont(text.Font);
    painter.setPen(color);
    const QString value = QString::fromStdString(text.Text);
    if (text.Alignment & Qt::TextWrapAnywhere) {
        painter.drawText(text.Box, text.Alignment | Qt::TextDontClip, value);
        return;
    }
    // Placed by the width the layout measured, on the baseline its font gives.
    const QRectF &box = text.Box;
    double x = box.left();
    if (text.Alignment & Qt::AlignHCenter)
        x = box.center().x() - text.Width / 2;
    else if (text.Alignment & Qt::AlignRight)
        x = box.right() - text.Width;
    const double ascent = TTextMeasure::Ascent(text.Font);
    const double descent = TTextMeasure::Descent(text.Font);
    double baseline = box.top() + ascent;
    if (text.Alignment & Qt::AlignVCenter)
        baseline = box.top() + (box.height() - ascent - descent) / 2 + ascent;
    else if (text.Alignment & Qt::AlignBottom)
        baseline = box.bottom() - descent;
    painter.drawText(QPointF(x, baseline), value);
}

void TReportPainter::PaintNext(const TReportPage &page)
{
    if (Painted > 0 && !Device.newPage())
        throw std::runtime_error("a new page cannot be started");
    ++Painted;
    QPainter &painter = *Painter;
    painter.save();
    painter.scale(Device.logicalDpiX() / Dpi, Device.logicalDpiY() / Dpi);
    FontInUse = {-1, false};
    PaintHeader(page.Title);
    if (page.HasFooter)
        PaintFooter();
    for (const TPagePicture &picture : page.Pictures) {
        painter.save();
        if (!picture.Clip.isEmpty())
            painter.setClipRect(picture.Clip);
        painter.translate(picture.Box.topLeft());
        painter.scale(picture.Box.width() / picture.Size.Width, picture.Box.height() / picture.Size.Height);
        TPainterCanvas canvas(painter, picture.Size.Width, picture.Size.Height);
        picture.Paint(canvas);
        painter.restore();
        FontInUse = {-1, false};
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
        PaintText(text);
    painter.restore();
}

const TPageText &TReportPainter::TitleBar(const std::string &title)
{
    auto found = TitleBars.find(title);
    if (found != TitleBars.end())
        return found->second;
    const std::string capitals = QString::fromStdString(title).toUpper().toStdString();
    const QRectF bar = TitleBarBox();
    const TReportFont font = TTextMeasure::Fitted(capitals, HeaderFont, bar.width() - 8);
    return TitleBars.emplace(title, FrameText(bar, capitals, font, Qt::AlignCenter)).first->second;
}

void TReportPainter::PaintHeader(const std::string &title)
{
    QPainter &painter = *Painter;
    PaintLogo(painter, QRectF(Margin, Margin, LogoSide, LogoSide));
    for (const TPageText &text : Header)
        PaintText(text);
    const TPageText &bar = TitleBar(title);
    painter.fillRect(bar.Box, Qt::black);
    PaintText(bar, Qt::white);
    painter.setPen(QPen(Qt::black, 1.5));
    const double rule = Margin + HeaderHeight - 2;
    painter.drawLine(QPointF(Margin, rule), QPointF(Width - Margin, rule));
}

void TReportPainter::PaintFooter()
{
    QPainter &painter = *Painter;
    const double rule = Height - Margin - FooterHeight;
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(QPointF(Margin, rule), QPointF(Width - Margin, rule));
    for (const TPageText &text : Footer)
        PaintText(text);
    const double right = Width - Margin;
    PaintText(FrameText(QRectF(right - 90, FooterTop(), 90, FooterHeight - 4), "Page #" + std::to_string(Painted),
                        ValueFont, Qt::AlignRight | Qt::AlignVCenter));
}

} // namespace corvadel
