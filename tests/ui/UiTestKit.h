#pragma once

// Helpers of the window tests: typing any character, pasting.

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

namespace UiTestKit {

// QTest::keyClicks only types Latin-1; Cyrillic keys go through here.
inline void typeText(QWidget* w, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(w, c.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key(c.toUpper().unicode()), QString(c),
                                Qt::NoModifier);
        }
    }
}

inline void paste(QLineEdit* w, const QString& text) {
    QApplication::clipboard()->setText(text);
    w->paste();
}

} // namespace UiTestKit
