#include "CodePicker.h"

#include "Dialogs.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// "ё" is typed as "е" as often as not.
QString folded(const QString& text) {
    QString t = text.toCaseFolded();
    t.replace(QChar(0x0451), QChar(0x0435));
    return t;
}

} // namespace

TfmCodePicker::TfmCodePicker(QWidget* parent, const QString& title, const QString& listName,
                             const QString& codeHeader, const QString& nameHeader,
                             const QList<TPickRow>& rows)
    : QDialog(parent), rows_(rows) {
    setWindowTitle(title);
    list = new QTreeWidget(this);
    list->setObjectName(listName);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setHeaderLabels({codeHeader, nameHeader});
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    QList<QTreeWidgetItem*> items;
    items.reserve(rows.size());
    for (const TPickRow& r : rows)
        items.append(new QTreeWidgetItem(QStringList{r.code, r.name}));
    list->addTopLevelItems(items);
    list->header()->resizeSection(0, 70);
    list->setAccessibleName(title);
    list->installEventFilter(this);
    connect(list, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);

    lbSearch = new QLabel(QStringLiteral("&Поиск по коду или наименованию"), this);
    meSearch = new QLineEdit(this);
    meSearch->setObjectName(QStringLiteral("meSearch"));
    meSearch->setClearButtonEnabled(true);
    lbSearch->setBuddy(meSearch);
    meSearch->installEventFilter(this);
    connect(meSearch, &QLineEdit::textChanged, this, &TfmCodePicker::filter);

    bnYes = new QPushButton(QStringLiteral("&Да"), this);
    bnYes->setObjectName(QStringLiteral("bnYes"));
    bnNo = new QPushButton(QStringLiteral("&Нет"), this);
    bnNo->setObjectName(QStringLiteral("bnNo"));
    connect(bnYes, &QPushButton::clicked, this, &QDialog::accept);
    connect(bnNo, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->setObjectName(QStringLiteral("buttons"));
    buttons->addStretch();
    buttons->addWidget(bnYes);
    buttons->addWidget(bnNo);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbSearch);
    layout->addWidget(meSearch);
    layout->addWidget(list);
    layout->addLayout(buttons);
    // Tab order as on screen: the search above the list.
    setTabOrder(meSearch, list);
    setTabOrder(list, bnYes);
    setTabOrder(bnYes, bnNo);
    resize(620, 460);
}

QPushButton* TfmCodePicker::addExtraButton(const QString& text) {
    auto* b = new QPushButton(text, this);
    auto* buttons = findChild<QHBoxLayout*>(QStringLiteral("buttons"));
    buttons->insertWidget(0, b);
    setTabOrder(list, b);
    setTabOrder(b, bnYes);
    return b;
}

void TfmCodePicker::preselect(int row) {
    list->clearSelection();
    if (row < 0 || row >= list->topLevelItemCount())
        return;
    QTreeWidgetItem* item = list->topLevelItem(row);
    list->setCurrentItem(item);
    item->setSelected(true);
    list->scrollToItem(item, QAbstractItemView::PositionAtCenter);
    list->setFocus();
}

bool TfmCodePicker::matches(const TPickRow& row, const QString& text) {
    const QString t = folded(text.trimmed());
    return t.isEmpty() || folded(row.code).startsWith(t) || folded(row.name).contains(t);
}

void TfmCodePicker::setSearchText(const QString& text) {
    meSearch->setText(text);
}

int TfmCodePicker::shownRowCount() const {
    int shown = 0;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        shown += list->topLevelItem(i)->isHidden() ? 0 : 1;
    return shown;
}

void TfmCodePicker::filter() {
    const QString text = meSearch->text();
    QTreeWidgetItem* only = nullptr;
    int shown = 0;
    for (int i = 0; i < list->topLevelItemCount() && i < rows_.size(); ++i) {
        QTreeWidgetItem* item = list->topLevelItem(i);
        const bool match = matches(rows_.at(i), text);
        item->setHidden(!match);
        if (!match) {
            item->setSelected(false);
        } else if (shown++ == 0) {
            only = item;
        }
    }
    if (shown != 1)
        only = nullptr;
    if (only) {
        list->setCurrentItem(only);
        only->setSelected(true);
    }
    const QList<QTreeWidgetItem*> selected = list->selectedItems();
    if (!selected.isEmpty())
        list->scrollToItem(selected.constFirst());
}

void TfmCodePicker::takeMatch() {
    if (shownRowCount() == 1 || selectedRow() >= 0)
        accept();
    else
        QApplication::beep();
}

void TfmCodePicker::moveIntoList() {
    if (selectedRow() < 0) {
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = list->topLevelItem(i);
            if (!item->isHidden()) {
                list->setCurrentItem(item);
                item->setSelected(true);
                break;
            }
        }
    }
    list->setFocus();
}

bool TfmCodePicker::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (watched == meSearch) {
        if (enter) {
            takeMatch();
            return true;
        }
        if (key->key() == Qt::Key_Down || key->key() == Qt::Key_PageDown) {
            moveIntoList();
            return true;
        }
    } else if (watched == list) {
        // Enter on the list accepts; the list would otherwise keep it.
        if (enter) {
            accept();
            return true;
        }
        // Typing in the list searches instead of jumping by first letters.
        const QString text = key->text();
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (plain && !text.isEmpty() && text.at(0).isPrint() &&
            !(text.at(0).isSpace() && meSearch->text().isEmpty())) {
            meSearch->setFocus();
            meSearch->insert(text);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

int TfmCodePicker::selectedRow() const {
    const QList<QTreeWidgetItem*> sel = list->selectedItems();
    return sel.isEmpty() ? -1 : list->indexOfTopLevelItem(sel.constFirst());
}

std::optional<TPickRow> TfmCodePicker::chosen() const {
    const int row = selectedRow();
    if (row < 0 || row >= rows_.size())
        return std::nullopt;
    return rows_.at(row);
}

std::optional<TPickRow> RunPicker(TfmCodePicker& picker) {
    if (Dialogs().exec(picker) != QDialog::Accepted)
        return std::nullopt;
    return picker.chosen();
}
