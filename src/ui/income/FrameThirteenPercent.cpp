#include "FrameThirteenPercent.h"

#include "IncomeWidgets.h"
#include "Input13Income.h"
#include "Input13NRIncome.h"
#include "Input13SourseIncome.h"
#include "model/DeclClasses.h"
#include "ui/Dialogs.h"
#include "ui/MaskedEdit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace IncomeUi;

TfrThirteenPercent::TfrThirteenPercent(TPageHost& host, QWidget* parent)
    : TfrThirteenPercent(host, parent, false) {}

TfrThirteenPercent::TfrThirteenPercent(TPageHost& host, QWidget* parent, bool highlyQualified)
    : TThinkingFrame(host, parent), highlyQualified_(highlyQualified) {
    build();
    TPageBuilding building(host);
    ignoreSelection_ = true;
    QList<QTreeWidgetItem*> items;
    items.reserve(payers().Count());
    for (const mTThirteenPercent& p : payers())
        items.append(new QTreeWidgetItem(QStringList{p.sourceName}));
    lvSourseIncomeInfo->addTopLevelItems(items);
    lvSourseIncomeInfo->setCurrentItem(nullptr);
    lvSourseIncomeInfo->clearSelection();
    ignoreSelection_ = false;
    meFixedSum->loadMoney(declaration().foreignerFixedPayments);
    enablePayerParts();
}

void TfrThirteenPercent::build() {
    lvSourseIncomeInfo =
        list("lvSourseIncomeInfo", {QStringLiteral("Источники выплат")},
             QStringLiteral("Источники выплат"), QStringLiteral("Список источников выплат"), this);
    bnAddSourse = button(QStringLiteral("&Добавить источник выплат"), "bnAddSourse", this);
    bnDelSourse = button(QStringLiteral("&Удалить источник выплат"), "bnDelSourse", this);
    bnEditSourse = button(QStringLiteral("&Редактировать источник выплат"), "bnEditSourse", this);
    lvIncome = list("lvIncome",
                    {QStringLiteral("Месяц дохода"), QStringLiteral("Код дохода"),
                     QStringLiteral("Сумма дохода"), QStringLiteral("Код вычета"),
                     QStringLiteral("Сумма вычета")},
                    QStringLiteral("Доходы по источнику выплат"),
                    QStringLiteral("Список доходов по выбранному источнику выплат (п. 3.1 справки "
                                   "о доходах)"),
                    this);
    bnAddIncome = button(QStringLiteral("Доба&вить доход"), "bnAddIncome", this);
    bnDelIncome = button(QStringLiteral("Уд&алить доход"), "bnDelIncome", this);
    bnEditIncome = button(QStringLiteral("Редак&тировать доход"), "bnEditIncome", this);
    bnRepeatIncome = button(QStringLiteral("&Повторить доход"), "bnRepeatIncome", this);

    gbTotals = new QGroupBox(QStringLiteral("Итоговые суммы по источнику выплат"), this);
    meItogIncome = display("meItogIncome", gbTotals);
    meHoldSum = edit("meHoldSum", edtDigital, 12, 0, gbTotals);
    meOblSum = edit("meOblSum", edtCurrency, 12, 2, gbTotals);
    meTaxSum = edit("meTaxSum", edtDigital, 12, 0, gbTotals);
    auto* totals = new QGridLayout(gbTotals);
    totals->addWidget(caption(QStringLiteral("Общая су&мма дохода"), meItogIncome, gbTotals), 0, 0);
    totals->addWidget(meItogIncome, 0, 1);
    totals->addWidget(caption(QStringLiteral("Сумма налога удержанна&я "), meHoldSum, gbTotals), 0,
                      2);
    totals->addWidget(meHoldSum, 0, 3);
    totals->addWidget(caption(QStringLiteral("О&благаемая сумма дохода"), meOblSum, gbTotals), 1,
                      0);
    totals->addWidget(meOblSum, 1, 1);
    totals->addWidget(caption(QStringLiteral("Сумма налога &исчисленная"), meTaxSum, gbTotals), 1,
                      2);
    totals->addWidget(meTaxSum, 1, 3);

    gbForeigner = new QGroupBox(QStringLiteral("Авансовые платежи иностранца"), this);
    gbForeigner->setToolTip(
        QStringLiteral("Указывается иностранцами, работающими у физ.лиц на основании патента"));
    meFixedSum = edit("meFixedSum", edtDigital, 12, 0, gbForeigner);
    auto* foreigner = new QHBoxLayout(gbForeigner);
    foreigner->addWidget(
        caption(QStringLiteral("Сумма &фиксированных платежей"), meFixedSum, gbForeigner));
    foreigner->addWidget(meFixedSum);
    foreigner->addStretch();
    gbForeigner->setVisible(highlyQualified_ || declaration().formKind == 0);

    auto* payerButtons = new QVBoxLayout;
    for (QPushButton* b : {bnAddSourse, bnDelSourse, bnEditSourse})
        payerButtons->addWidget(b);
    payerButtons->addStretch();
    auto* rowButtons = new QVBoxLayout;
    for (QPushButton* b : {bnAddIncome, bnDelIncome, bnEditIncome, bnRepeatIncome})
        rowButtons->addWidget(b);
    rowButtons->addStretch();
    auto* lists = new QGridLayout;
    lists->addWidget(lvSourseIncomeInfo, 0, 0);
    lists->addLayout(payerButtons, 0, 1);
    lists->addWidget(lvIncome, 1, 0);
    lists->addLayout(rowButtons, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addWidget(gbTotals);
    layout->addWidget(gbForeigner);

    connect(lvSourseIncomeInfo, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { payerChanged(current); });
    onEdit(lvSourseIncomeInfo, this, [this] { editPayer(); });
    onEdit(lvIncome, this, [this] { editRow(); });
    connect(bnAddSourse, &QPushButton::clicked, this, &TfrThirteenPercent::addPayer);
    connect(bnDelSourse, &QPushButton::clicked, this, &TfrThirteenPercent::deletePayer);
    connect(bnEditSourse, &QPushButton::clicked, this, &TfrThirteenPercent::editPayer);
    connect(bnAddIncome, &QPushButton::clicked, this, &TfrThirteenPercent::addRow);
    connect(bnDelIncome, &QPushButton::clicked, this, &TfrThirteenPercent::deleteRow);
    connect(bnEditIncome, &QPushButton::clicked, this, &TfrThirteenPercent::editRow);
    connect(bnRepeatIncome, &QPushButton::clicked, this, &TfrThirteenPercent::repeatRow);
}

mTOwnedList<mTThirteenPercent>& TfrThirteenPercent::payers() const {
    mTDeclaration& d = declaration();
    return highlyQualified_ ? d.thirteenNrSources : d.thirteenSources;
}

mTThirteenPercent* TfrThirteenPercent::payer() const {
    return payer_ >= 0 && payer_ < payers().Count() ? &payers().Get(payer_) : nullptr;
}

int TfrThirteenPercent::selectedRow() const {
    QTreeWidgetItem* item = lvIncome->currentItem();
    return item && item->isSelected() ? lvIncome->indexOfTopLevelItem(item) : -1;
}

void TfrThirteenPercent::payerChanged(QTreeWidgetItem* current) {
    if (ignoreSelection_)
        return;
    storeTotals();
    payer_ = current ? lvSourseIncomeInfo->indexOfTopLevelItem(current) : -1;
    showPayer();
}

void TfrThirteenPercent::selectPayer(int index) {
    selectItem(lvSourseIncomeInfo, lvSourseIncomeInfo->topLevelItem(index));
}

void TfrThirteenPercent::storeTotals() {
    mTThirteenPercent* p = payer();
    if (!p)
        return;
    p->taxWithheld = meHoldSum->money();
    p->taxableIncome = meOblSum->money();
    p->taxComputed = meTaxSum->money();
}

// Filling rows and totals is not an edit of the document.
void TfrThirteenPercent::showPayer() {
    TPageBuilding building(host());
    lvIncome->clear();
    const mTThirteenPercent* p = payer();
    if (p) {
        QList<QTreeWidgetItem*> items;
        items.reserve(p->RowCount());
        for (const mTThirteenPercent::IncomeRow& r : p->rows())
            items.append(rowItem(r, false));
        lvIncome->addTopLevelItems(items);
        selectItem(lvIncome, lvIncome->topLevelItem(0));
        meHoldSum->loadMoney(p->taxWithheld);
        meOblSum->loadMoney(p->taxableIncome);
        meTaxSum->loadMoney(p->taxComputed);
    } else {
        for (TMaskedEdit* e : {meHoldSum, meOblSum, meTaxSum})
            e->loadText(QString());
    }
    showTotal();
    enablePayerParts();
}

void TfrThirteenPercent::showTotal() {
    const mTThirteenPercent* p = payer();
    meItogIncome->loadText(p ? amountText(p->totalIncome) : QString());
}

void TfrThirteenPercent::enablePayerParts() {
    const bool selected = payer() != nullptr;
    for (QWidget* w :
         std::initializer_list<QWidget*>{bnAddIncome, bnDelIncome, bnEditIncome, bnRepeatIncome,
                                         lvIncome, meItogIncome, meHoldSum, meOblSum, meTaxSum})
        w->setEnabled(selected);
    bnDelSourse->setEnabled(selected);
    bnEditSourse->setEnabled(selected);
}

void TfrThirteenPercent::setRowTexts(QTreeWidgetItem* item, const mTThirteenPercent::IncomeRow& r,
                                     bool fresh) const {
    // A row just entered shows what is missing; a row read back shows numbers.
    const QString none = fresh ? QStringLiteral("Нет") : QStringLiteral("0");
    const QString noAmount = fresh ? QStringLiteral("-") : QStringLiteral("0");
    auto code = [&](qint32 v) { return v == 0 ? none : QString::number(v); };
    auto amount = [&](Money v) { return v.isZero() ? noAmount : amountText(v); };
    item->setText(0, code(r.month));
    item->setText(1, code(r.incomeCode));
    item->setText(2, amount(r.amount));
    item->setText(3, code(r.deductionCode));
    item->setText(4, amount(r.deductionAmount));
}

QTreeWidgetItem* TfrThirteenPercent::rowItem(const mTThirteenPercent::IncomeRow& r,
                                             bool fresh) const {
    auto* item = new QTreeWidgetItem;
    setRowTexts(item, r, fresh);
    return item;
}

void TfrThirteenPercent::appendRow(const mTThirteenPercent::IncomeRow& row) {
    payer()->AddRow(row);
    QTreeWidgetItem* item = rowItem(row, true);
    lvIncome->addTopLevelItem(item);
    selectItem(lvIncome, item);
    showTotal();
}

void TfrThirteenPercent::addPayer() {
    TfmInput13SourseIncome dialog(this, host().checkAsker(), declaration().formKind == 1);
    if (Dialogs().exec(dialog) != QDialog::Accepted || dialog.sourceName().trimmed().isEmpty())
        return;
    contentChanged();
    const int index = payers().Add();
    dialog.store(payers().Get(index));
    lvSourseIncomeInfo->addTopLevelItem(
        new QTreeWidgetItem(QStringList{payers().Get(index).sourceName}));
    selectPayer(index);
    lvSourseIncomeInfo->setFocus();
}

void TfrThirteenPercent::editPayer() {
    mTThirteenPercent* p = payer();
    if (!p)
        return;
    TfmInput13SourseIncome dialog(this, host().checkAsker(), declaration().formKind == 1);
    dialog.load(*p);
    if (Dialogs().exec(dialog) != QDialog::Accepted || dialog.sourceName().trimmed().isEmpty())
        return;
    contentChanged();
    dialog.store(*p);
    lvSourseIncomeInfo->topLevelItem(payer_)->setText(0, p->sourceName);
}

void TfrThirteenPercent::deletePayer() {
    if (!payer())
        return;
    contentChanged();
    const int index = payer_;
    ignoreSelection_ = true;
    payers().Remove(index);
    delete lvSourseIncomeInfo->takeTopLevelItem(index);
    payer_ = -1;
    ignoreSelection_ = false;
    const int next = qMax(0, index - 1);
    if (next < payers().Count()) {
        lvSourseIncomeInfo->setCurrentItem(nullptr);
        selectPayer(next);
    } else {
        showPayer();
    }
}

std::optional<mTThirteenPercent::IncomeRow>
TfrThirteenPercent::runRowDialog(const mTThirteenPercent::IncomeRow* row) {
    using Mode = TfmInput13Income::Mode;
    std::unique_ptr<TfmInput13Income> dialog;
    if (highlyQualified_)
        dialog = std::make_unique<TfmInput13NRIncome>(this, host().checkAsker());
    else
        dialog = std::make_unique<TfmInput13Income>(this, host().checkAsker(),
                                                    declaration().formKind == 1 ? Mode::NonResident
                                                                                : Mode::Resident);
    if (row)
        dialog->load(*row);
    if (Dialogs().exec(*dialog) != QDialog::Accepted)
        return std::nullopt;
    const mTThirteenPercent::IncomeRow result = dialog->row();
    if (result.incomeCode == 0)
        return std::nullopt;
    return result;
}

void TfrThirteenPercent::addRow() {
    if (!payer())
        return;
    const std::optional<mTThirteenPercent::IncomeRow> row = runRowDialog(nullptr);
    if (!row)
        return;
    contentChanged();
    appendRow(*row);
}

// Editing and repeating a row change the document as adding does, so they tell
// the window too: the save prompt must not forget them.
void TfrThirteenPercent::editRow() {
    const int index = selectedRow();
    mTThirteenPercent* p = payer();
    if (!p || index < 0)
        return;
    const std::optional<mTThirteenPercent::IncomeRow> row = runRowDialog(&p->GetRow(index));
    if (!row)
        return;
    contentChanged();
    p->ReplaceRow(index, *row);
    setRowTexts(lvIncome->topLevelItem(index), *row, true);
    showTotal();
}

void TfrThirteenPercent::deleteRow() {
    const int index = selectedRow();
    mTThirteenPercent* p = payer();
    if (!p || index < 0)
        return;
    contentChanged();
    p->DeleteRow(index);
    delete lvIncome->takeTopLevelItem(index);
    selectItem(lvIncome, lvIncome->topLevelItem(qMax(0, index - 1)));
    showTotal();
}

void TfrThirteenPercent::repeatRow() {
    const int index = selectedRow();
    mTThirteenPercent* p = payer();
    if (!p || index < 0)
        return;
    mTThirteenPercent::IncomeRow copy = p->GetRow(index);
    copy.month = qint16(qMin(12, copy.month + 1));
    contentChanged();
    appendRow(copy);
}

void TfrThirteenPercent::StoreToModel() {
    storeTotals();
    declaration().foreignerFixedPayments = meFixedSum->money();
}

int TfrThirteenPercent::CheckPage() {
    for (int i = 0; i < payers().Count(); ++i) {
        const mTThirteenPercent& p = payers().Get(i);
        if (p.totalIncome < p.taxWithheld) {
            const CheckAnswer a = host().checkAsker().AskPage(
                QStringLiteral("Проверка: Доходы, облагаемые ставкой 13%"),
                QStringLiteral("По данному источнику выплаты общая сумма дохода меньше "
                               "удержанной суммы"),
                true, true);
            return a == CheckAnswer::Fix ? i + 1 : 0;
        }
    }
    return 0;
}

void TfrThirteenPercent::FocusField(int position) {
    if (payers().Count() == 0)
        return;
    lvSourseIncomeInfo->setFocus();
    if (position >= 1 && position <= payers().Count())
        selectPayer(position - 1);
}

void TfrThirteenPercent::PageShown() {
    if (payers().Count() == 0)
        return;
    lvSourseIncomeInfo->setFocus();
    if (!payer())
        selectPayer(0);
}
