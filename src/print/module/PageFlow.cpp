#include "PageFlow.h"

#include <QFontDatabase>
#include <QPainter>
#include <QTextLayout>

namespace {

constexpr qreal kPageWidth = 595.276;
constexpr qreal kPageHeight = 841.89;
constexpr qreal kLeft = 45, kRight = kPageWidth - 40;
constexpr qreal kHeaderBase = 30, kHeaderRule = 38;
constexpr qreal kTop = 52, kBottom = kPageHeight - 40;
constexpr qreal kIndent = 12, kGap = 3, kCellPad = 2;
constexpr qreal kCaptionShare = 0.58;

QFont formFont(int pixels, bool bold) {
    static const QString family = [] {
        // The fonts come with the system; fall back to the file when fontconfig lacks it.
        if (!QFontDatabase::families().contains(QStringLiteral("DejaVu Sans")))
            QFontDatabase::addApplicationFont(
                QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
        return QStringLiteral("DejaVu Sans");
    }();
    QFont f(family);
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}

// Breaks text into lines of width; the lines' total height.
qreal wrap(QTextLayout& layout, qreal width) {
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    qreal y = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    return y;
}

// Most texts fit their line: measured and drawn directly, the costly line
// breaking kept for those that do not.
bool fitsOneLine(const QString& text, const QFont& font, qreal width) {
    return QFontMetricsF(font).horizontalAdvance(text) <= width;
}

qreal textHeight(const QString& text, const QFont& font, qreal width) {
    if (text.isEmpty() || fitsOneLine(text, font, width)) {
        const QFontMetricsF m(font);
        return m.ascent() + m.descent();
    }
    QTextLayout layout(text, font);
    return wrap(layout, width);
}

void drawText(QPainter& p, const QString& text, const QFont& font, const QPointF& at, qreal width) {
    if (text.isEmpty())
        return;
    if (fitsOneLine(text, font, width)) {
        p.setFont(font);
        p.drawText(QPointF(at.x(), at.y() + QFontMetricsF(font).ascent()), text);
        return;
    }
    QTextLayout layout(text, font);
    wrap(layout, width);
    layout.draw(&p, at);
}

qreal captionX(int indent) {
    return kLeft + indent * kIndent;
}
qreal valueX() {
    return kLeft + (kRight - kLeft) * kCaptionShare + kGap;
}

QString pageNumber(int page) {
    return QStringLiteral("Стр. %1").arg(page + 1, 3, 10, QLatin1Char('0'));
}

} // namespace

TFormPages::TFormPages(TForm form)
    : form_(std::move(form)), body_(formFont(9, false)), bold_(formFont(9, true)),
      title_(formFont(11, true)), header_(formFont(8, false)) {
    layOut();
    for (TFormSheet& s : form_.sheets)
        if (s.pageCountRow >= 0)
            s.rows[std::size_t(s.pageCountRow)].value =
                QStringLiteral("%1").arg(pageCount(), 3, 10, QLatin1Char('0'));
}

qreal TFormPages::rowHeight(const TFormRow& row) const {
    switch (row.kind) {
    case TFormRow::Field: {
        const qreal caption =
            textHeight(row.caption, body_, valueX() - kGap - captionX(row.indent) - kGap);
        const qreal value = textHeight(row.value, body_, kRight - valueX() - 2 * kCellPad);
        return qMax(caption, value + 2 * kCellPad) + kGap;
    }
    case TFormRow::Group:
        return textHeight(row.caption, bold_, kRight - captionX(row.indent)) + kGap + 2;
    case TFormRow::Note:
        return textHeight(row.caption, body_, kRight - captionX(row.indent)) + kGap;
    }
    return 0;
}

void TFormPages::layOut() {
    for (int s = 0; s < int(form_.sheets.size()); ++s) {
        const TFormSheet& sheet = form_.sheets[std::size_t(s)];
        const qreal titleHeight = textHeight(sheet.title, title_, kRight - kLeft) + 10;
        pages_.push_back({s, false, {}});
        qreal y = kTop + titleHeight;
        for (int r = 0; r < int(sheet.rows.size()); ++r) {
            const qreal h = rowHeight(sheet.rows[std::size_t(r)]);
            // A row that cannot fit an empty page is still placed whole on one.
            if (y + h > kBottom && !pages_.back().rows.empty()) {
                pages_.push_back({s, true, {}});
                y = kTop +
                    textHeight(sheet.title + QStringLiteral(" (продолжение)"), title_,
                               kRight - kLeft) +
                    10;
            }
            pages_.back().rows.push_back({r, y, h});
            y += h;
        }
    }
}

void TFormPages::paintPage(QPainter& p, int index) const {
    if (index < 0 || index >= pageCount())
        return;
    const Page& page = pages_[std::size_t(index)];
    const TFormSheet& sheet = form_.sheets[std::size_t(page.sheet)];
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRectF(0, 0, kPageWidth, kPageHeight), Qt::white);
    p.setPen(Qt::black);

    // Header: INN, surname and initials, page number.
    p.setFont(header_);
    const QFontMetricsF hm(header_);
    p.drawText(QPointF(kLeft, kHeaderBase),
               QStringLiteral("ИНН ") +
                   (form_.inn.isEmpty() ? QStringLiteral("------------") : form_.inn));
    p.drawText(
        QPointF((kLeft + kRight) / 2 - hm.horizontalAdvance(form_.initials) / 2, kHeaderBase),
        form_.initials);
    const QString number = pageNumber(index);
    p.drawText(QPointF(kRight - hm.horizontalAdvance(number), kHeaderBase), number);
    p.drawLine(QPointF(kLeft, kHeaderRule), QPointF(kRight, kHeaderRule));

    drawText(p, page.continued ? sheet.title + QStringLiteral(" (продолжение)") : sheet.title,
             title_, QPointF(kLeft, kTop), kRight - kLeft);

    QPen cell(QColor(90, 90, 90));
    cell.setWidthF(0.5);
    for (const Placed& placed : page.rows) {
        const TFormRow& row = sheet.rows[std::size_t(placed.row)];
        const qreal x = captionX(row.indent);
        switch (row.kind) {
        case TFormRow::Field: {
            drawText(p, row.caption, body_, QPointF(x, placed.y + kCellPad),
                     valueX() - kGap - x - kGap);
            const QRectF box(valueX(), placed.y, kRight - valueX(), placed.height - kGap);
            p.setPen(cell);
            p.drawRect(box);
            p.setPen(Qt::black);
            drawText(p, row.value, body_, QPointF(valueX() + kCellPad, placed.y + kCellPad),
                     kRight - valueX() - 2 * kCellPad);
            break;
        }
        case TFormRow::Group:
            drawText(p, row.caption, bold_, QPointF(x, placed.y + 2), kRight - x);
            break;
        case TFormRow::Note:
            drawText(p, row.caption, body_, QPointF(x, placed.y), kRight - x);
            break;
        }
    }
}
