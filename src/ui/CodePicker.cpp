#include "CodePicker.h"

#include "Dialogs.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// Enter on the list accepts; the list would otherwise keep it.
class EnterAccepts : public QObject {
public:
    explicit EnterAccepts(QDialog* dialog) : QObject(dialog), dialog_(dialog) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(e)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                dialog_->accept();
                return true;
            }
        }
        return false;
    }

private:
    QDialog* dialog_;
};

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
    list->installEventFilter(new EnterAccepts(this));
    connect(list, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);

    bnYes = new QPushButton(QStringLiteral("Да"), this);
    bnYes->setObjectName(QStringLiteral("bnYes"));
    bnNo = new QPushButton(QStringLiteral("Нет"), this);
    bnNo->setObjectName(QStringLiteral("bnNo"));
    connect(bnYes, &QPushButton::clicked, this, &QDialog::accept);
    connect(bnNo, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->setObjectName(QStringLiteral("buttons"));
    buttons->addStretch();
    buttons->addWidget(bnYes);
    buttons->addWidget(bnNo);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list);
    layout->addLayout(buttons);
    resize(620, 460);
}

QPushButton* TfmCodePicker::addExtraButton(const QString& text) {
    auto* b = new QPushButton(text, this);
    auto* buttons = findChild<QHBoxLayout*>(QStringLiteral("buttons"));
    buttons->insertWidget(0, b);
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
