#pragma once

#include <QToolButton>

// A page button of the main window's column: a tall checkable button whose
// caption wraps onto two lines.
class TPageButton : public QToolButton {
    Q_OBJECT
public:
    explicit TPageButton(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};
