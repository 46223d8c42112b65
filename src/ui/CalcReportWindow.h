#pragma once

#include <QWidget>

class QTextBrowser;
class kTSvodSum;
class mTDeclaration;

// "Расчет налога": how each figure of the declaration was computed, as the
// calculation report gives it, in a window beside the main one. Esc closes it.
class TCalcReportWindow : public QWidget {
    Q_OBJECT
public:
    explicit TCalcReportWindow(QWidget* parent);

    void fill(const mTDeclaration& d, const kTSvodSum& sum);
    QTextBrowser* view() const { return view_; }
    // The report as the window shows it, as plain text.
    QString text() const { return text_; }
    // "Печать": the report in the print preview, which prints and saves PDF.
    void printReport();

signals:
    void refreshRequested();

private:
    QTextBrowser* view_;
    QString text_;
    QString html_;
};
