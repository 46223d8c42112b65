#pragma once

// Small builders shared by the deduction sub-pages and their dialogs.

#include "ui/MaskedEdit.h"

#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QToolButton>

namespace DeductKit {

inline TMaskedEdit* edit(QWidget* parent, const char* name, TEditTypeControlEnum type, int whole,
                         int fraction = 0) {
    auto* e = new TMaskedEdit(type, whole, fraction, parent);
    e->setObjectName(QString::fromLatin1(name));
    return e;
}

// Money 12 + 2, the size of every amount of the social sub-page and its dialogs.
inline TMaskedEdit* money(QWidget* parent, const char* name, int whole = 12) {
    return edit(parent, name, edtCurrency, whole, 2);
}

// A caption that names its field for a screen reader and gives it an Alt key.
inline QLabel* caption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setBuddy(buddy);
    // Lists and dates do not all take their name from the buddy label.
    QString spoken = text;
    spoken.remove(QLatin1Char('&'));
    buddy->setAccessibleName(spoken.simplified());
    return l;
}

inline QPushButton* button(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

// A list button: text with its Alt key, the longer hint as tooltip and name.
inline QToolButton* listButton(QWidget* parent, const char* name, const QString& text,
                               const QString& hint) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(text);
    b->setToolTip(hint);
    b->setAccessibleDescription(hint);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
}

// An integer field; 0 when empty or not a number.
inline int intOf(const TMaskedEdit* e) {
    return e->text().trimmed().toInt();
}

} // namespace DeductKit
