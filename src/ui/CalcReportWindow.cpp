#include "CalcReportWindow.h"

#include "calc/BMLogik.h"
#include "calc/CalcReport.h"
#include "model/DeclClasses.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

QString html(const CalcReport& report) {
    QString out = QStringLiteral("<html><body>");
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
    auto* close = new QPushButton(QStringLiteral("&Закрыть"), this);
    close->setObjectName(QStringLiteral("closeReport"));
    row->addWidget(refresh);
    row->addWidget(close);
    column->addLayout(row);
    connect(refresh, &QPushButton::clicked, this, &TCalcReportWindow::refreshRequested);
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
    view_->setHtml(html(report));
    view_->verticalScrollBar()->setValue(scrolled);
}
