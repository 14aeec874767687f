#include "SignalsFRM.h"

#include "KorvelEditComp.h"
#include "uAsk.h"
#include "uCodes.h"
#include "uDialogButtons.h"
#include "uGlobalSettings.h"
#include "uHelpContext.h"
#include "uIcons.h"
#include "uProjectDocument.h"
#include "uTextGrid.h"
#include "uWires.h"
#include "uQtText.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace corvadel {

namespace {

const char *const CustomCategory = "SCX";
const char *const CustomSignType = "Custom Sign";

// Icon order of the category row: picture, caption and catalogue category.
struct TCategory {
    const char *Icon;
    const char *Caption;
    const char *Code;
};
const TCategory Categories[] = {
    {"custom", "Custom", CustomCategory}, {"s1a", "1", "S1A"}, {"s3a", "3", "S3A"},
    {"s4a", "4", "S4A"},                  {"s5a", "5", "S5A"}, {"s5b", "5", "S5B"},
};

const int CodeColumn = 6; // of the typical grid

QString General(double value)
{
    return Text(FloatToStr(value));
}

// Seven characters, as every number the dialog takes unless said otherwise.
TKorvelEdit *NewEdit(const char *name, TEditType type, int maxLength = 7)
{
    auto *edit = new TKorvelEdit;
    edit->setObjectName(QLatin1String(name));
    edit->SetEditType(type);
    edit->SetMaxLength(maxLength);
    return edit;
}

void SetReadOnlyLook(TKorvelEdit *edit, bool readOnly)
{
    edit->setReadOnly(readOnly);
    edit->setStyleSheet(readOnly ? QStringLiteral("background: #d4d4d4") : QString());
}

// An empty multiplier is a typing slip, not a factor of 0.
double Multiplier(const TKorvelEdit *edit)
{
    return StrToFloat(edit->text().toStdString());
}

const TTypicalSignal *CatalogueSignal(const TCodeList &catalogue, const std::string &code)
{
    return dynamic_cast<const TTypicalSignal *>(catalogue.FindByCode(code));
}

TBaseWire *FindSpan(TWireConfigurationList &project, int sequence, int span)
{
    TWireConfiguration *found = project.FindByNumber(sequence);
    return found ? found->Spans.FindByNumber(span) : nullptr;
}

// Every field but the number, through the setters.
void AssignFields(TBaseSignal &target, const TBaseSignal &source)
{
    target.SetCode(source.Code);
    target.SetIsSignal(source.IsSignal);
    target.SetAreaMultiplier(source.AreaMultiplier);
    target.SetLoadMultiplier(source.LoadMultiplier);
    target.SetSignalType(source.SignalType);
    target.SetDescription(source.Description);
    target.SetSections(source.Sections);
    target.SetMaterial(source.Material);
    target.SetLensSize(source.LensSize);
    target.SetSignArea(source.SignArea);
    target.SetSimpleDeadLoad(source.SimpleDeadLoad);
    target.SetHeight(source.Height);
    target.SetSimpleAreaFactor(source.SimpleAreaFactor);
    target.SetHanger(source.Hanger);
    target.SetDistance(source.Distance);
    target.SetWeight(source.Weight);
}

QStringList ItemRow(const TBaseSignal &item)
{
    return {QString::number(item.Number),
            item.IsSignal ? QStringLiteral("Signal") : QStringLiteral("Sign"),
            Text(item.SignalType),
            item.IsSignal ? General(item.LensSize) : QString(),
            Text(item.Material),
            item.IsSignal ? QString() : General(item.SignArea),
            General(item.SimpleDeadLoad),
            General(item.SimpleAreaFactor),
            General(item.Distance),
            General(item.AreaMultiplier),
            General(item.LoadMultiplier),
            General(item.DeadLoad()),
            General(item.WindArea())};
}

} // namespace

TfrmSignals::TfrmSignals(TProjectDocument &document, TGlobalSetting &settings, TAsk &ask, int sequence, int span,
                         QWidget *parent)
    : QDialog(parent)
    , Document(document)
    , Settings(settings)
    , Ask(ask)
    , FSequence(sequence)
    , FSpan(span)
{
    setObjectName(QStringLiteral("frmSignals"));
    SetHelpContext(this, hcSignals);
    setWindowTitle(QStringLiteral("Signals and  Signs Distribution in the Span #%1").arg(span));

    sgSignalList = NewTextGrid("sgSignalList",
                               {"#", "Type", "Category", "Lens Size", "Material", "Sign Area", "Weight",
                                "Area Factor", "Distance", "xArea", "xLoad", "Dead Load", "Area"},
                               {28, 45, 92, 56, 83, 64, 63, 63, 62, 40, 38, 65, 64});
    sgSignalList->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(sgSignalList, &QTableWidget::cellClicked, this, [this](int row) { LoadItem(row); });

    pcSignals = new QTabWidget;
    pcSignals->setObjectName(QStringLiteral("pcSignals"));
    pcSignals->addTab(BuildSignalsPage(), QStringLiteral("Signals"));
    pcSignals->addTab(BuildSignsPage(), QStringLiteral("Signs"));

    auto *column = new QVBoxLayout(this);
    column->addWidget(sgSignalList, 1);
    column->addWidget(pcSignals);
    column->addWidget(BuildBottom());
    resize(900, 640);

    lblPercent->setText(QStringLiteral("(%1%):").arg(Settings.Parameters.AreaFactor * 100, 0, 'f', 2));
    lvCategories->setCurrentRow(0); // the custom category, with its typical pane
    cbSignType->addItem(QLatin1String(CustomSignType));
    for (const auto &sign : Settings.CodeList.TypicalSigns())
        cbSignType->addItem(Text(sign.Entry->Category));
    cbSignType->setCurrentIndex(-1);
    RefreshItemList(0);
    if (Span() && !Span()->Signals.Empty())
        LoadItem(0);
}

QWidget *TfrmSignals::BuildSignalsPage()
{
    auto *page = new QWidget;
    auto *column = new QVBoxLayout(page);
    lvCategories = new QListWidget;
    lvCategories->setObjectName(QStringLiteral("lvCategories"));
    lvCategories->setViewMode(QListView::IconMode);
    lvCategories->setFlow(QListView::LeftToRight);
    lvCategories->setWrapping(false);
    lvCategories->setMovement(QListView::Static);
    lvCategories->setIconSize({32, 32});
    lvCategories->setGridSize({64, 58});
    lvCategories->setFixedHeight(66);
    for (const TCategory &category : Categories)
        lvCategories->addItem(new QListWidgetItem(CategoryIcon(QLatin1String(category.Icon)),
                                                  QLatin1String(category.Caption)));
    // A click on the icon already selected shows its typical pane again.
    connect(lvCategories, &QListWidget::currentRowChanged, this, &TfrmSignals::CategoryClicked);
    connect(lvCategories, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { CategoryClicked(lvCategories->row(item)); });
    column->addWidget(lvCategories);

    auto *bar = new QHBoxLayout;
    bar->addWidget(new QLabel(QStringLiteral("Signal Detail")));
    bar->addStretch();
    btnCustomSignal = NewButton("btnCustomSignal", QStringLiteral("Custom Signal"));
    connect(btnCustomSignal, &QPushButton::clicked, this, &TfrmSignals::CustomSignalClicked);
    bar->addWidget(btnCustomSignal);
    column->addLayout(bar);

    pnSignalDetail = new QStackedWidget;
    pnSignalDetail->setObjectName(QStringLiteral("pnSignalDetail"));
    pnSignalDetail->addWidget(BuildTypicalPane());
    pnSignalDetail->addWidget(BuildCustomPane());
    column->addWidget(pnSignalDetail);
    return page;
}

QWidget *TfrmSignals::BuildTypicalPane()
{
    pnTypical = new QWidget;
    pnTypical->setObjectName(QStringLiteral("pnTypical"));
    auto *column = new QVBoxLayout(pnTypical);
    column->setContentsMargins(0, 0, 0, 0);
    sgTypicalSignals = NewTextGrid("sgTypicalSignals",
                                   {"Sections", "Lens Size", "Material", "Weight", "Height", "Area Factor", ""},
                                   {56, 87, 90, 84, 84, 89, 64});
    sgTypicalSignals->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(sgTypicalSignals, &QTableWidget::cellClicked, this, [this](int row) { TypicalRowClicked(row); });
    column->addWidget(sgTypicalSignals);
    return pnTypical;
}

QWidget *TfrmSignals::BuildCustomPane()
{
    pnCustom = new QWidget;
    pnCustom->setObjectName(QStringLiteral("pnCustom"));
    auto *form = new QGridLayout(pnCustom);
    form->addWidget(new QLabel(QStringLiteral("Category:")), 0, 0);
    form->addWidget(new QLabel(QStringLiteral(" Custom Signal ")), 0, 1);
    edtSignalSections = NewEdit("edtSignalSections", etInteger);
    edtSignalLensSize = NewEdit("edtSignalLensSize", etFloat);
    edtSignalMaterial = NewEdit("edtSignalMaterial", etFree);
    edtSignalDeadLoad = NewEdit("edtSignalDeadLoad", etFloat);
    edtSignalHeight = NewEdit("edtSignalHeight", etFloat);
    edtSignalAreaFactor = NewEdit("edtSignalAreaFactor", etFloat);
    const std::pair<const char *, TKorvelEdit *> fields[] = {
        {"Sections:", edtSignalSections},
        {"Lens Size (inches):", edtSignalLensSize},
        {"Material:", edtSignalMaterial},
        {"Dead Load Weight (lbs):", edtSignalDeadLoad},
        {"Height (ft):", edtSignalHeight},
        {"Area Factor (sq ft):", edtSignalAreaFactor},
    };
    int row = 1;
    for (const auto &[caption, edit] : fields) {
        auto *label = new QLabel(QLatin1String(caption));
        label->setBuddy(edit);
        // Two columns of three fields.
        const int col = row <= 3 ? 0 : 2;
        const int line = row <= 3 ? row : row - 3;
        form->addWidget(label, line, col);
        form->addWidget(edit, line, col + 1);
        ++row;
    }
    QPushButton *add = NewButton("btnAddToList", QStringLiteral("Add To List"));
    connect(add, &QPushButton::clicked, this, &TfrmSignals::AddToListClicked);
    form->addWidget(add, 4, 3);
    edtSignalCode = NewEdit("edtSignalCode", etFree, 0);
    edtSignalCategory = NewEdit("edtSignalCategory", etFree, 0);
    for (TKorvelEdit *hidden : {edtSignalCode, edtSignalCategory}) {
        hidden->setParent(pnCustom);
        hidden->hide();
    }
    return pnCustom;
}

QWidget *TfrmSignals::BuildSignsPage()
{
    auto *page = new QWidget;
    auto *form = new QGridLayout(page);
    form->addWidget(new QLabel(QStringLiteral("Sign Detail")), 0, 0, 1, 4);
    cbSignType = new QComboBox;
    cbSignType->setObjectName(QStringLiteral("cbSignType"));
    cbSignType->setEditable(true);
    cbSignType->setInsertPolicy(QComboBox::NoInsert);
    connect(cbSignType, &QComboBox::activated, this, &TfrmSignals::SignTypePicked);
    connect(cbSignType, &QComboBox::editTextChanged, this, &TfrmSignals::ApplySignEditability);
    edtSignArea = NewEdit("edtSignArea", etFloat);
    edtSignWeight = NewEdit("edtSignWeight", etFloat);
    edtSignHanger = NewEdit("edtSignHanger", etFloat);
    edtSignTotalWeight = NewEdit("edtSignTotalWeight", etFloat);
    edtSignAreaFactor = NewEdit("edtSignAreaFactor", etFloat);
    SetReadOnlyLook(edtSignTotalWeight, true);
    SetReadOnlyLook(edtSignAreaFactor, true);
    for (TKorvelEdit *input : {edtSignArea, edtSignWeight, edtSignHanger})
        connect(input, &QLineEdit::textChanged, this, &TfrmSignals::RecomputeSignTotals);
    lblPercent = new QLabel;
    lblPercent->setObjectName(QStringLiteral("lblPercent"));
    const std::pair<const char *, QWidget *> left[] = {
        {"Type of sign:", cbSignType}, {"Sign Area (sq.ft.):", edtSignArea}, {"Weight (lbs/sq.ft):", edtSignWeight}};
    const std::pair<const char *, QWidget *> right[] = {
        {"Hanger (lbs):", edtSignHanger}, {"Total Weight (lbs):", edtSignTotalWeight}};
    for (int i = 0; i < 3; ++i) {
        form->addWidget(new QLabel(QLatin1String(left[i].first)), i + 1, 0);
        form->addWidget(left[i].second, i + 1, 1);
    }
    for (int i = 0; i < 2; ++i) {
        form->addWidget(new QLabel(QLatin1String(right[i].first)), i + 1, 2);
        form->addWidget(right[i].second, i + 1, 3);
    }
    auto *factor = new QHBoxLayout;
    factor->addWidget(new QLabel(QStringLiteral("Area Factor")));
    factor->addWidget(lblPercent);
    form->addLayout(factor, 3, 2);
    form->addWidget(edtSignAreaFactor, 3, 3);
    form->setRowStretch(4, 1);
    edtSignCode = NewEdit("edtSignCode", etAlphaNumeric, 4);
    edtSignCode->setParent(page);
    edtSignCode->hide();
    return page;
}

QWidget *TfrmSignals::BuildBottom()
{
    auto *bottom = new QWidget;
    auto *row = new QHBoxLayout(bottom);
    edtDistance = NewEdit("edtDistance", etFloat);
    auto *distance = new QLabel(QStringLiteral("Distance (ft):"));
    distance->setBuddy(edtDistance);
    row->addWidget(distance);
    row->addWidget(edtDistance);

    auto *multipliers = new QGroupBox(QStringLiteral("  Multipliers  "));
    auto *form = new QHBoxLayout(multipliers);
    edtAreaMulti = NewEdit("edtAreaMulti", etFloat, 5);
    edtLoadMulti = NewEdit("edtLoadMulti", etFloat, 5);
    for (const auto &[caption, edit] : {std::pair{"Area Factor:", edtAreaMulti}, std::pair{"Dead Load:", edtLoadMulti}}) {
        edit->SetPrecision(5);
        edit->SetScale(2);
        edit->SetNumericOutput(1);
        edit->setMaximumWidth(60);
        form->addWidget(new QLabel(QLatin1String(caption)));
        form->addWidget(edit);
    }
    row->addWidget(multipliers);
    row->addStretch();

    const std::tuple<const char *, const char *, void (TfrmSignals::*)()> buttons[] = {
        {"btnAdd", "&Add", &TfrmSignals::AddClicked},
        {"btnUpdate", "&Update", &TfrmSignals::UpdateClicked},
        {"btnRemove", "&Remove", &TfrmSignals::RemoveClicked},
    };
    for (const auto &[name, caption, handler] : buttons) {
        QPushButton *button = NewButton(name, QLatin1String(caption));
        connect(button, &QPushButton::clicked, this, handler);
        row->addWidget(button);
    }
    AddHelpAndClose(this, row);
    return bottom;
}

const TBaseWire *TfrmSignals::Span() const
{
    return FindSpan(Document.Project(), FSequence, FSpan);
}

bool TfrmSignals::OnSignsPage() const
{
    return pcSignals->currentIndex() == 1;
}

void TfrmSignals::RefreshItemList(int selectRow)
{
    std::vector<QStringList> rows;
    if (const TBaseWire *span = Span())
        for (const TBaseSignal *item : span->Signals)
            rows.push_back(ItemRow(*item));
    FillTextGrid(sgSignalList, rows);
    if (selectRow >= 0 && selectRow < int(rows.size()))
        sgSignalList->selectRow(selectRow);
    else
        sgSignalList->clearSelection();
}

void TfrmSignals::LoadItem(int row)
{
    const TBaseWire *span = Span();
    const TBaseSignal *item = span && row >= 0 ? span->Signals.FindByNumber(row + 1) : nullptr;
    if (!item)
        return;
    edtDistance->setText(General(item->Distance));
    edtAreaMulti->setText(General(item->AreaMultiplier));
    edtLoadMulti->setText(General(item->LoadMultiplier));
    if (!item->IsSignal) {
        cbSignType->setEditText(Text(item->SignalType));
        ApplySignEditability();
        edtSignCode->setText(Text(item->Code));
        SetSignFields(item->SignArea, item->Weight, item->Hanger);
        RecomputeSignTotals();
        pcSignals->setCurrentIndex(1);
        return;
    }
    // The item's own values, also for a catalogue signal: the catalogue
    // may say otherwise, and Update writes what the fields show.
    LoadSignalFields({item->Code, item->SignalType, item->Material, item->Sections, item->LensSize,
                      item->SimpleDeadLoad, item->Height, item->SimpleAreaFactor});
    pcSignals->setCurrentIndex(0);
    const TTypicalSignal *entry = CatalogueSignal(Settings.CodeList, item->Code);
    if (!entry) {
        pnSignalDetail->setCurrentWidget(pnCustom);
        return;
    }
    ShowCategory(entry->Category);
    int codeRow = 0;
    for (int r = 0; r < sgTypicalSignals->rowCount(); ++r)
        if (const QTableWidgetItem *cell = sgTypicalSignals->item(r, CodeColumn); cell && cell->text() == Text(item->Code))
            codeRow = r;
    sgTypicalSignals->selectRow(codeRow);
}

void TfrmSignals::CategoryClicked(int index)
{
    if (Filling || index < 0 || index >= int(std::size(Categories)))
        return;
    ShowCategory(Categories[index].Code);
}

void TfrmSignals::ShowCategory(const std::string &code)
{
    Settings.CodeList.CategoryFilter = code;
    int icon = -1;
    for (int i = 0; i < int(std::size(Categories)); ++i)
        if (SameText(Categories[i].Code, code))
            icon = i;
    Filling = true;
    if (icon >= 0)
        lvCategories->setCurrentRow(icon);
    else
        lvCategories->clearSelection();
    Filling = false;
    RefillTypicalGrid();
    btnCustomSignal->setVisible(SameText(code, CustomCategory));
    pnSignalDetail->setCurrentWidget(pnTypical);
}

void TfrmSignals::RefillTypicalGrid()
{
    std::vector<QStringList> rows;
    for (const auto &view : Settings.CodeList.TypicalSignals()) {
        const TTypicalSignal &entry = *view.Entry;
        rows.push_back({QString::number(entry.Sections), General(entry.LensSize), Text(entry.Material),
                        General(entry.Weight), General(entry.Height), General(entry.Area), Text(entry.Code)});
    }
    FillTextGrid(sgTypicalSignals, rows);
}

void TfrmSignals::TypicalRowClicked(int row)
{
    const QTableWidgetItem *cell = sgTypicalSignals->item(row, CodeColumn);
    if (!cell)
        return;
    if (const TTypicalSignal *entry = CatalogueSignal(Settings.CodeList, cell->text().toStdString()))
        LoadSignalFields({entry->Code, entry->Category, entry->Material, entry->Sections, entry->LensSize,
                          entry->Weight, entry->Height, entry->Area});
}

void TfrmSignals::LoadSignalFields(const TSignalFields &values)
{
    edtSignalCode->setText(Text(values.Code));
    edtSignalCategory->setText(Text(values.Category));
    edtSignalSections->SetNumericOutput(values.Sections);
    edtSignalMaterial->setText(Text(values.Material));
    edtSignalLensSize->setText(General(values.LensSize));
    edtSignalDeadLoad->setText(General(values.DeadLoad));
    edtSignalHeight->setText(General(values.Height));
    edtSignalAreaFactor->setText(General(values.AreaFactor));
}

void TfrmSignals::CustomSignalClicked()
{
    pnSignalDetail->setCurrentWidget(pnCustom);
    edtSignalCode->setText(Text(Settings.CodeList.NextCustomCode()));
    edtSignalCategory->setText(QLatin1String(CustomCategory));
}

void TfrmSignals::AddToListClicked()
{
    auto entry = std::make_unique<TTypicalSignal>();
    try {
        entry->Sections = int(edtSignalSections->NumericOutput());
        entry->LensSize = edtSignalLensSize->NumericOutput();
        entry->Weight = edtSignalDeadLoad->NumericOutput();
        entry->Height = edtSignalHeight->NumericOutput();
        entry->Area = edtSignalAreaFactor->NumericOutput();
    } catch (const EConvertError &error) {
        Ask.Tell(this, TMessageKind::Error, Text(error.what()));
        return;
    }
    // A code the catalogue already holds would hide one of the two entries.
    if (Settings.CodeList.FindByCode(edtSignalCode->text().toStdString()))
        edtSignalCode->setText(Text(Settings.CodeList.NextCustomCode()));
    entry->Code = edtSignalCode->text().toStdString();
    if (entry->Code.empty())
        return;
    entry->Category = edtSignalCategory->text().toStdString();
    entry->Material = edtSignalMaterial->text().toStdString();
    Settings.CodeList.AddCustomSignal(std::move(entry));
    RefillTypicalGrid();
    pnSignalDetail->setCurrentWidget(pnTypical);
}

void TfrmSignals::SignTypePicked(int index)
{
    ApplySignEditability();
    const auto signs = Settings.CodeList.TypicalSigns();
    if (index == 0) {
        edtSignCode->setText(Text(Settings.CodeList.NextCustomCode()));
        SetSignFields(0, 0, 0);
        edtSignTotalWeight->SetNumericOutput(0);
        edtSignAreaFactor->SetNumericOutput(0);
        return;
    }
    if (index < 1 || index > int(signs.size()))
        return;
    const TTypicalSign &sign = *signs[size_t(index - 1)].Entry;
    edtSignCode->setText(Text(sign.Code));
    SetSignFields(0, sign.Weight, sign.Hanger);
    // Until an area is typed the catalogue's factor shows.
    edtSignTotalWeight->SetNumericOutput(0);
    edtSignAreaFactor->SetNumericOutput(sign.AreaFactor);
}

void TfrmSignals::ApplySignEditability()
{
    const bool custom = cbSignType->currentText() == QLatin1String(CustomSignType);
    SetReadOnlyLook(edtSignWeight, !custom);
    SetReadOnlyLook(edtSignHanger, !custom);
}

void TfrmSignals::SetSignFields(double area, double weight, double hanger)
{
    Filling = true;
    edtSignArea->setText(General(area));
    edtSignWeight->setText(General(weight));
    edtSignHanger->setText(General(hanger));
    Filling = false;
}

void TfrmSignals::RecomputeSignTotals()
{
    if (Filling)
        return;
    double area = 0;
    double weight = 0;
    double hanger = 0;
    Filling = true; // an emptied field shows "0" at once
    try {
        area = edtSignArea->NumericOutput();
        weight = edtSignWeight->NumericOutput();
        hanger = edtSignHanger->NumericOutput();
    } catch (const EConvertError &) {
        // A number still being typed ("."): no totals until it is one.
        edtSignTotalWeight->clear();
        edtSignAreaFactor->clear();
        Filling = false;
        return;
    }
    Filling = false;
    edtSignTotalWeight->SetNumericOutput(TBaseSignal::SignTotalWeight(area, weight, hanger));
    edtSignAreaFactor->SetNumericOutput(TBaseSignal::SignAreaFactor(area, Settings.Parameters));
}

std::unique_ptr<TBaseSignal> TfrmSignals::ItemFromFields()
{
    const TBaseWire *span = Span();
    if (!span)
        return nullptr;
    auto item = std::make_unique<TBaseSignal>();
    double distance = 0;
    try {
        distance = edtDistance->NumericOutput();
        item->AreaMultiplier = Multiplier(edtAreaMulti);
        item->LoadMultiplier = Multiplier(edtLoadMulti);
        if (OnSignsPage()) {
            item->SignArea = edtSignArea->NumericOutput();
            item->Weight = edtSignWeight->NumericOutput();
            item->Hanger = edtSignHanger->NumericOutput();
        } else {
            item->Sections = int(edtSignalSections->NumericOutput());
            item->LensSize = edtSignalLensSize->NumericOutput();
            item->SimpleDeadLoad = edtSignalDeadLoad->NumericOutput();
            item->Height = edtSignalHeight->NumericOutput();
            item->SimpleAreaFactor = edtSignalAreaFactor->NumericOutput();
        }
    } catch (const EConvertError &error) {
        Ask.Tell(this, TMessageKind::Error, Text(error.what()));
        return nullptr;
    }
    const auto refuse = [this](const char *text) {
        Ask.Tell(this, TMessageKind::Error, QLatin1String(text));
        return nullptr;
    };
    if (!(distance > 0 && distance < span->Length))
        return refuse("Distance cannot be 0 or greater than the span length.");
    // The engine finds no tension with a load or area multiplied away.
    if (!(item->AreaMultiplier > 0 && item->LoadMultiplier > 0))
        return refuse("Multipliers must be greater than 0.");
    item->Distance = distance;
    if (OnSignsPage()) {
        if (!(item->SignArea > 0 && item->Weight > 0))
            return refuse("Sign Area and Weight cannot be 0.");
        item->IsSignal = false;
        item->Code = edtSignCode->text().toStdString();
        item->SignalType = cbSignType->currentText().toStdString();
        item->SimpleDeadLoad = TBaseSignal::SignTotalWeight(item->SignArea, item->Weight, item->Hanger);
        item->SimpleAreaFactor = TBaseSignal::SignAreaFactor(item->SignArea, Settings.Parameters);
        return item;
    }
    if (!(item->SimpleDeadLoad > 0 && item->SimpleAreaFactor > 0))
        return refuse("Signal Dead Load and Area Factor should be greater than 0.");
    item->IsSignal = true;
    item->Code = edtSignalCode->text().toStdString();
    item->SignalType = edtSignalCategory->text().toStdString();
    item->Material = edtSignalMaterial->text().toStdString();
    item->Weight = item->SimpleDeadLoad * item->LoadMultiplier;
    return item;
}

void TfrmSignals::EditSpan(const QString &name, const std::function<void(TBaseWire &)> &change)
{
    const int sequence = FSequence;
    const int span = FSpan;
    Document.Edit(name, TStepScope::OfSequence(sequence), [&](TWireConfigurationList &project) {
        if (TBaseWire *wire = FindSpan(project, sequence, span))
            change(*wire);
    });
}

void TfrmSignals::AddClicked()
{
    std::unique_ptr<TBaseSignal> item = ItemFromFields();
    if (!item)
        return;
    const QString name = item->IsSignal ? QStringLiteral("Add Signal") : QStringLiteral("Add Sign");
    int number = 0;
    EditSpan(name, [&](TBaseWire &span) {
        auto added = std::make_unique<TBaseSignal>();
        AssignFields(*added, *item);
        number = span.AddSignal(std::move(added))->Number;
    });
    RefreshItemList(number - 1);
}

void TfrmSignals::UpdateClicked()
{
    const int row = sgSignalList->currentRow();
    const TBaseWire *span = Span();
    if (!span || row < 0 || !span->Signals.FindByNumber(row + 1) || sgSignalList->selectedItems().isEmpty())
        return;
    std::unique_ptr<TBaseSignal> item = ItemFromFields();
    if (!item)
        return;
    int number = 0;
    EditSpan(item->IsSignal ? QStringLiteral("Update Signal") : QStringLiteral("Update Sign"), [&](TBaseWire &wire) {
        TBaseSignal *target = wire.Signals.FindByNumber(row + 1);
        AssignFields(*target, *item);
        wire.UpdateSignal(*target);
        number = target->Number;
    });
    RefreshItemList(number - 1);
}

void TfrmSignals::RemoveClicked()
{
    const int row = sgSignalList->currentRow();
    const TBaseWire *span = Span();
    if (!span || row < 0 || !span->Signals.FindByNumber(row + 1) || sgSignalList->selectedItems().isEmpty())
        return;
    EditSpan(QStringLiteral("Remove Signal"),
             [row](TBaseWire &wire) { wire.RemoveSignal(wire.Signals.FindByNumber(row + 1)); });
    const int count = Span() ? Span()->Signals.Count() : 0;
    const int shown = std::min(row, count - 1);
    RefreshItemList(shown);
    LoadItem(shown);
}

} // namespace corvadel
