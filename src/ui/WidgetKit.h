#pragma once

// The small widget makers that every input page uses alike.

#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QTreeWidget>
#include <initializer_list>
#include <tuple>
#include <utility>

namespace WidgetKit {

// A caption that is its field's buddy: the Alt key goes to the field and a
// screen reader names the field by it.
inline QLabel* caption(QWidget* parent, const QString& text, QWidget* buddy) {
    auto* l = new QLabel(text, parent);
    l->setBuddy(buddy);
    return l;
}

inline QPushButton* button(QWidget* parent, const char* name, const QString& text,
                           const QString& hint) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(hint);
    return b;
}

// A one-column list of the page's items, with the three buttons that keep it:
// the list, add, delete, edit.
using ItemList = std::tuple<QTreeWidget*, QPushButton*, QPushButton*, QPushButton*>;

inline ItemList itemList(QWidget* parent, const QString& header, const QString& hint) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QStringLiteral("lvSourseIncomeInfo"));
    list->setHeaderLabels({header});
    list->setRootIsDecorated(false);
    list->setToolTip(hint);
    list->setAccessibleName(header);
    list->setMinimumHeight(90);
    return {list,
            button(parent, "bnAdd", QStringLiteral("&Добавить"),
                   QStringLiteral("Добавить источник выплат")),
            button(parent, "bnDelete", QStringLiteral("&Удалить"),
                   QStringLiteral("Удалить источник выплат")),
            button(parent, "bnEdit", QStringLiteral("&Редактировать"),
                   QStringLiteral("Редактировать источник выплат"))};
}

// The field a check's finding position names, from the dialog's table of
// (position, field); null for a position not in it.
inline QWidget* fieldAt(int position, std::initializer_list<std::pair<int, QWidget*>> fields) {
    for (const auto& [at, field] : fields)
        if (at == position)
            return field;
    return nullptr;
}

} // namespace WidgetKit
