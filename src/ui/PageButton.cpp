#include "PageButton.h"

#include <QStyleOptionToolButton>
#include <QStylePainter>

TPageButton::TPageButton(QWidget* parent) : QToolButton(parent) {
    setCheckable(true);
    setAutoRaise(false);
    setFocusPolicy(Qt::NoFocus);
}

void TPageButton::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionToolButton opt;
    initStyleOption(&opt);
    const QString caption = opt.text;
    opt.text.clear();
    p.drawComplexControl(QStyle::CC_ToolButton, opt);
    QFont f = font();
    f.setBold(isChecked());
    p.setFont(f);
    p.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawText(rect().adjusted(6, 4, -6, -4), Qt::AlignCenter | Qt::TextWordWrap, caption);
}
