#include "Insight.h"

#include "CalcReportWindow.h"
#include "FindingsPanel.h"
#include "Main.h"
#include "calc/BMLogik.h"
#include "calc/CalcReport.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>
#include <exception>

TInsight::TInsight(TFormMain& window, QMenu& menu)
    : QObject(&window), window_(window), pause_(new QTimer(this)), resultLine_(new QLabel(&window)),
      panel_(new TFindingsPanel(&window)) {
    pause_->setSingleShot(true);
    pause_->setInterval(kPauseMs);
    connect(pause_, &QTimer::timeout, this, &TInsight::refresh);
    connect(&window, &TFormMain::declarationTouched, this, &TInsight::touched);

    resultLine_->setObjectName(QStringLiteral("resultLine"));
    resultLine_->setAccessibleName(QStringLiteral("Итог расчета"));
    resultLine_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    window.statusBar()->addPermanentWidget(resultLine_);

    panel_->hide();
    window.addDockWidget(Qt::BottomDockWidgetArea, panel_);
    connect(panel_, &TFindingsPanel::refreshRequested, this, &TInsight::refresh);
    connect(panel_, &TFindingsPanel::findingChosen, this, &TInsight::openFinding);

    acFindings = new QAction(QStringLiteral("Все замечания"), &window);
    acFindings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    connect(acFindings, &QAction::triggered, this, &TInsight::showFindings);
    acCalcReport = new QAction(QStringLiteral("Расчет налога"), &window);
    connect(acCalcReport, &QAction::triggered, this, &TInsight::showCalcReport);
    menu.addSeparator();
    menu.addAction(acFindings);
    menu.addAction(acCalcReport);
    // The first figures once the window has its declaration.
    pause_->start();
}

bool TInsight::pending() const {
    return pause_->isActive();
}

void TInsight::touched() {
    if (!storing_)
        pause_->start();
}

bool TInsight::storePage() {
    if (window_.pageBuilding() || QApplication::activeModalWidget())
        return false;
    if (TThinkingFrame* page = window_.currentPage()) {
        // A page may report its own store as a change; that is no new edit.
        storing_ = true;
        page->StoreToModel();
        storing_ = false;
    }
    return true;
}

void TInsight::refresh() {
    pause_->stop();
    if (!storePage()) {
        // A dialog is open: its edits reach the model when it closes.
        pause_->start();
        return;
    }
    const mTDeclaration& d = window_.declaration();
    // Nothing may leave a timer's slot: a failure shows in the line instead.
    try {
        kTSvodSum sum;
        sum.Calculate(d);
        resultLine_->setText(ResultLineText(d, sum));
        if (panel_->isVisible())
            panel_->fill(d);
        if (report_ && report_->isVisible())
            report_->fill(d, sum);
    } catch (const std::exception&) {
        resultLine_->setText(QStringLiteral("Ошибка в рассчетах"));
    }
}

void TInsight::showFindings() {
    panel_->setVisible(true);
    panel_->raise();
    refresh();
    panel_->focusList();
}

void TInsight::showCalcReport() {
    if (!report_) {
        report_ = new TCalcReportWindow(&window_);
        connect(report_, &TCalcReportWindow::refreshRequested, this, &TInsight::refresh);
    }
    report_->QWidget::show();
    report_->raise();
    report_->activateWindow();
    refresh();
}

void TInsight::openFinding(const CheckResult& finding) {
    // "Исправить" stores the page before it leaves it.
    if (!storePage())
        return;
    window_.showCheckFinding(finding.targetPage, finding.targetField);
}
