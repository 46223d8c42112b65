#pragma once

#include <QToolButton>

// A page button of the main window's column: a tall checkable button whose
// caption wraps onto two lines. Through the accessibility interface both its
// press and its toggle act as a click, so the page's own check decides.
class TPageButton : public QToolButton {
    Q_OBJECT
public:
    explicit TPageButton(QWidget* parent);

    // The caption's font: bold for the open page, made smaller where a word
    // would not fit the area (the column is narrow and bold is wider).
    static QFont CaptionFont(QFont font, bool bold, const QRect& area, const QString& caption);
    static constexpr int kCaptionFlags = Qt::AlignCenter | Qt::TextWordWrap;
    QRect CaptionArea() const { return rect().adjusted(6, 4, -6, -4); }

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A sub-page button in the bar of a page with sub-pages: checkable, and acting
// through the accessibility interface exactly as a click, like a page button.
class TSubPageButton : public QToolButton {
    Q_OBJECT
public:
    explicit TSubPageButton(QWidget* parent);
};
