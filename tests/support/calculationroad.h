#pragma once
// The road of one calculation through the real window, one driver for every test that walks it:
//
//   Loads        arms, span, point loads (typed, or picked from the tables)
//   MidSpan      "Command1", "Command2": G and Gг at mid-span
//   ThirdPoints  "Command3", "Command5", "Command4", "Command6": left and right third points
//   Governing    Text21, Text22: the governing values (typed, or taken by a click)
//   Crossbeam    "Выбор ригеля" (Command14) opens the crossbeam panel
//   CrossbeamInputs  gр, gрг, Pp, Lр, Vm
//   Mfs          "Мфс >0" (Command21)
//   Moments      the six moment buttons
//   Compare      "Сравнить" (Command16): the allowable moments of a grade
//
// The buttons are the road's own; the inputs are the test's, as User::run steps. A test walks the
// road to a stage, checks what the window shows, and walks on.

#include <QList>
#include <QStringList>

#include "tests/support/user.h"

namespace vardo::testing {

struct RoadInputs {
    QStringList loads;
    QStringList governing;
    QStringList crossbeamInputs;
};

class CalculationRoad {
  public:
    enum Stage {
        Loads,
        MidSpan,
        ThirdPoints,
        Governing,
        Crossbeam,
        CrossbeamInputs,
        Mfs,
        Moments,
        Compare
    };

    static QStringList momentButtons() {
        return {QStringLiteral("Command7"),  QStringLiteral("Command8"),
                QStringLiteral("Command9"),  QStringLiteral("Command11"),
                QStringLiteral("Command12"), QStringLiteral("Command13")};
    }

    // The worked example of the design moments, typed. Loads chosen so that G = 4200 and
    // Gг = 1350,5 at mid-span (one point with a left arm 42, one with a right arm 1, l = 1):
    // F1 = 69 + 131 = 200, F2 = -131 + 131 = 0; with ice F1 = 133 - 69 = 64,
    // F2 = -118 + 131 = 13. The governing values are typed over: 3900 and 1200,5. The crossbeam:
    // gр 55, gрг 21,5, Pp 0,35 typed into their table panels, Lр 18, Vm 25.
    static RoadInputs workedExample() {
        return {
            {QStringLiteral("txtProlet=1"), QStringLiteral("txtL1=42"), QStringLiteral("txtP2=1"),
             QStringLiteral("txtG1=69"), QStringLiteral("txtG2=-131"), QStringLiteral("Option12"),
             QStringLiteral("txtGg1=133"), QStringLiteral("txtGg2=-118")},
            {QStringLiteral("Text21=3900"), QStringLiteral("Text22=1200,5")},
            {QStringLiteral("Option13"), QStringLiteral("txtGp=55"), QStringLiteral("Option14"),
             QStringLiteral("txtGpg=21,5"), QStringLiteral("Option15"),
             QStringLiteral("txtPp=0,35"), QStringLiteral("txtLp=18"), QStringLiteral("txtVm=25")}};
    }

    CalculationRoad(User& user, RoadInputs inputs) : user_(user), inputs_(std::move(inputs)) {}

    // Walks the stages after the last one walked, up to and including `last`; false, with the
    // reason logged, at the first step the user could not take.
    bool to(Stage last) {
        for (; next_ <= last; ++next_)
            if (!user_.run(steps(Stage(next_)))) return false;
        return true;
    }

  private:
    QStringList steps(Stage stage) const {
        switch (stage) {
            case Loads:
                return inputs_.loads;
            case MidSpan:
                return {QStringLiteral("Command1"), QStringLiteral("Command2")};
            case ThirdPoints:
                return {QStringLiteral("Command3"), QStringLiteral("Command5"),
                        QStringLiteral("Command4"), QStringLiteral("Command6")};
            case Governing:
                return inputs_.governing;
            case Crossbeam:
                return {QStringLiteral("Command14")};
            case CrossbeamInputs:
                return inputs_.crossbeamInputs;
            case Mfs:
                return {QStringLiteral("Command21")};
            case Moments:
                return momentButtons();
            case Compare:
                return {QStringLiteral("Command16")};
        }
        return {};
    }

    User& user_;
    RoadInputs inputs_;
    int next_ = Loads;
};

}  // namespace vardo::testing
