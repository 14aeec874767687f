// The results of a calculated project, sequence by sequence and per SAG case.
#pragma once

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabBar;
class QTabWidget;
class QWidget;

namespace corvadel {

class TGlobalSetting;
class TKorvelEdit;
class TLoadedProfileWidget;
class TResultGrid;
class TSagStudyWidget;
class TWireConfiguration;
class TWireConfigurationList;
class TWireConfigurationResult;

// Shows a window modally; tests look at it instead of waiting for a person.
using TShowModal = std::function<void(QDialog &)>;
void ExecModal(QDialog &dialog);

class TfrmDisplayResult : public QDialog {
    Q_OBJECT
public:
    // Opens on sequence `showSequence`, or the first when there is none of that number.
    TfrmDisplayResult(const TWireConfigurationList &project, const TGlobalSetting &settings, int showSequence = 0,
                      QWidget *parent = nullptr);

    // Fills the window again from the project as it is now, on sequence
    // `showSequence` (or the first), its values page in front.
    void ShowProject(int showSequence);
    const TWireConfigurationList &ShownProject() const { return Project; }
    const TGlobalSetting &ShownSettings() const { return Settings; }

    // How the combination and warp windows are shown.
    TShowModal ShowModal = ExecModal;

    const TWireConfiguration *ShownSequence() const { return FSequence; }
    const TWireConfigurationResult *ShownResult() const { return FResult; }

private:
    void BuildLayout();
    void SequenceChanged(int index);
    void LayoutGrids();
    void TabChanged(int index);
    void ShowSummary();
    void ShowSpanValues();
    void ShowPoleValues();
    void ShowSignalHeights();
    void ShowProfile();
    void ShowWarnings();
    void ShowStudy();
    QWidget *BuildValuesPage();
    QWidget *BuildProfilePage();
    void OpenCombinations();
    void OpenWarp();

    const TWireConfigurationList &Project;
    const TGlobalSetting &Settings;
    const TWireConfiguration *FSequence = nullptr;
    const TWireConfigurationResult *FResult = nullptr;
    QComboBox *cbSequenceList = nullptr;
    QPushButton *btnWarpResult = nullptr;
    QPushButton *btnCombinations = nullptr;
    QTabBar *tbSAG = nullptr;
    TKorvelEdit *edtDesignFactor = nullptr;
    QLabel *lblWarning = nullptr;
    TResultGrid *sgSpanResults = nullptr;
    TKorvelEdit *edtMaxWireLoad = nullptr;
    TKorvelEdit *edtHLDistance = nullptr;
    TResultGrid *sgPoleResults = nullptr;
    QLabel *lblWireCheck = nullptr;
    QWidget *pnlSignalHeight = nullptr;
    TResultGrid *sgSignalResults = nullptr;
    QTabWidget *pcResultPages = nullptr;
    QComboBox *cbSpanList = nullptr;
    TLoadedProfileWidget *pbLoadedProfile = nullptr;
    TSagStudyWidget *pbSagStudy = nullptr;
    int StudiedSequence = 0; // whose study the page holds
    QPlainTextEdit *memPlausibility = nullptr;
    QLabel *Panels[4] = {};
};

} // namespace corvadel
