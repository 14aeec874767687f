#include "ParametersFRM.h"

#include "KorvelEditComp.h"
#include "uAsk.h"
#include "uFormats.h"
#include "uHelpContext.h"
#include "uQtCanvas.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace corvadel {

namespace {

// A flag lives either on the settings or on their design parameters.
struct TFlagRow {
    const char *Name;
    const char *Caption;
    bool TGlobalSetting::*Own;
    bool TTARVOParameters::*Parameter;
};

const TFlagRow FlagRows[] = {
    {"cbResizeForm", "Enable Resize Forms", &TGlobalSetting::ResizeForm, nullptr},
    {"cbDynamicDisplay", "Enable Dynamic Display", &TGlobalSetting::EnableDynamicDisplay, nullptr},
    {"cbDisplayLabel", "Enable Display Label", &TGlobalSetting::EnableDisplayLabel, nullptr},
    {"cbProjectDetail", "Display Automatic Project Detail ", &TGlobalSetting::AutomaticProjectDetail, nullptr},
    {"cbWarp", "Enable Adjust Box Angles", nullptr, &TTARVOParameters::Warp},
    {"cbEnableWires", "Enable Variable Wire Weight", nullptr, &TTARVOParameters::VariableWire},
    {"cbEnableRelativeHeight", "Enable Relative Signal Height", nullptr, &TTARVOParameters::RelativeSignal},
    {"cbPrintLoadedProfiles", "Print Loaded Profiles", &TGlobalSetting::PrintLoadedProfiles, nullptr},
    {"cbPrintSAGStudies", "Print SAG Studies", &TGlobalSetting::PrintSAGStudies, nullptr},
};

bool &FlagOf(TGlobalSetting &settings, const TFlagRow &row)
{
    return row.Own ? settings.*row.Own : settings.Parameters.*row.Parameter;
}

bool FlagOf(const TGlobalSetting &settings, const TFlagRow &row)
{
    return row.Own ? settings.*row.Own : settings.Parameters.*row.Parameter;
}

struct TNumberRow {
    const char *Name;
    const char *Caption;
    double TTARVOParameters::*Field;
};

const TNumberRow NumberRows[] = {
    {"edtMinClearance", "Min. clearance ground to wire (ft):", &TTARVOParameters::MinClearance},
    {"edtWireWeight", "Weight of Wire (lbs/ft):", &TTARVOParameters::WireWeight},
    {"edtWindPressure", "Wind Pressure (psf):", &TTARVOParameters::WindPressure},
    {"edtDefaultDesignFactor", "Default Design Factor;:", &TTARVOParameters::DesignFactor},
    {"edtMinSignalClearance", "Min. clearance pavement to signal bottom (ft):", &TTARVOParameters::MinSignalClearance},
};

// Why a number cannot be taken; empty when it can.
QString RangeError(const TNumberRow &row, double value)
{
    const std::string problem = TTARVOParameters::RangeProblem(row.Field, value);
    if (problem.empty())
        return {};
    return QStringLiteral("%1 %2 %3.").arg(QLatin1String(row.Caption), QString::fromStdString(FloatToStr(value)),
                                           QString::fromStdString(problem));
}

struct TColorRow {
    const char *Role;
    const char *Caption;
    int TCustomColor::*Field;
};

const TColorRow ColorRows[] = {
    {"Pole", "Pole: ", &TCustomColor::PoleColor},       {"Ring", "Ring:", &TCustomColor::RingColor},
    {"Wire", "Wire:", &TCustomColor::WireColor},        {"Sign", "Sign:", &TCustomColor::SignColor},
    {"Signal", "Signal:", &TCustomColor::SignalColor},  {"Line", "Draw Line:", &TCustomColor::LineColor},
    {"Background", "Background:", &TCustomColor::ImageBackground},
};

// A font sample is painted on the colour the font is drawn on.
struct TFontRow {
    const char *Role;
    const char *Caption;
    TFontSpec TCustomColor::*Field;
    int TCustomColor::*Ground;
};

const TFontRow FontRows[] = {
    {"Pole", "Pole: ", &TCustomColor::PoleFont, &TCustomColor::PoleColor},
    {"Ring", "Ring: ", &TCustomColor::RingFont, &TCustomColor::ImageBackground},
    {"Elevation", "Elevation:", &TCustomColor::ElevationFont, &TCustomColor::ImageBackground},
    {"Wire", "Wire:", &TCustomColor::WireFont, &TCustomColor::ImageBackground},
    {"Angle", "Angle:", &TCustomColor::AngleFont, &TCustomColor::ImageBackground},
};

void CopyColors(const TCustomColor &from, TCustomColor &to)
{
    for (const TColorRow &row : ColorRows)
        to.*row.Field = from.*row.Field;
    for (const TFontRow &row : FontRows)
        to.*row.Field = from.*row.Field;
}

int ColorValue(const QColor &color)
{
    return color.red() | color.green() << 8 | color.blue() << 16;
}

// The font dialog chooses no colour: the font keeps its own.
TFontSpec FontSpecOf(const QFont &font, int color)
{
    TFontSpec chosen;
    chosen.Name = font.family().toStdString();
    chosen.Size = font.pointSize() > 0 ? font.pointSize() : 6;
    chosen.Style = (font.bold() ? TFontSpec::Bold : 0) | (font.italic() ? TFontSpec::Italic : 0)
        | (font.underline() ? TFontSpec::Underline : 0) | (font.strikeOut() ? TFontSpec::StrikeOut : 0);
    chosen.Color = color;
    return chosen;
}

QString ColorName(int color)
{
    return TQtCanvas::ToQColor(color).name();
}

QPushButton *ChooseButton(const QString &name)
{
    auto *button = new QPushButton(QStringLiteral("..."));
    button->setObjectName(name);
    button->setFixedWidth(28);
    return button;
}

} // namespace

TfrmParameters::TfrmParameters(const TGlobalSetting &settings, TAsk &ask, QWidget *parent)
    : QDialog(parent)
    , Settings(settings)
    , Ask(ask)
{
    setObjectName(QStringLiteral("frmParameters"));
    setWindowTitle(QStringLiteral("Parameters"));
    SetHelpContext(this, hcParameters);
    CopyColors(settings.Colors, WorkingColors);

    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(QStringLiteral("TARVO Parameters"));
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    title->setFont(big);
    layout->addWidget(title);

    auto *pages = new QTabWidget;
    pages->setObjectName(QStringLiteral("pcParameters"));
    pages->addTab(BuildApplicationPage(), QStringLiteral("Application Parameters"));
    pages->addTab(BuildDesignPage(), QStringLiteral("Design Data"));
    pages->addTab(BuildGraphicPage(), QStringLiteral("Graphic Setting"));
    layout->addWidget(pages);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help);
    connect(buttons, &QDialogButtonBox::accepted, this, &TfrmParameters::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TfrmParameters::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] { RequestHelp(this); });
    layout->addWidget(buttons);

    FillFlagsAndNumbers();
    FillSwatchesAndSamples();
}

QWidget *TfrmParameters::BuildApplicationPage()
{
    auto *page = new QWidget;
    auto *column = new QVBoxLayout(page);
    for (const TFlagRow &row : FlagRows) {
        auto *box = new QCheckBox(QLatin1String(row.Caption));
        box->setObjectName(QLatin1String(row.Name));
        column->addWidget(box);
        Flags.push_back(box);
    }
    column->addStretch();
    return page;
}

QWidget *TfrmParameters::BuildDesignPage()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    for (const TNumberRow &row : NumberRows) {
        auto *edit = new TKorvelEdit;
        edit->setObjectName(QLatin1String(row.Name));
        edit->SetEditType(etFloat);
        edit->SetMaxLength(7);
        edit->setMaximumWidth(80);
        form->addRow(QLatin1String(row.Caption), edit);
        Numbers.push_back(edit);
    }
    return page;
}

QWidget *TfrmParameters::BuildGraphicPage()
{
    auto *page = new QWidget;
    auto *row = new QHBoxLayout(page);
    auto *colors = new QGroupBox(QStringLiteral(" Colors "));
    auto *colorGrid = new QGridLayout(colors);
    for (size_t i = 0; i < std::size(ColorRows); ++i) {
        const QString role = QLatin1String(ColorRows[i].Role);
        auto *swatch = new QLabel;
        swatch->setObjectName("shp" + role + "Color");
        swatch->setFixedSize(40, 16);
        swatch->setFrameShape(QFrame::Box);
        Swatches.push_back(swatch);
        QPushButton *choose = ChooseButton("btn" + role + "Color");
        connect(choose, &QPushButton::clicked, this, [this, i] { ChooseColor(i); });
        colorGrid->addWidget(new QLabel(QLatin1String(ColorRows[i].Caption)), int(i), 0);
        colorGrid->addWidget(swatch, int(i), 1);
        colorGrid->addWidget(choose, int(i), 2);
    }
    auto *fonts = new QGroupBox(QStringLiteral(" Fonts "));
    auto *fontGrid = new QGridLayout(fonts);
    for (size_t i = 0; i < std::size(FontRows); ++i) {
        const QString role = QLatin1String(FontRows[i].Role);
        auto *sample = new QLabel(QStringLiteral("abcABC"));
        sample->setObjectName("lbl" + role + "Font");
        sample->setMinimumSize(80, 20);
        Samples.push_back(sample);
        QPushButton *choose = ChooseButton("btn" + role + "Font");
        connect(choose, &QPushButton::clicked, this, [this, i] { ChooseFont(i); });
        fontGrid->addWidget(new QLabel(QLatin1String(FontRows[i].Caption)), int(i), 0);
        fontGrid->addWidget(sample, int(i), 1);
        fontGrid->addWidget(choose, int(i), 2);
    }
    row->addWidget(colors);
    row->addWidget(fonts);
    return page;
}

void TfrmParameters::FillFlagsAndNumbers()
{
    for (size_t i = 0; i < Flags.size(); ++i)
        Flags[i]->setChecked(FlagOf(Settings, FlagRows[i]));
    for (size_t i = 0; i < Numbers.size(); ++i)
        Numbers[i]->SetNumericOutput(Settings.Parameters.*NumberRows[i].Field);
}

// Only what a colour or font choice can change: typed numbers and ticked
// boxes wait for OK untouched.
void TfrmParameters::FillSwatchesAndSamples()
{
    for (size_t i = 0; i < Swatches.size(); ++i)
        Swatches[i]->setStyleSheet(
            QStringLiteral("background-color: %1;").arg(ColorName(WorkingColors.*ColorRows[i].Field)));
    for (size_t i = 0; i < Samples.size(); ++i) {
        const TFontSpec &font = WorkingColors.*FontRows[i].Field;
        Samples[i]->setFont(TQtCanvas::ToQFont(font));
        Samples[i]->setStyleSheet(QStringLiteral("color: %1; background-color: %2;")
                                      .arg(ColorName(font.Color), ColorName(WorkingColors.*FontRows[i].Ground)));
    }
}

void TfrmParameters::ChooseColor(size_t row)
{
    int &color = WorkingColors.*ColorRows[row].Field;
    const std::optional<QColor> chosen = Ask.Color(this, TQtCanvas::ToQColor(color));
    if (!chosen || !chosen->isValid())
        return;
    color = ColorValue(*chosen);
    FillSwatchesAndSamples();
}

void TfrmParameters::ChooseFont(size_t row)
{
    TFontSpec &font = WorkingColors.*FontRows[row].Field;
    const std::optional<QFont> chosen = Ask.Font(this, TQtCanvas::ToQFont(font));
    if (!chosen)
        return;
    font = FontSpecOf(*chosen, font.Color);
    FillSwatchesAndSamples();
}

void TfrmParameters::accept()
{
    std::vector<double> values;
    for (size_t i = 0; i < Numbers.size(); ++i) {
        QString problem;
        try {
            values.push_back(Numbers[i]->NumericOutput());
            problem = RangeError(NumberRows[i], values.back());
        } catch (const EConvertError &error) {
            problem = QStringLiteral("%1 %2").arg(QLatin1String(NumberRows[i].Caption), QString::fromStdString(error.what()));
        }
        if (problem.isEmpty())
            continue;
        Ask.Tell(this, TMessageKind::Error, problem);
        Numbers[i]->setFocus();
        Numbers[i]->selectAll();
        return;
    }
    AcceptedNumbers = std::move(values);
    QDialog::accept();
}

void TfrmParameters::Store(TGlobalSetting &settings) const
{
    for (size_t i = 0; i < Flags.size(); ++i)
        FlagOf(settings, FlagRows[i]) = Flags[i]->isChecked();
    for (size_t i = 0; i < AcceptedNumbers.size(); ++i)
        settings.Parameters.*NumberRows[i].Field = AcceptedNumbers[i];
    CopyColors(WorkingColors, settings.Colors);
}

} // namespace corvadel
