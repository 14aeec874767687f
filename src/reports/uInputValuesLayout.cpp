#include "uInputValuesLayout.h"

#include "uFormats.h"
#include "uGraphics.h"
#include "uPageComposer.h"
#include "uReportText.h"
#include "uResultQuantities.h"
#include "uWires.h"

namespace corvadel {

namespace {

constexpr double DiagramWidth = 500;
// Room for a hand to write on the lines of a blank sheet.
constexpr double HandwritingPitch = 22;
constexpr double Gap = 16;
constexpr TSize DiagramSize {586, 240};
constexpr double Inset = 8;
constexpr const char *ElevationLetters[] = {"T", "U", "V", "Y", "C", "D", "G"};

struct TField {
    std::string Caption;
    std::string Value;
};

double SpanWireWeight(const TBaseWire &span)
{
    double weight = 0;
    for (const TBaseSegment *segment : span.Segments)
        weight += segment->Weight();
    return weight;
}

std::string SignalLine(const TBaseWire *span)
{
    std::vector<THangerEntry> entries;
    for (int number = 1; span; ++number) {
        const TBaseSignal *signal = span->Signals.FindByNumber(number);
        if (!signal)
            break;
        entries.push_back(
            {signal->IsSignal, FixedText(signal->Distance, 6, 2) + "/" + FixedText(signal->DeadLoad(), 6, 2)});
    }
    return HangerLine(entries);
}

class TInputValuesLayout
{
public:
    TInputValuesLayout(const TInputValuesPage &source, TPageSink &sink)
        : Source(source), Sequence(source.Sequence), Topology(source.Sequence.Topology()),
          Page(sink, "INPUT VALUES", !source.Blank)
    {
    }

    void Fill()
    {
        const QRectF body = Page.Body();
        const QRectF diagram(body.right() - DiagramWidth, body.top(), DiagramWidth,
                             DiagramWidth * DiagramSize.Height / DiagramSize.Width);
        Diagram(diagram);
        const double left = body.left();
        const double width = diagram.left() - Gap - left;
        Identification(left, width);
        Values(left, width);
        Page.Y = std::max(Page.Y, diagram.bottom()) + TPageComposer::SectionGap;
        SignalLines();
        WireWeights();
        DesignData();
        Page.Close();
    }

private:
    const TInputValuesPage &Source;
    const TWireConfiguration &Sequence;
    const TSequenceTopology &Topology;
    TPageComposer Page;

    std::string Value(double value, int width = 6, int blank = 7) const
    {
        return Source.Blank ? Blank(blank) : FixedText(value, width, 2);
    }

    void Diagram(const QRectF &box)
    {
        TWireConfigurationList *project = &Source.Project;
        const TGlobalSetting *settings = &Source.Settings;
        const int number = Sequence.Number;
        // Labels at the diagram's edge stay inside the frame.
        const QRectF inside = box.adjusted(Inset, Inset * DiagramSize.Height / DiagramSize.Width, -Inset,
                                           -Inset * DiagramSize.Height / DiagramSize.Width);
        Page.Picture({inside, DiagramSize, [project, settings, number](TCanvas &canvas) {
                          TGraphics graphics(*settings, canvas);
                          graphics.Project = project;
                          graphics.StandardShape = true;
                          graphics.ShowLabels = true;
                          graphics.ClearImage();
                          graphics.DrawSequence(dmPrint, number, 0);
                      },
                      box});
        Page.Frame(box);
    }

    void Identification(double left, double width)
    {
        Page.CaptionAndLine(left, width, "Sequence #:", Source.Blank ? Blank(10) : IntToStr(Sequence.Number));
        Page.CaptionAndLine(left, width, "Configuration Type:", Topology.TypeName);
        // A blank stays one line; an identification wraps.
        if (Source.Blank)
            Page.CaptionAndLine(left, width, "Problem Identification: ", Blank(55));
        else
            Page.CaptionAndValue(left, width, "Problem Identification: ", Sequence.Identification);
    }

    void Row(double left, double width, const std::string &section, const std::vector<TField> &fields)
    {
        if (fields.empty())
            return;
        Page.Section(section, {}, left, left + width);
        TGridRow values;
        std::vector<std::string> headers;
        for (const TField &field : fields) {
            headers.push_back(Bracketed(field.Caption));
            values.Cells.push_back(field.Value);
        }
        // Eight columns fit the row; fewer, wider ones keep a long caption whole.
        double widest = 0;
        for (const std::string &header : headers)
            widest = std::max(widest, TTextMeasure::Width(header, CaptionFont) + 8);
        const double column = std::min(width / static_cast<double>(fields.size()), std::max(width / 8, widest));
        Page.Grid({left, 0, column}, headers, {values});
    }

    void Values(double left, double width)
    {
        std::vector<TField> angles, lengths, elevations, bases;
        for (int n = 1; n <= Topology.CheckedAngles; ++n) {
            const TBaseWire *span = Sequence.Spans.FindByNumber(n);
            angles.push_back({"A " + IntToStr(n), Value(span ? span->Angle : 0)});
        }
        for (int n = 1; n <= Topology.SpanCount(); ++n) {
            const TBaseWire *span = Sequence.Spans.FindByNumber(n);
            lengths.push_back({"L " + IntToStr(n), Value(span ? span->Length : 0)});
        }
        // A difference the solver found, not the user, is not an input.
        for (const char *letter : ElevationLetters)
            if (Topology.HasPoint(letter) && (Source.Blank || Sequence.Elevations.IsEntered(letter)))
                elevations.push_back({letter, Value(Sequence.Elevations.ValueOf(letter))});
        bases.push_back({"Pavement", Value(Sequence.Elevations.ValueOf("PV"))});
        for (int pole : PoleNumbers(Topology))
            bases.push_back({"Pole " + IntToStr(pole), Value(Sequence.Elevations.ValueOf("P" + IntToStr(pole)))});
        Row(left, width, "Angles (Degrees)", angles);
        Row(left, width, "Span Lengths (ft)", lengths);
        Row(left, width, "Elevation Differences (ft)", elevations);
        Row(left, width, "Base Elevations (ft)", bases);
    }

    void SignalLines()
    {
        const double left = Page.Body().left();
        constexpr double caption = 56;
        Page.Section("Signals and Signs", "{Distance (ft) / Weight (lbs)}");
        for (int n = 1; n <= Topology.SpanCount(); ++n) {
            Page.Reserve(TPageComposer::RowPitch);
            Page.Inline(left, "Span " + IntToStr(n), CaptionFont);
            const std::string line = Source.Blank ? Blank(119) : SignalLine(Sequence.Spans.FindByNumber(n));
            Page.Skip(Page.Paragraph(left + caption, Page.Body().width() - caption, line, ValueFont));
            if (Source.Blank)
                Page.Skip(HandwritingPitch - TPageComposer::RowPitch);
        }
    }

    void WireWeights()
    {
        const std::string kind = Source.Blank ? "" : Sequence.VariableWires ? "(Variable)" : "(Assumed)";
        Page.Section("Wire Weights (lbs)", kind);
        const double pitch = Page.Body().width() / 8;
        constexpr double valueWidth = 70;
        for (int n = 1; n <= Topology.SpanCount(); ++n) {
            const TBaseWire *span = Sequence.Spans.FindByNumber(n);
            const double x = Page.Body().left() + pitch * (n - 1);
            Page.Text(QRectF(x, Page.Y, valueWidth, TPageComposer::RowPitch),
                      Source.Blank ? Blank(13) : FixedText(span ? SpanWireWeight(*span) : 0, 6, 2), ValueFont,
                      Qt::AlignRight | Qt::AlignVCenter);
            Page.Text(QRectF(x + valueWidth + 4, Page.Y, pitch - valueWidth - 4, TPageComposer::RowPitch),
                      "Span " + IntToStr(n), CaptionFont);
        }
        Page.Skip(TPageComposer::RowPitch);
    }

    void DesignData()
    {
        const bool variable = !Source.Blank && Sequence.VariableWires;
        std::vector<TField> fields = {
            {"Min. SAG (ft):", Value(Sequence.MinSAG, 5)},
            {"Max. SAG (ft):", Value(Sequence.MaxSAG, 5)},
            {"Minimum Clearance (ft):", Value(Sequence.MinClearance, 5)},
            {"Wire Weight (lbs/ft):", variable ? "<variable>" : Value(Sequence.WireWeight, 5)},
            {"Sum of Loads (lbs):", Value(Sequence.Spans.SumDeadLoads(), 5)},
            {"Sum of Areas (sq.ft):", Value(Sequence.Spans.SumWindAreas(), 5)},
            {"Wind Pressure (psf):", Value(Source.Project.Parameters().WindPressure, 5)},
        };
        if (Sequence.SequenceType == stBox)
            fields.push_back({"Box Warp Enabled:", Source.Blank ? Blank(7) : Sequence.BoxWarp ? "Yes" : "No"});
        Page.Section("Design Data");
        // Two columns, filled down first.
        const size_t rows = (fields.size() + 1) / 2;
        const double column = Page.Body().width() / 2;
        constexpr double captionWidth = 150;
        Page.Reserve(TPageComposer::RowPitch * rows);
        for (size_t i = 0; i < fields.size(); ++i) {
            const double x = Page.Body().left() + column * (i / rows);
            const double y = Page.Y + TPageComposer::RowPitch * (i % rows);
            Page.Text(QRectF(x, y, captionWidth, TPageComposer::RowPitch), fields[i].Caption, CaptionFont);
            Page.Text(QRectF(x + captionWidth, y, column - captionWidth - Gap, TPageComposer::RowPitch),
                      fields[i].Value, ValueFont);
        }
        Page.Skip(TPageComposer::RowPitch * rows);
    }
};

} // namespace

void TInputValuesPage::AddPages(TPageSink &sink) const
{
    TInputValuesLayout(*this, sink).Fill();
}

} // namespace corvadel
