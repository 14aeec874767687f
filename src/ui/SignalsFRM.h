// The signals and signs hung on one span: the span's items, typical and
// custom signals by category, signs by type, and Add, Update and Remove,
// each one undoable step of the project.
#pragma once

#include <QDialog>

#include <functional>
#include <memory>
#include <string>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QTabWidget;
class QTableWidget;

namespace corvadel {

class TAsk;
class TBaseSignal;
class TBaseWire;
class TGlobalSetting;
class TKorvelEdit;
class TProjectDocument;
class TWireConfigurationList;

class TfrmSignals : public QDialog {
    Q_OBJECT
public:
    // Edits span `span` of sequence `sequence`; the catalogue of `settings`
    // is the one the signals and sign types come from.
    TfrmSignals(TProjectDocument &document, TGlobalSetting &settings, TAsk &ask, int sequence, int span,
                QWidget *parent = nullptr);

private:
    QWidget *BuildSignalsPage();
    QWidget *BuildTypicalPane();
    QWidget *BuildCustomPane();
    QWidget *BuildSignsPage();
    QWidget *BuildBottom();

    const TBaseWire *Span() const;
    void RefreshItemList(int selectRow);
    // Loads the item of row `row` (0-based) into the fields.
    void LoadItem(int row);
    void CategoryClicked(int index);
    void ShowCategory(const std::string &code);
    void RefillTypicalGrid();
    void TypicalRowClicked(int row);
    // What the fields shared by both signal panes show.
    struct TSignalFields {
        std::string Code;
        std::string Category;
        std::string Material;
        int Sections;
        double LensSize;
        double DeadLoad;
        double Height;
        double AreaFactor;
    };
    void LoadSignalFields(const TSignalFields &values);
    void CustomSignalClicked();
    void AddToListClicked();
    void SignTypePicked(int index);
    void ApplySignEditability();
    void RecomputeSignTotals();
    void SetSignFields(double area, double weight, double hanger);

    // The item the fields describe, every field converted and checked
    // before anything changes; nothing after telling the user why.
    std::unique_ptr<TBaseSignal> ItemFromFields();
    void AddClicked();
    void UpdateClicked();
    void RemoveClicked();
    // One undoable step on the dialog's span.
    void EditSpan(const QString &name, const std::function<void(TBaseWire &)> &change);
    bool OnSignsPage() const;

    TProjectDocument &Document;
    TGlobalSetting &Settings;
    TAsk &Ask;
    const int FSequence;
    const int FSpan;
    bool Filling = false; // fields set by the program, not typed

    QTableWidget *sgSignalList = nullptr;
    QTabWidget *pcSignals = nullptr;
    QListWidget *lvCategories = nullptr;
    QPushButton *btnCustomSignal = nullptr;
    QStackedWidget *pnSignalDetail = nullptr;
    QTableWidget *sgTypicalSignals = nullptr;
    QWidget *pnTypical = nullptr;
    QWidget *pnCustom = nullptr;
    TKorvelEdit *edtSignalSections = nullptr;
    TKorvelEdit *edtSignalLensSize = nullptr;
    TKorvelEdit *edtSignalMaterial = nullptr;
    TKorvelEdit *edtSignalDeadLoad = nullptr;
    TKorvelEdit *edtSignalHeight = nullptr;
    TKorvelEdit *edtSignalAreaFactor = nullptr;
    TKorvelEdit *edtSignalCode = nullptr;
    TKorvelEdit *edtSignalCategory = nullptr;
    QComboBox *cbSignType = nullptr;
    TKorvelEdit *edtSignArea = nullptr;
    TKorvelEdit *edtSignWeight = nullptr;
    TKorvelEdit *edtSignHanger = nullptr;
    TKorvelEdit *edtSignTotalWeight = nullptr;
    QLabel *lblPercent = nullptr;
    TKorvelEdit *edtSignAreaFactor = nullptr;
    TKorvelEdit *edtSignCode = nullptr;
    TKorvelEdit *edtDistance = nullptr;
    TKorvelEdit *edtAreaMulti = nullptr;
    TKorvelEdit *edtLoadMulti = nullptr;
};

} // namespace corvadel
