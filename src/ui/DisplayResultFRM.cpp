#include "DisplayResultFRM.h"

#include "CombinationResultFRM.h"
#include "KorvelEditComp.h"
#include "WarpResultFRM.h"
#include "uFormats.h"
#include "uGlobalSettings.h"
#include "uResultGrid.h"
#include "uResultQuantities.h"
#include "uSequenceCalculation.h"
#include "uWires.h"
#include "uDesignChecks.h"
#include "uDialogButtons.h"
#include "uHelpContext.h"
#include "uLoadedProfileWidget.h"
#include "uPlausibility.h"
#include "uQtText.h"
#include "uSagStudyWidget.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace corvadel {

namespace {

constexpr const char *MaxSAGTab = "Max. SAG";
constexpr const char *MinSAGTab = "Min. SAG";

TKorvelEdit *ReadOnlyNumber(const char *name)
{
    auto *field = new TKorvelEdit;
    field->setObjectName(name);
    field->SetEditType(etFloat);
    field->setReadOnly(true);
    field->setMaximumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0000000000.00")) + 16);
    return field;
}

template<class Quantities>
QStringList Labels(const Quantities &quantities)
{
    QStringList labels;
    for (const auto &quantity : quantities)
        labels << quantity.Label;
    return labels;
}

QStringList Numbered(const char *word, int count)
{
    QStringList headers;
    for (int n = 1; n <= count; ++n)
        headers << QStringLiteral("%1 %2").arg(QLatin1String(word)).arg(n);
    return headers;
}

// Empties the grid, then column n takes the quantities of item number n.
template<class Item, class Find>
void FillColumns(TResultGrid &grid, const std::vector<TResultQuantity<Item>> &quantities, int count, Find find)
{
    grid.ClearCells();
    for (int n = 1; n <= count; ++n) {
        const Item *item = find(n);
        if (!item || n > grid.columnCount())
            continue;
        for (size_t row = 0; row < quantities.size(); ++row)
            grid.SetCell(static_cast<int>(row), n - 1, Text(quantities[row].Text(*item)));
    }
    grid.FitColumns(60);
    grid.FitHeight();
}

bool HoldsExactly(const QComboBox &list, const QStringList &items)
{
    if (list.count() != items.size())
        return false;
    for (int i = 0; i < list.count(); ++i) {
        if (list.itemText(i) != items[i])
            return false;
    }
    return true;
}

} // namespace

void ExecModal(QDialog &dialog)
{
    dialog.exec();
}

TfrmDisplayResult::TfrmDisplayResult(const TWireConfigurationList &project, const TGlobalSetting &settings,
                                     int showSequence, QWidget *parent)
    : QDialog(parent)
    , Project(project)
    , Settings(settings)
{
    setObjectName("frmDisplayResult");
    SetHelpContext(this, hcResult);
    setWindowTitle("Results");
    setSizeGripEnabled(true);
    BuildLayout();
    connect(cbSequenceList, &QComboBox::currentIndexChanged, this, &TfrmDisplayResult::SequenceChanged);
    connect(tbSAG, &QTabBar::currentChanged, this, &TfrmDisplayResult::TabChanged);
    ShowProject(showSequence);
}

void TfrmDisplayResult::ShowProject(int showSequence)
{
    int shown = 0;
    QStringList names;
    for (const TWireConfiguration *sequence : Project) {
        if (sequence->Number == showSequence)
            shown = int(names.size());
        names << Text(sequence->DisplayName());
    }
    FSequence = nullptr; // may be gone since the window was last shown
    FResult = nullptr;
    StudiedSequence = 0; // a new calculation: the study is made again
    {
        const QSignalBlocker blocker(cbSequenceList);
        if (!HoldsExactly(*cbSequenceList, names)) {
            cbSequenceList->clear();
            cbSequenceList->addItems(names);
        }
        cbSequenceList->setCurrentIndex(shown);
    }
    pcResultPages->setCurrentIndex(0);
    if (!Project.Empty())
        SequenceChanged(shown);
    btnCombinations->setVisible(!Project.Combinations.Empty());
    pnlSignalHeight->setVisible(Project.Parameters().RelativeSignal);
}

void TfrmDisplayResult::BuildLayout()
{
    auto *layout = new QVBoxLayout(this);

    auto *strip = new QHBoxLayout;
    auto *sequenceLabel = new QLabel("Sequence :");
    cbSequenceList = new QComboBox;
    cbSequenceList->setObjectName("cbSequenceList");
    // Sized for a name of common length, not by measuring every name of the
    // project; a longer one shows whole in the list and the tool tip.
    cbSequenceList->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbSequenceList->setMinimumContentsLength(32);
    sequenceLabel->setBuddy(cbSequenceList);
    btnWarpResult = new QPushButton("Warp Results");
    btnWarpResult->setObjectName("btnWarpResult");
    btnCombinations = new QPushButton("Combination Results");
    btnCombinations->setObjectName("btnCombinations");
    connect(btnWarpResult, &QPushButton::clicked, this, &TfrmDisplayResult::OpenWarp);
    connect(btnCombinations, &QPushButton::clicked, this, &TfrmDisplayResult::OpenCombinations);
    strip->addWidget(sequenceLabel);
    strip->addWidget(cbSequenceList);
    strip->addStretch();
    strip->addWidget(btnWarpResult);
    strip->addWidget(btnCombinations);
    layout->addLayout(strip);

    tbSAG = new QTabBar;
    tbSAG->setObjectName("tbSAG");
    tbSAG->setExpanding(false);
    layout->addWidget(tbSAG);

    pcResultPages = new QTabWidget;
    pcResultPages->setObjectName("pcResultPages");
    // The values keep their full height and scroll in a window too short for them.
    auto *values = new QScrollArea;
    values->setObjectName("saValues");
    values->setWidgetResizable(true);
    values->setFrameShape(QFrame::NoFrame);
    values->setWidget(BuildValuesPage());
    pcResultPages->addTab(values, "Values");
    pcResultPages->addTab(BuildProfilePage(), "Profile");
    auto *studyPage = new QWidget;
    studyPage->setObjectName("tsSagStudy");
    pbSagStudy = new TSagStudyWidget;
    (new QVBoxLayout(studyPage))->addWidget(pbSagStudy);
    pcResultPages->addTab(studyPage, "SAG Study");
    connect(pcResultPages, &QTabWidget::currentChanged, this, [this] {
        ShowProfile();
        ShowStudy();
    });
    layout->addWidget(pcResultPages, 1);

    // A few lines high, scrolling: a long list must not squeeze the grids.
    memPlausibility = new QPlainTextEdit;
    memPlausibility->setObjectName("memPlausibility");
    memPlausibility->setReadOnly(true);
    memPlausibility->setStyleSheet("color: #a04000");
    memPlausibility->setFixedHeight(memPlausibility->fontMetrics().lineSpacing() * 4 + 12);
    layout->addWidget(memPlausibility);
    layout->addLayout(NewCloseRow(this));

    auto *status = new QStatusBar;
    status->setObjectName("stMessages");
    status->setSizeGripEnabled(false);
    const int widths[4] = {100, 350, 180, 50};
    for (int i = 0; i < 4; ++i) {
        Panels[i] = new QLabel;
        Panels[i]->setObjectName(QStringLiteral("stPanel%1").arg(i + 1));
        // The second and fourth panels stay empty: they give way to the sentence.
        // The others are sunk into the bar, a text to read, not a button.
        if (i % 2 == 0) {
            Panels[i]->setMinimumWidth(widths[i]);
            Panels[i]->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        }
        status->addWidget(Panels[i], i == 0 ? 1 : 0); // the balance sentence needs the room
    }
    layout->addWidget(status);
    // Room for every value of a sequence with a few signals, as far as the
    // screen allows; the values scroll beyond that.
    const int screenHeight = screen() ? screen()->availableGeometry().height() : 0;
    resize(900, screenHeight > 0 ? std::min(880, screenHeight * 9 / 10) : 680);
}

QWidget *TfrmDisplayResult::BuildValuesPage()
{
    auto *page = new QWidget;
    page->setObjectName("tsValues");
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *span = new QGroupBox("Span Values");
    span->setObjectName("gbSpanValues");
    auto *spanLayout = new QVBoxLayout(span);
    auto *factorRow = new QHBoxLayout;
    edtDesignFactor = ReadOnlyNumber("edtDesignFactor");
    lblWarning = new QLabel;
    lblWarning->setObjectName("lblWarning");
    lblWarning->setStyleSheet("color: #b00000; font-weight: bold");
    factorRow->addWidget(new QLabel("Calculated Design Factor:"));
    factorRow->addWidget(edtDesignFactor);
    factorRow->addWidget(lblWarning);
    factorRow->addStretch();
    spanLayout->addLayout(factorRow);
    sgSpanResults = new TResultGrid("sgSpanResults");
    sgSpanResults->SetRowHeaders(Labels(SpanQuantities()));
    sgSpanResults->verticalHeader()->setMinimumWidth(176);
    spanLayout->addWidget(sgSpanResults);
    // The value groups keep their height; the signal heights take the rest.
    span->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    layout->addWidget(span);

    auto *pole = new QGroupBox("Pole Values");
    pole->setObjectName("gbPoleValues");
    auto *poleLayout = new QVBoxLayout(pole);
    auto *poleFields = new QFormLayout;
    poleFields->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    edtMaxWireLoad = ReadOnlyNumber("edtMaxWireLoad");
    edtHLDistance = ReadOnlyNumber("edtHLDistance");
    poleFields->addRow("Maximum Wire Load (lbs):", edtMaxWireLoad);
    poleFields->addRow("Distance between Highest and Lowest Points (ft) :", edtHLDistance);
    poleLayout->addLayout(poleFields);
    sgPoleResults = new TResultGrid("sgPoleResults");
    sgPoleResults->SetRowHeaders(Labels(PoleQuantities()));
    sgPoleResults->verticalHeader()->setMinimumWidth(237);
    poleLayout->addWidget(sgPoleResults);
    lblWireCheck = new QLabel;
    lblWireCheck->setObjectName("lblWireCheck");
    lblWireCheck->setWordWrap(true);
    lblWireCheck->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pole->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    layout->addWidget(pole);
    // Under the group, not in it: a group held at its size hint cannot make
    // room for a line that wraps, and the page's own layout can.
    lblWireCheck->setContentsMargins(10, 0, 10, 0);
    layout->addWidget(lblWireCheck);

    pnlSignalHeight = new QGroupBox(SignalHeightTitle);
    pnlSignalHeight->setObjectName("pnlSignalHeight");
    auto *signalLayout = new QVBoxLayout(pnlSignalHeight);
    sgSignalResults = new TResultGrid("sgSignalResults");
    sgSignalResults->verticalHeader()->setMinimumWidth(176);
    signalLayout->addWidget(sgSignalResults);
    layout->addWidget(pnlSignalHeight, 1);
    layout->addStretch(0); // takes the room when the signal heights are hidden
    return page;
}

QWidget *TfrmDisplayResult::BuildProfilePage()
{
    auto *page = new QWidget;
    page->setObjectName("tsProfile");
    auto *layout = new QVBoxLayout(page);
    auto *strip = new QHBoxLayout;
    auto *spanLabel = new QLabel("Span :");
    cbSpanList = new QComboBox;
    cbSpanList->setObjectName("cbSpanList");
    spanLabel->setBuddy(cbSpanList);
    connect(cbSpanList, &QComboBox::currentIndexChanged, this, [this] { ShowProfile(); });
    strip->addWidget(spanLabel);
    strip->addWidget(cbSpanList);
    strip->addStretch();
    layout->addLayout(strip);
    pbLoadedProfile = new TLoadedProfileWidget;
    layout->addWidget(pbLoadedProfile, 1);
    return page;
}

void TfrmDisplayResult::SequenceChanged(int index)
{
    if (index < 0 || index >= Project.Count())
        return;
    FSequence = Project.Objects(index);
    cbSequenceList->setToolTip(cbSequenceList->itemText(index));
    const QSignalBlocker blocker(tbSAG);
    while (tbSAG->count() > 0)
        tbSAG->removeTab(0);
    if (FSequence->Results.FindByAtMaxSAG(true))
        tbSAG->addTab(MaxSAGTab);
    if (FSequence->Results.FindByAtMaxSAG(false))
        tbSAG->addTab(MinSAGTab);
    LayoutGrids();
    {
        const QSignalBlocker spans(cbSpanList);
        cbSpanList->clear();
        for (const TBaseWire *span : FSequence->Spans)
            cbSpanList->addItem(QStringLiteral("Span %1").arg(span->Number), span->Number);
    }
    ShowWarnings();
    ShowStudy();
    tbSAG->setCurrentIndex(0);
    TabChanged(0);
}

void TfrmDisplayResult::LayoutGrids()
{
    const int spans = FSequence->Spans.Count();
    int poles = 0;
    for (const TBasePole *pole : FSequence->Poles)
        poles += pole->IsRing ? 0 : 1;
    sgSpanResults->SetColumnHeaders(Numbered("Span", spans));
    sgPoleResults->SetColumnHeaders(Numbered("Pole", poles));
    QStringList poleRows = Labels(PoleQuantities());
    if (TDesignChecks::HasAllowableMoments(*FSequence))
        poleRows << TDesignChecks::MomentUsedLabel;
    sgPoleResults->SetRowHeaders(poleRows);
    sgSignalResults->SetColumnHeaders(Numbered("Span", spans));
    sgSignalResults->SetRowHeaders({QString()});
}

void TfrmDisplayResult::TabChanged(int index)
{
    if (!FSequence || index < 0)
        return;
    FResult = FSequence->Results.FindByAtMaxSAG(tbSAG->tabText(index) == MaxSAGTab);
    if (!FResult)
        return;
    ShowSummary();
    ShowSpanValues();
    ShowPoleValues();
    if (Project.Parameters().RelativeSignal)
        ShowSignalHeights();
    ShowProfile();
}

void TfrmDisplayResult::ShowProfile()
{
    // Painted only when seen: the values page is the one mostly open.
    if (!FSequence || !FResult || pcResultPages->currentIndex() != 1)
        return;
    constexpr double DrawingWidth = 2000; // points for any window width
    pbLoadedProfile->SetScene(LoadedProfileScene(*FSequence, FResult->AtMaxSAG, cbSpanList->currentData().toInt(),
                                                 Project.Parameters().MinSignalClearance, DrawingWidth));
}

void TfrmDisplayResult::ShowStudy()
{
    // Calculated only when seen, once per sequence shown.
    if (!FSequence || pcResultPages->currentIndex() != 2 || StudiedSequence == FSequence->Number)
        return;
    StudiedSequence = FSequence->Number;
    pbSagStudy->SetStudy(TSagStudyRun::Compute(*FSequence, Project.Catalogue(), Project.Parameters()),
                         "Sequence " + FSequence->DisplayName() + ": SAG Study");
}

void TfrmDisplayResult::ShowWarnings()
{
    QStringList lines;
    for (const TPlausibilityWarning &warning : TPlausibilityCheck::Warnings(Project, *FSequence))
        lines << Text(warning.Text);
    memPlausibility->setPlainText(lines.join('\n'));
    memPlausibility->setVisible(!lines.isEmpty());
}

void TfrmDisplayResult::ShowSummary()
{
    const TTARVOParameters &parameters = Project.Parameters();
    const double factor = TSequenceCalculation::WindFactor(*FSequence, parameters);
    edtDesignFactor->SetNumericOutput(factor);
    lblWarning->setText("Warning: using default " + Text(FloatToStr(parameters.DesignFactor)));
    lblWarning->setVisible(factor < parameters.DesignFactor);
    edtMaxWireLoad->SetNumericOutput(FResult->MaxWireLoad);
    edtHLDistance->SetNumericOutput(FResult->SystemSAG);
    Panels[2]->setText("OK");
    btnWarpResult->setVisible(FResult->AnglesChanged);
    Panels[0]->setText(ShowsBalance(*FSequence) ? Text(BalanceSentence(FResult->Rotation, FResult->AnglesChanged))
                                                : QString());
}

void TfrmDisplayResult::ShowSpanValues()
{
    FillColumns(*sgSpanResults, SpanQuantities(), FResult->SpanResults.Count(),
                [this](int n) { return FResult->SpanResults.FindBySpanNumber(n); });
}

void TfrmDisplayResult::ShowPoleValues()
{
    FillColumns(*sgPoleResults, PoleQuantities(), FResult->PoleResults.Count(),
                [this](int n) { return FResult->PoleResults.FindByPoleNumber(n); });
    if (TDesignChecks::HasAllowableMoments(*FSequence)) {
        std::vector<int> numbers;
        for (int n = 1; n <= sgPoleResults->columnCount(); ++n)
            numbers.push_back(n);
        const auto cells = TDesignChecks::MomentUsedCells(*FSequence, *FResult, numbers);
        const int row = int(PoleQuantities().size());
        for (size_t i = 0; i < cells.size(); ++i)
            sgPoleResults->SetCell(row, int(i), Text(cells[i]));
        sgPoleResults->FitHeight();
    }
    const TWireCheck wire = TDesignChecks::Wire(*FSequence, *FResult, Project.Catalogue(), Project.Parameters());
    lblWireCheck->setText(Text(TDesignChecks::WireLine(wire)));
    lblWireCheck->setStyleSheet(wire.Holds() ? QString() : QStringLiteral("color: #b00000; font-weight: bold"));
}

void TfrmDisplayResult::ShowSignalHeights()
{
    int rows = 1;
    for (const TBaseWireResult *span : FResult->SpanResults)
        rows = std::max(rows, span->SignalResults.Count());
    sgSignalResults->setRowCount(rows);
    sgSignalResults->ClearCells();
    for (int row = 0; row < rows; ++row)
        sgSignalResults->SetRowHeader(row, QString());
    for (const TBaseWireResult *span : FResult->SpanResults) {
        const int column = span->SpanNumber - 1;
        if (column < 0 || column >= sgSignalResults->columnCount())
            continue;
        for (const TBaseSignalResult *signal : span->SignalResults) {
            const int row = signal->SignalNumber - 1;
            if (row < 0 || row >= rows)
                continue;
            sgSignalResults->SetRowHeader(row, QStringLiteral("Weight %1").arg(signal->SignalNumber));
            sgSignalResults->SetCell(row, column, Text(SignalHeightQuantity().Text(*signal)));
        }
    }
    sgSignalResults->FitColumns(60);
}

void TfrmDisplayResult::OpenCombinations()
{
    if (!FResult)
        return;
    TfrmCombinationResult window(Project, FResult->AtMaxSAG, Settings, this);
    ShowModal(window);
}

void TfrmDisplayResult::OpenWarp()
{
    if (!FResult)
        return;
    TfrmWarpResult window(*FResult, this);
    ShowModal(window);
}

} // namespace corvadel
