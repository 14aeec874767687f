// Every window names its help topic by a context number. A dialog's Help
// button, and F1 anywhere, ask the one help service for the topic of the
// window they are in.
#pragma once

#include <functional>

class QWidget;

namespace corvadel {

enum THelpContext : int {
    hcContents = 0,
    hcMain = 100,
    hcSignals = 110,
    hcWires = 120,
    hcAbout = 130,
    hcCombinations = 140,
    hcResult = 160,
    hcCombinationResult = 170,
    hcParameters = 180,
    hcErrors = 190,
    hcAutomaticCalculation = 200,
    hcProjectDetail = 210,
    hcWarpResult = 220,
};

void SetHelpContext(QWidget *window, int context);
// The context of the nearest window up the parents that has one; hcContents
// when none has.
int HelpContextOf(const QWidget *widget);

using THelpService = std::function<void(QWidget *from, int context)>;
// Without a service (tests, before start-up) help requests do nothing.
void SetHelpService(THelpService service);
void ShowHelp(QWidget *from, int context);
void RequestHelp(QWidget *from);

} // namespace corvadel
