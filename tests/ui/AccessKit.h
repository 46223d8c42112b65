#pragma once

// What a screen reader hears: the accessible names of a page's or dialog's
// fields, read through the accessibility interface as assistive technology does.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStringList>
#include <QTextEdit>
#include <QWidget>

namespace AccessKit {

inline QString accessibleName(QWidget* w) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// A caption as a reader says it: without the mnemonic's ampersand and a closing colon.
inline QString spoken(QString caption) {
    caption.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    caption.replace(QStringLiteral("&&"), QStringLiteral("&"));
    caption = caption.simplified();
    while (caption.endsWith(QLatin1Char(':')))
        caption.chop(1);
    return caption.trimmed();
}

inline bool isInputField(QWidget* w) {
    // Parts of a compound field (a spin box's or combo box's own editor, a list's
    // header, a line edit's clear button) are not fields.
    QWidget* parent = w->parentWidget();
    if (parent && (qobject_cast<QAbstractSpinBox*>(parent) || qobject_cast<QComboBox*>(parent) ||
                   qobject_cast<QAbstractItemView*>(parent) || qobject_cast<QLineEdit*>(parent)))
        return false;
    return qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
           qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w) ||
           qobject_cast<QTextEdit*>(w) || qobject_cast<QAbstractButton*>(w);
}

// Whether assistive technology finds the label as the field's caption through
// the labelled-by relation (how Linux readers name a combo box, whose own name
// is its current text there).
inline bool labelledBy(QWidget* w, QLabel* label) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    if (!iface)
        return false;
    const auto relations = iface->relations(QAccessible::Label);
    for (const auto& r : relations)
        if (r.first && r.first->object() == label)
            return true;
    return false;
}

inline QString describe(QWidget* w) {
    return QStringLiteral("%1 \"%2\"")
        .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName());
}

// Every field shown under root that a reader would name wrongly: a field with a
// caption label not named by that caption, a field with no name at all, one
// named only after the group box around it, or a button named other than by its
// text without a name of its own. Empty when every field is named.
inline QStringList namingFaults(QWidget* root) {
    QStringList faults;
    QHash<QWidget*, QString> captions;
    QHash<QWidget*, QLabel*> captionLabels;
    for (QLabel* label : root->findChildren<QLabel*>()) {
        if (label->buddy() && !label->text().isEmpty()) {
            captions.insert(label->buddy(), spoken(label->text()));
            captionLabels.insert(label->buddy(), label);
        }
    }
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!isInputField(w) || !w->isVisibleTo(root))
            continue;
        const QString name = accessibleName(w).trimmed();
        if (captions.contains(w)) {
            // A reader says the caption's closing colon or not; either names the field.
            const bool related =
                qobject_cast<QComboBox*>(w) && labelledBy(w, captionLabels.value(w));
            if (spoken(name) != captions.value(w) && !related)
                faults << QStringLiteral("%1: named \"%2\", caption \"%3\"")
                              .arg(describe(w), name, captions.value(w));
            continue;
        }
        if (name.isEmpty()) {
            faults << QStringLiteral("%1: no name").arg(describe(w));
            continue;
        }
        if (!w->accessibleName().isEmpty())
            continue;
        if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            if (spoken(name) != spoken(button->text()))
                faults << QStringLiteral("%1: named \"%2\", text \"%3\"")
                              .arg(describe(w), name, button->text());
            continue;
        }
        for (QWidget* p = w->parentWidget(); p && p != root->parentWidget();
             p = p->parentWidget()) {
            auto* box = qobject_cast<QGroupBox*>(p);
            if (box && name == spoken(box->title())) {
                faults << QStringLiteral("%1: named after its group \"%2\"").arg(describe(w), name);
                break;
            }
        }
    }
    return faults;
}

} // namespace AccessKit
