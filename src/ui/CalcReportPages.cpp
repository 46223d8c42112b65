#include "CalcReportPages.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>

namespace {

// A4 in points, with margins of 2 cm at the sides and 1.5 cm above and below.
constexpr qreal kWidth = 595.0;
constexpr qreal kHeight = 842.0;
constexpr qreal kSide = 57.0;
constexpr qreal kTop = 42.5;

} // namespace

TCalcReportPages::TCalcReportPages(const QString& html) {
    // The painter counts in points; a pixel size keeps the text at 9 of them
    // whatever the screen's resolution the layout was made for.
    QFont font = document_.defaultFont();
    font.setPixelSize(9);
    document_.setDefaultFont(font);
    document_.setHtml(html);
    document_.setPageSize(QSizeF(kWidth - 2 * kSide, kHeight - 2 * kTop));
}

int TCalcReportPages::pageCount() const {
    return document_.pageCount();
}

void TCalcReportPages::paintPage(QPainter& painter, int page) const {
    const QSizeF size = document_.pageSize();
    painter.save();
    painter.translate(kSide, kTop - page * size.height());
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, page * size.height(), size.width(), size.height());
    painter.setClipRect(context.clip);
    document_.documentLayout()->draw(&painter, context);
    painter.restore();
}
