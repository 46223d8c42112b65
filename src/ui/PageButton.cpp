#include "PageButton.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QRegularExpression>
#include <QStyleOptionToolButton>
#include <QStylePainter>

namespace {

// A checkable button's own accessible toggle would check it without the click
// that opens the page, leaving the button pressed over another page.
class ClickOnlyAccessible : public QAccessibleWidget {
public:
    explicit ClickOnlyAccessible(QAbstractButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && button()->accessibleName().isEmpty()) {
            QString caption = button()->text();
            caption.remove(QRegularExpression(QStringLiteral("&(?!&)")));
            return caption.replace(QStringLiteral("&&"), QStringLiteral("&"));
        }
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = button()->isChecked();
        s.pressed = button()->isDown();
        return s;
    }
    QStringList actionNames() const override {
        QStringList names;
        if (button()->isEnabled())
            names << pressAction() << toggleAction();
        return names + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == pressAction() || action == toggleAction()) {
            if (button()->isEnabled() && button()->isVisible())
                button()->click();
            return;
        }
        QAccessibleWidget::doAction(action);
    }

private:
    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }
};

QAccessibleInterface* clickOnlyFactory(const QString& key, QObject* object) {
    if ((key == QLatin1String("TPageButton") || key == QLatin1String("TSubPageButton")) && object &&
        object->isWidgetType())
        return new ClickOnlyAccessible(static_cast<QAbstractButton*>(object));
    return nullptr;
}

void installClickOnly() {
    static const bool installed = [] {
        QAccessible::installFactory(clickOnlyFactory);
        return true;
    }();
    (void)installed;
}

} // namespace

TPageButton::TPageButton(QWidget* parent) : QToolButton(parent) {
    installClickOnly();
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
    const QRect area = CaptionArea();
    p.setFont(CaptionFont(font(), isChecked(), area, caption));
    p.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawText(area, kCaptionFlags, caption);
}

QFont TPageButton::CaptionFont(QFont font, bool bold, const QRect& area, const QString& caption) {
    font.setBold(bold);
    const qreal smallest = font.pointSizeF() * 0.7;
    auto fits = [&] {
        return QFontMetrics(font).boundingRect(area, kCaptionFlags, caption).width() <=
               area.width();
    };
    while (font.pointSizeF() > smallest && !fits())
        font.setPointSizeF(font.pointSizeF() - 0.5);
    return font;
}

TSubPageButton::TSubPageButton(QWidget* parent) : QToolButton(parent) {
    installClickOnly();
    setCheckable(true);
}
