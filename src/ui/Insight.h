#pragma once

#include <QObject>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QTimer;
class TCalcReportWindow;
class TFindingsPanel;
class TFormMain;
struct CheckResult;

// What the main window shows besides the page while the user fills it in: the
// result line in the status bar, the panel of every finding ("Замечания") and
// the calculation report ("Расчет налога"). All of them follow the declaration
// as it stands: every notice that it was touched restarts one short timer, and
// only when the user pauses are the page stored and the figures formed again,
// so that typing never waits on them.
class TInsight : public QObject {
    Q_OBJECT
public:
    // Adds its two commands to menu (the "Декларация" menu).
    TInsight(TFormMain& window, QMenu& menu);

    // How long the user must pause before the figures follow.
    static constexpr int kPauseMs = 300;

    QLabel* resultLine() const { return resultLine_; }
    TFindingsPanel* findingsPanel() const { return panel_; }
    // Made on first use.
    TCalcReportWindow* reportWindow() const { return report_; }
    QAction* acFindings;   // "Все замечания", Ctrl+E
    QAction* acCalcReport; // "Расчет налога"

    // Stores the page and forms the result line (and the open panel and
    // report) now, without waiting for the pause.
    void refresh();
    // Whether a refresh waits for the pause.
    bool pending() const;

    void showFindings();
    void showCalcReport();
    // Opens the page and field of a finding, as "Исправить" does.
    void openFinding(const CheckResult& finding);

private:
    void touched();
    // Copies the page's fields into the model when the page is at rest (not
    // being built, no dialog open); false when it could not.
    bool storePage();

    TFormMain& window_;
    QTimer* pause_;
    QLabel* resultLine_;
    TFindingsPanel* panel_;
    TCalcReportWindow* report_ = nullptr;
    bool storing_ = false;
};
