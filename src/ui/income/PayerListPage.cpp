#include "PayerListPage.h"

#include "IncomeWidgets.h"
#include "ui/MaskedEdit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace IncomeUi;

TfrPayerList::TfrPayerList(TPageHost& host, QWidget* parent) : TThinkingFrame(host, parent) {
    lvSourseIncomeInfo =
        list("lvSourseIncomeInfo", {QStringLiteral("Источники выплат")},
             QStringLiteral("Источники выплат"), QStringLiteral("Список источников выплат"), this);
    bnAddSourse = button(QStringLiteral("&Добавить источник выплат"), "bnAddSourse", this);
    bnDelSourse = button(QStringLiteral("&Удалить источник выплат"), "bnDelSourse", this);
    bnEditSourse = button(QStringLiteral("&Редактировать источник выплат"), "bnEditSourse", this);
    gbResult = new QGroupBox(this);
    values_ = new QGridLayout(gbResult);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {bnAddSourse, bnDelSourse, bnEditSourse})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(lvSourseIncomeInfo, 1);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(gbResult);

    connect(lvSourseIncomeInfo, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) {
                const int index = current ? lvSourseIncomeInfo->indexOfTopLevelItem(current) : -1;
                showResult(index);
                bnDelSourse->setEnabled(index >= 0);
                bnEditSourse->setEnabled(index >= 0);
            });
    onEdit(lvSourseIncomeInfo, this, [this] { editPayer(); });
    connect(bnAddSourse, &QPushButton::clicked, this, &TfrPayerList::addPayer);
    connect(bnDelSourse, &QPushButton::clicked, this, &TfrPayerList::deletePayer);
    connect(bnEditSourse, &QPushButton::clicked, this, &TfrPayerList::editPayer);
}

TMaskedEdit* TfrPayerList::addValue(const char* name, const QString& text) {
    TMaskedEdit* e = display(name, gbResult);
    const int row = values_->rowCount();
    values_->addWidget(caption(text, e, gbResult), row, 0);
    values_->addWidget(e, row, 1);
    return e;
}

void TfrPayerList::fill() {
    TPageBuilding building(host());
    QList<QTreeWidgetItem*> items;
    const int n = count();
    items.reserve(n);
    for (int i = 0; i < n; ++i)
        items.append(new QTreeWidgetItem(QStringList{nameOf(i)}));
    const QSignalBlocker blocker(lvSourseIncomeInfo);
    lvSourseIncomeInfo->addTopLevelItems(items);
    lvSourseIncomeInfo->setCurrentItem(nullptr);
    showResult(-1);
    bnDelSourse->setEnabled(false);
    bnEditSourse->setEnabled(false);
}

int TfrPayerList::selectedPayer() const {
    QTreeWidgetItem* item = lvSourseIncomeInfo->currentItem();
    return item ? lvSourseIncomeInfo->indexOfTopLevelItem(item) : -1;
}

void TfrPayerList::select(int index) {
    selectItem(lvSourseIncomeInfo, lvSourseIncomeInfo->topLevelItem(index));
}

void TfrPayerList::addPayer() {
    if (!runDialog(-1))
        return;
    const int index = count() - 1;
    lvSourseIncomeInfo->addTopLevelItem(new QTreeWidgetItem(QStringList{nameOf(index)}));
    select(index);
    lvSourseIncomeInfo->setFocus();
}

void TfrPayerList::editPayer() {
    const int index = selectedPayer();
    if (index < 0 || !runDialog(index))
        return;
    lvSourseIncomeInfo->topLevelItem(index)->setText(0, nameOf(index));
    showResult(index);
}

void TfrPayerList::deletePayer() {
    const int index = selectedPayer();
    if (index < 0)
        return;
    contentChanged();
    removePayer(index);
    {
        const QSignalBlocker blocker(lvSourseIncomeInfo);
        delete lvSourseIncomeInfo->takeTopLevelItem(index);
        lvSourseIncomeInfo->setCurrentItem(nullptr);
    }
    showResult(-1);
    bnDelSourse->setEnabled(false);
    bnEditSourse->setEnabled(false);
    if (count() > 0)
        select(qMax(0, index - 1));
}

void TfrPayerList::FocusField(int position) {
    if (count() == 0)
        return;
    lvSourseIncomeInfo->setFocus();
    if (position >= 1 && position <= count())
        select(position - 1);
}

void TfrPayerList::PageShown() {
    if (count() == 0)
        return;
    lvSourseIncomeInfo->setFocus();
    if (selectedPayer() < 0)
        select(0);
}
