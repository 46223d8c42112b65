#include "CalcReportWindow.h"

#include "CalcReportPages.h"
#include "Dialogs.h"
#include "calc/BMLogik.h"
#include "calc/CalcReport.h"
#include "model/DeclClasses.h"
#include "print/PrintPreview.h"

#include <QDir>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

QString html(const mTDeclaration& d, const CalcReport& report) {
    const mTPersonInformation& p = d.person;
    const QString who = QStringList{p.surname, p.firstName, p.patronymic}.join(QLatin1Char(' '));
    QString out = QStringLiteral("<html><body><h2>Расчет налога</h2>");
    if (!who.trimmed().isEmpty())
        out += QStringLiteral("<p>") + who.simplified().toHtmlEscaped() + QStringLiteral("</p>");
    for (const ReportPart& part : report.parts) {
        out += QStringLiteral("<h3>") + part.title.toHtmlEscaped() + QStringLiteral("</h3>");
        out += QStringLiteral("<table cellspacing=\"0\" cellpadding=\"2\" width=\"100%\">");
        for (const ReportValue& v : part.values) {
            out += QStringLiteral("<tr><td>%1</td><td align=\"right\"><b>%2</b></td></tr>")
                       .arg(v.caption.toHtmlEscaped(), GroupedRoubles(v.amount));
            bool first = true;
            for (const ReportTerm& t : v.terms) {
                if (t.amount.isZero())
                    continue;
                const QString sign = t.subtracted ? QStringLiteral("−")
                                     : first      ? QString()
                                                  : QStringLiteral("+");
                out += QStringLiteral("<tr><td style=\"padding-left:24px; color:#555\">%1 %2</td>"
                                      "<td align=\"right\" style=\"color:#555\">%3</td></tr>")
                           .arg(sign, t.caption.toHtmlEscaped(), GroupedRoubles(t.amount));
                first = false;
            }
        }
        out += QStringLiteral("</table>");
    }
    if (report.parts.empty())
        out += QStringLiteral("<p>Для декларации 4-НДФЛ налог не исчисляется.</p>");
    return out + QStringLiteral("</body></html>");
}

} // namespace

TCalcReportWindow::TCalcReportWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), view_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("calcReportWindow"));
    setWindowTitle(QStringLiteral("Расчет налога"));
    resize(720, 640);
    view_->setObjectName(QStringLiteral("calcReport"));
    view_->setAccessibleName(QStringLiteral("Расчет налога"));
    view_->setOpenLinks(false);
    auto* column = new QVBoxLayout(this);
    column->addWidget(view_, 1);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* refresh = new QPushButton(QStringLiteral("&Обновить"), this);
    refresh->setObjectName(QStringLiteral("refreshReport"));
    auto* print = new QPushButton(QStringLiteral("&Печать..."), this);
    print->setObjectName(QStringLiteral("printReport"));
    auto* close = new QPushButton(QStringLiteral("&Закрыть"), this);
    close->setObjectName(QStringLiteral("closeReport"));
    row->addWidget(refresh);
    row->addWidget(print);
    row->addWidget(close);
    column->addLayout(row);
    connect(refresh, &QPushButton::clicked, this, &TCalcReportWindow::refreshRequested);
    connect(print, &QPushButton::clicked, this, &TCalcReportWindow::printReport);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(esc, &QShortcut::activated, this, &QWidget::close);
    view_->setFocus();
}

void TCalcReportWindow::fill(const mTDeclaration& d, const kTSvodSum& sum) {
    const CalcReport report = BuildCalcReport(d, sum);
    text_ = CalcReportText(report);
    // Keep the reader's place when the figures follow an edit.
    const int scrolled = view_->verticalScrollBar()->value();
    html_ = html(d, report);
    view_->setHtml(html_);
    view_->verticalScrollBar()->setValue(scrolled);
}

void TCalcReportWindow::printReport() {
    emit refreshRequested(); // the figures as they stand now
    const TCalcReportPages pages(html_);
    TPrintPreview preview(pages, windowTitle(), this);
    preview.askPdfName = [](QWidget* parent) {
        return Dialogs().saveFileName(parent, DocumentsFolder(), QStringLiteral("PDF (*.pdf)"),
                                      QStringLiteral("pdf"));
    };
    preview.showError = [&preview](const QString& text) {
        ShowMessage(&preview, text, QMessageBox::Critical);
    };
    Dialogs().exec(preview);
}
