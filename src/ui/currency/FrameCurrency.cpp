#include "FrameCurrency.h"

#include "InputCurrencySourseIncome.h"
#include "calc/RateMath.h"
#include "model/DeclClasses.h"
#include "refdata/Directories.h"
#include "storage/DateTime.h"
#include "ui/CodePicker.h"
#include "ui/DateEdit.h"
#include "ui/Dialogs.h"
#include "ui/DirectoryPickers.h"
#include "ui/MaskedEdit.h"
#include "ui/PageCheck.h"
#include "ui/WidgetKit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

TMaskedEdit* edit(QWidget* parent, const char* name, TEditTypeControlEnum type, int whole,
                  int fraction = 0) {
    auto* e = new TMaskedEdit(type, whole, fraction, parent);
    e->setObjectName(QString::fromLatin1(name));
    return e;
}

QLabel* panel(QWidget* parent, const char* name, const QString& caption) {
    auto* p = new QLabel(parent);
    p->setObjectName(QString::fromLatin1(name));
    p->setFrameShape(QFrame::StyledPanel);
    p->setFrameShadow(QFrame::Sunken);
    p->setMinimumHeight(22);
    p->setMinimumWidth(120);
    p->setAccessibleName(caption);
    p->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return p;
}

QPushButton* dots(QWidget* parent, const char* name, const QString& accessible) {
    auto* b = new QPushButton(QStringLiteral("..."), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setFixedWidth(30);
    b->setToolTip(QStringLiteral("Выбрать код из справочника"));
    b->setAccessibleName(accessible);
    return b;
}

using WidgetKit::caption;

QString shortest(Money m) {
    return m.toString(TMaskedEdit::decimalSeparator());
}

// Rates and units show empty rather than "0", so that typing starts afresh.
void showNumber(TMaskedEdit* e, qint64 value) {
    e->loadText(value == 0 ? QString() : QString::number(value));
}

qint32 unitsOf(const TMaskedEdit* e) {
    return e->text().toInt();
}

// Deductions whose amount may stay 0 at the check.
bool deductionMayBeZero(int incomeCode) {
    static const QList<int> codes{1530, 1531, 1532, 1533, 1535, 1536, 1537, 1538, 1539, 1541};
    return codes.contains(incomeCode);
}

} // namespace

TfrCurrency::TfrCurrency(TPageHost& host, QWidget* parent)
    : TThinkingFrame(host, parent), dict_(LoadIncomeDict()) {
    incomes_ = IncomeCodeList(dict_.documentElement(), QString(), false);
    buildLayout();
    TPageBuilding building(host);
    const mTDeclaration& d = declaration();
    for (const mTCurrencyIncome& c : d.currencyIncomes)
        new QTreeWidgetItem(lvSourseIncomeInfo, QStringList{c.sourceName});
    dtIncomeGetDate->loadValue(TDateTime::fromYmd(2011, 1, 1));
    dtSubtractDate->loadValue(TDateTime::fromYmd(2011, 1, 1));
    setDetailsEnabled(d.currencyIncomes.Count() > 0);
    if (d.currencyIncomes.Count() > 0)
        clearDetails();
}

void TfrCurrency::buildLayout() {
    std::tie(lvSourseIncomeInfo, bnAdd, bnDelete, bnEdit) = WidgetKit::itemList(
        this, QStringLiteral("Источники выплат"), QStringLiteral("Список источников выплат"));

    auto* gbIncome = new QGroupBox(QStringLiteral("Сведения о полученном доходе"), this);
    dtIncomeGetDate = new TDateEdit(gbIncome);
    dtIncomeGetDate->setObjectName(QStringLiteral("dtIncomeGetDate"));
    dtIncomeGetDate->setDateRange(QDate(2011, 1, 1), QDate(2011, 12, 31));
    meCurrencyCode = edit(gbIncome, "meCurrencyCode", edtDigital, 3);
    meCurrencyCode->setFixedWidth(50);
    bnCurrencyCode = dots(gbIncome, "bnCurrencyCode", QStringLiteral("Выбрать код валюты"));
    meCurrencyName = edit(gbIncome, "meCurrencyName", edtNone, 30);
    meCurrencyName->setAccessibleName(QStringLiteral("Наименование валюты"));
    dtSubtractDate = new TDateEdit(gbIncome);
    dtSubtractDate->setObjectName(QStringLiteral("dtSubtractDate"));
    dtSubtractDate->setDateRange(QDate(2011, 1, 1), QDate(2014, 12, 31));
    chbAutoExchange = new QCheckBox(QStringLiteral("&Автоматическое определение"), gbIncome);
    chbAutoExchange->setObjectName(QStringLiteral("chbAutoExchange"));
    meCurrencyExchange = edit(gbIncome, "meCurrencyExchange", edtCurrency, 4, 2);
    meCurrencyUnits = edit(gbIncome, "meCurrencyUnits", edtDigital, 7);
    meCurrencyExchange2 = edit(gbIncome, "meCurrencyExchange2", edtCurrency, 4, 2);
    meCurrencyUnits2 = edit(gbIncome, "meCurrencyUnits2", edtDigital, 7);
    meCurrencyExchange->setAccessibleName(QStringLiteral("Курс на дату дохода, руб."));
    meCurrencyUnits->setAccessibleName(QStringLiteral("За единиц валюты на дату дохода"));
    meCurrencyExchange2->setAccessibleName(QStringLiteral("Курс на дату уплаты налога, руб."));
    meCurrencyUnits2->setAccessibleName(QStringLiteral("За единиц валюты на дату уплаты налога"));
    for (TMaskedEdit* e :
         {meCurrencyExchange, meCurrencyUnits, meCurrencyExchange2, meCurrencyUnits2})
        e->setFixedWidth(80);

    auto* g = new QGridLayout(gbIncome);
    g->addWidget(caption(gbIncome, QStringLiteral("Дата по&лучения дохода"), dtIncomeGetDate), 0,
                 0);
    g->addWidget(dtIncomeGetDate, 0, 1, Qt::AlignLeft);
    g->addWidget(caption(gbIncome, QStringLiteral("&Код и наименование валюты"), meCurrencyCode), 1,
                 0);
    auto* codeRow = new QHBoxLayout;
    codeRow->addWidget(meCurrencyCode);
    codeRow->addWidget(bnCurrencyCode);
    codeRow->addWidget(meCurrencyName, 1);
    g->addLayout(codeRow, 1, 1);
    g->addWidget(caption(gbIncome, QStringLiteral("Дата уплаты &налога"), dtSubtractDate), 2, 0);
    g->addWidget(dtSubtractDate, 2, 1, Qt::AlignLeft);
    auto* autoBox = new QVBoxLayout;
    autoBox->addWidget(chbAutoExchange);
    autoBox->addWidget(new QLabel(QStringLiteral("курса валюты"), gbIncome));
    autoBox->addWidget(new QLabel(QStringLiteral("На дату дохода и уплаты налога"), gbIncome));
    g->addLayout(autoBox, 3, 0, 2, 1);
    auto rateRow = [gbIncome](TMaskedEdit* rate, TMaskedEdit* units) {
        auto* row = new QHBoxLayout;
        row->addWidget(rate);
        row->addWidget(new QLabel(QStringLiteral("руб."), gbIncome));
        row->addWidget(new QLabel(QStringLiteral("за"), gbIncome));
        row->addWidget(units);
        row->addWidget(new QLabel(QStringLiteral("у.е."), gbIncome));
        row->addStretch();
        return row;
    };
    g->addLayout(rateRow(meCurrencyExchange, meCurrencyUnits), 3, 1);
    g->addLayout(rateRow(meCurrencyExchange2, meCurrencyUnits2), 4, 1);

    auto* gbSum = new QGroupBox(QStringLiteral("Полученный доход"), this);
    meIncomeCurrencySum = edit(gbSum, "meIncomeCurrencySum", edtCurrency, 12, 2);
    pnlIncomeRublSum = panel(gbSum, "pnlIncomeRublSum", QStringLiteral("В рублях по курсу ЦБ"));
    pnlIncomeCod = panel(gbSum, "pnlIncomeCod", QStringLiteral("Код дохода"));
    bnIncomeCod = dots(gbSum, "bnIncomeCod", QStringLiteral("Выбрать код дохода"));
    auto* gs = new QGridLayout(gbSum);
    gs->addWidget(caption(gbSum, QStringLiteral("В ино&странной валюте"), meIncomeCurrencySum), 0,
                  0);
    gs->addWidget(meIncomeCurrencySum, 0, 1);
    gs->addWidget(new QLabel(QStringLiteral("В рублях по курсу ЦБ"), gbSum), 1, 0);
    gs->addWidget(pnlIncomeRublSum, 1, 1);
    gs->addWidget(new QLabel(QStringLiteral("Код дохода"), gbSum), 2, 0);
    gs->addWidget(pnlIncomeCod, 2, 1);
    gs->addWidget(bnIncomeCod, 2, 2);

    auto* gbTax =
        new QGroupBox(QStringLiteral("Налог, уплаченный в иностранном государстве"), this);
    meTaxCurrencySum = edit(gbTax, "meTaxCurrencySum", edtCurrency, 12, 2);
    pnlTaxRoubleSum = panel(gbTax, "pnlTaxRoubleSum", QStringLiteral("Налог в рублях по курсу ЦБ"));
    auto* gt = new QGridLayout(gbTax);
    gt->addWidget(caption(gbTax, QStringLiteral("В иностранной &валюте"), meTaxCurrencySum), 0, 0);
    gt->addWidget(meTaxCurrencySum, 0, 1);
    gt->addWidget(new QLabel(QStringLiteral("В рублях по курсу ЦБ"), gbTax), 1, 0);
    gt->addWidget(pnlTaxRoubleSum, 1, 1);
    // The two groups stand side by side: their captions (not the sums' panels) wrap
    // so that both fit the smallest window.
    for (QGroupBox* group : {gbSum, gbTax})
        for (QLabel* l : group->findChildren<QLabel*>())
            if (l != pnlIncomeRublSum && l != pnlIncomeCod && l != pnlTaxRoubleSum)
                l->setWordWrap(true);

    auto* gbDeduct = new QGroupBox(QStringLiteral("Вычеты"), this);
    pnlSubtractCod = panel(gbDeduct, "pnlSubtractCod", QStringLiteral("Код вычета (расхода)"));
    bnSubtractCod = dots(gbDeduct, "bnSubtractCod", QStringLiteral("Выбрать код вычета"));
    meSubtractSum = edit(gbDeduct, "meSubtractSum", edtCurrency, 12, 2);
    auto* gd = new QGridLayout(gbDeduct);
    auto* lbCode = new QLabel(QStringLiteral("Код вычета (расхода)"), gbDeduct);
    lbSubtractSum_ = caption(gbDeduct, QStringLiteral("Су&мма вычета (расхода)"), meSubtractSum);
    deductLabels_ = {lbCode, lbSubtractSum_};
    gd->addWidget(lbCode, 0, 0);
    gd->addWidget(pnlSubtractCod, 0, 1);
    gd->addWidget(bnSubtractCod, 0, 2);
    gd->addWidget(lbSubtractSum_, 1, 0);
    gd->addWidget(meSubtractSum, 1, 1);

    auto* listButtons = new QVBoxLayout;
    listButtons->addWidget(bnAdd);
    listButtons->addWidget(bnDelete);
    listButtons->addWidget(bnEdit);
    listButtons->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(lvSourseIncomeInfo, 1);
    top->addLayout(listButtons);
    auto* sums = new QHBoxLayout;
    sums->addWidget(gbSum);
    sums->addWidget(gbTax);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(gbIncome);
    layout->addLayout(sums);
    layout->addWidget(gbDeduct);
    layout->addStretch();

    setTabOrder(lvSourseIncomeInfo, bnAdd);
    setTabOrder(bnAdd, bnDelete);
    setTabOrder(bnDelete, bnEdit);
    setTabOrder(bnEdit, dtIncomeGetDate);
    setTabOrder(dtIncomeGetDate, meCurrencyCode);
    setTabOrder(meCurrencyCode, bnCurrencyCode);
    setTabOrder(bnCurrencyCode, meCurrencyName);
    setTabOrder(meCurrencyName, dtSubtractDate);
    setTabOrder(dtSubtractDate, chbAutoExchange);
    setTabOrder(chbAutoExchange, meCurrencyExchange);
    setTabOrder(meCurrencyExchange, meCurrencyUnits);
    setTabOrder(meCurrencyUnits, meCurrencyExchange2);
    setTabOrder(meCurrencyExchange2, meCurrencyUnits2);
    setTabOrder(meCurrencyUnits2, meIncomeCurrencySum);
    setTabOrder(meIncomeCurrencySum, bnIncomeCod);
    setTabOrder(bnIncomeCod, meTaxCurrencySum);
    setTabOrder(meTaxCurrencySum, bnSubtractCod);
    setTabOrder(bnSubtractCod, meSubtractSum);

    details_ = {dtIncomeGetDate,     meCurrencyCode,   bnCurrencyCode,      meCurrencyName,
                dtSubtractDate,      chbAutoExchange,  meCurrencyExchange,  meCurrencyUnits,
                meCurrencyExchange2, meCurrencyUnits2, meIncomeCurrencySum, pnlIncomeRublSum,
                pnlIncomeCod,        bnIncomeCod,      meTaxCurrencySum,    pnlTaxRoubleSum,
                pnlSubtractCod,      bnSubtractCod,    meSubtractSum,       lbCode,
                lbSubtractSum_};

    connect(bnAdd, &QPushButton::clicked, this, &TfrCurrency::addSource);
    connect(bnDelete, &QPushButton::clicked, this, &TfrCurrency::deleteSource);
    connect(bnEdit, &QPushButton::clicked, this, &TfrCurrency::editSource);
    connect(lvSourseIncomeInfo, &QTreeWidget::itemActivated, this, &TfrCurrency::editSource);
    connect(lvSourseIncomeInfo, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) {
                if (!loading_ && item)
                    selectRecord(lvSourseIncomeInfo->indexOfTopLevelItem(item));
            });
    connect(meCurrencyCode, &TMaskedEdit::changed, this, [this] {
        if (!loading_ && selected_ >= 0)
            currencyCodeChanged();
    });
    connect(dtIncomeGetDate, &QDateEdit::dateChanged, this, [this] {
        if (!loading_ && selected_ >= 0)
            fillRateRow(true, true);
    });
    connect(dtSubtractDate, &QDateEdit::dateChanged, this, [this] {
        if (!loading_ && selected_ >= 0)
            fillRateRow(false, true);
    });
    connect(chbAutoExchange, &QCheckBox::clicked, this, &TfrCurrency::autoRateClicked);
    for (TMaskedEdit* e : {meIncomeCurrencySum, meCurrencyExchange, meCurrencyUnits})
        connect(e, &TMaskedEdit::changed, this, &TfrCurrency::recomputeIncome);
    for (TMaskedEdit* e : {meTaxCurrencySum, meCurrencyExchange2, meCurrencyUnits2})
        connect(e, &TMaskedEdit::changed, this, &TfrCurrency::recomputeTax);
    connect(bnIncomeCod, &QPushButton::clicked, this, &TfrCurrency::pickIncomeCode);
    connect(bnSubtractCod, &QPushButton::clicked, this, &TfrCurrency::pickDeductCode);
    connect(bnCurrencyCode, &QPushButton::clicked, this, &TfrCurrency::pickCurrency);
}

void TfrCurrency::setDetailsEnabled(bool enabled) {
    for (QWidget* w : std::as_const(details_))
        w->setEnabled(enabled);
    bnCurrencyCode->setEnabled(enabled && host().directories().currencies.has_value());
    setRateFieldsReadOnly(chbAutoExchange->isChecked());
    if (!enabled)
        clearDetails();
}

void TfrCurrency::clearDetails() {
    const bool was = loading_;
    loading_ = true;
    for (TMaskedEdit* e :
         {meCurrencyCode, meCurrencyName, meCurrencyExchange, meCurrencyUnits, meCurrencyExchange2,
          meCurrencyUnits2, meIncomeCurrencySum, meTaxCurrencySum, meSubtractSum})
        e->loadText(QString());
    for (QLabel* l : {pnlIncomeRublSum, pnlIncomeCod, pnlTaxRoubleSum, pnlSubtractCod})
        l->clear();
    chbAutoExchange->setChecked(false);
    if (declaration().currencyIncomes.Count() == 0) {
        dtIncomeGetDate->loadValue(TDateTime::today());
        dtSubtractDate->loadValue(TDateTime::today());
    }
    loading_ = was;
}

void TfrCurrency::setRateFieldsReadOnly(bool readOnly) {
    for (TMaskedEdit* e :
         {meCurrencyExchange, meCurrencyUnits, meCurrencyExchange2, meCurrencyUnits2})
        e->setReadOnly(readOnly);
}

void TfrCurrency::PageShown() {
    if (selected_ < 0 && lvSourseIncomeInfo->topLevelItemCount() > 0)
        selectRecord(0);
}

void TfrCurrency::selectRecord(int index) {
    if (index < 0 || index >= declaration().currencyIncomes.Count())
        return;
    if (selected_ >= 0 && selected_ != index)
        storeRecord(selected_);
    selected_ = index;
    {
        const bool was = loading_;
        loading_ = true;
        QTreeWidgetItem* item = lvSourseIncomeInfo->topLevelItem(index);
        lvSourseIncomeInfo->setCurrentItem(item);
        lvSourseIncomeInfo->scrollToItem(item);
        loading_ = was;
    }
    loadRecord(index);
}

void TfrCurrency::loadRecord(int index) {
    const mTCurrencyIncome& c = declaration().currencyIncomes.Get(index);
    const RefDirectories& dirs = host().directories();
    const bool was = loading_;
    loading_ = true;
    setDetailsEnabled(true);
    dtIncomeGetDate->loadValue(c.incomeDate);
    dtSubtractDate->loadValue(c.taxPaidDate);
    meCurrencyCode->loadText(c.currencyCode);
    const Currency* currency = dirs.FindCurrency(c.currencyCode);
    meCurrencyName->loadText(currency ? currency->name : c.currencyName);
    meCurrencyName->setReadOnly(currency != nullptr);

    const bool incomeRate =
        dirs.FindRate(c.currencyCode, TDateTime::toDate(c.incomeDate)).has_value();
    const bool taxRate =
        dirs.FindRate(c.currencyCode, TDateTime::toDate(c.taxPaidDate)).has_value();
    chbAutoExchange->setEnabled(incomeRate && taxRate);
    chbAutoExchange->setChecked(incomeRate && taxRate && c.autoRate != 0);
    setRateFieldsReadOnly(chbAutoExchange->isChecked());
    showNumber(meCurrencyUnits, c.unitsOnIncomeDate);
    meCurrencyExchange->loadMoney(c.rateOnIncomeDate);
    showNumber(meCurrencyUnits2, c.unitsOnTaxDate);
    meCurrencyExchange2->loadMoney(c.rateOnTaxDate);
    meTaxCurrencySum->loadMoney(c.taxInCurrency);

    incomeRate_ = c.incomeRate;
    incomeName_ = c.incomeName;
    incomeHasDeductions_ = false;
    deductStav_ = c.deductionRate;
    deductMax_ = Money();
    deductEquivalent_ = false;
    meSubtractSum->setVisible(true);
    lbSubtractSum_->setVisible(true);
    meSubtractSum->setReadOnly(false);
    if (c.incomeCode != 0) {
        pnlIncomeCod->setText(QString::number(c.incomeCode));
        meIncomeCurrencySum->setEnabled(true);
        meIncomeCurrencySum->loadMoney(c.incomeInCurrency);
        const QString code = QString::number(c.incomeCode);
        const auto income =
            std::find_if(incomes_.cbegin(), incomes_.cend(),
                         [&code](const IncomeCodeItem& i) { return i.code == code; });
        if (income == incomes_.cend()) {
            clearDeduction(false);
        } else {
            incomeRate_ = income->stav;
            incomeName_ = income->name;
            incomeHasDeductions_ = income->hasDeductions;
            if (!income->hasDeductions) {
                clearDeduction(false);
            } else {
                clearDeduction(true);
                const auto d = findDeduction(c.incomeCode, c.deductionCode);
                if (!d) {
                    meSubtractSum->setEnabled(false);
                } else {
                    pnlSubtractCod->setText(QString::number(c.deductionCode));
                    meSubtractSum->loadMoney(c.deductionAmount);
                    applyDeduction(*d);
                }
            }
        }
    } else {
        pnlIncomeCod->clear();
        meIncomeCurrencySum->loadText(QString());
        meIncomeCurrencySum->setEnabled(false);
        bnIncomeCod->setEnabled(true);
        clearDeduction(false);
    }
    loading_ = was;
    showIncomeRoubles();
    recomputeTax();
    // A typed amount is the user's: only a computed one follows the income on loading.
    if (deductStav_ != 0 || deductEquivalent_)
        applyDeductRule();
}

void TfrCurrency::clearDeduction(bool enabled) {
    pnlSubtractCod->clear();
    meSubtractSum->loadText(QString());
    for (QWidget* w : {static_cast<QWidget*>(pnlSubtractCod), static_cast<QWidget*>(bnSubtractCod),
                       static_cast<QWidget*>(meSubtractSum)})
        w->setEnabled(enabled);
    for (QLabel* l : std::as_const(deductLabels_))
        l->setEnabled(enabled);
}

std::optional<DeductCodeItem> TfrCurrency::findDeduction(int incomeCode, int deductCode) const {
    const QString code = QString::number(deductCode);
    for (const DeductCodeItem& d :
         DeductCodeList(dict_.documentElement(), QString::number(incomeCode), true)) {
        if (d.code == code)
            return d;
    }
    return std::nullopt;
}

void TfrCurrency::applyDeduction(const DeductCodeItem& d) {
    meSubtractSum->setVisible(d.visible);
    lbSubtractSum_->setVisible(d.visible);
    meSubtractSum->setReadOnly(!d.enabled);
    deductStav_ = d.stav;
    deductMax_ = d.maxSum;
    deductEquivalent_ = d.equivalent;
}

void TfrCurrency::storeRecord(int index) {
    if (index < 0 || index >= declaration().currencyIncomes.Count())
        return;
    mTCurrencyIncome& c = declaration().currencyIncomes.Get(index);
    c.incomeDate = dtIncomeGetDate->value();
    c.taxPaidDate = dtSubtractDate->value();
    c.currencyCode = meCurrencyCode->text();
    c.currencyName = meCurrencyName->text();
    c.autoRate = chbAutoExchange->isChecked() ? 1 : 0;
    c.SetRateOnIncomeDate(meCurrencyExchange->money(), unitsOf(meCurrencyUnits));
    c.SetRateOnTaxDate(meCurrencyExchange2->money(), unitsOf(meCurrencyUnits2));
    c.incomeCode = pnlIncomeCod->text().toInt();
    c.SetIncomeInCurrency(meIncomeCurrencySum->money());
    c.SetTaxInCurrency(meTaxCurrencySum->money());
    c.deductionCode = pnlSubtractCod->text().toInt();
    c.deductionAmount = meSubtractSum->money();
    c.incomeRate = incomeRate_;
    c.incomeName = incomeName_;
    c.deductionRate = deductStav_;
}

void TfrCurrency::StoreToModel() {
    storeRecord(selected_);
}

void TfrCurrency::currencyCodeChanged() {
    const Currency* currency = host().directories().FindCurrency(meCurrencyCode->text());
    meCurrencyName->loadText(currency ? currency->name : QString());
    meCurrencyName->setReadOnly(currency != nullptr);
    fillRateRow(true, true);
    fillRateRow(false, true);
}

bool TfrCurrency::fillRateRow(bool incomeDate, bool emptyWhenUnticked) {
    const RefDirectories& dirs = host().directories();
    const QString code = meCurrencyCode->text();
    const QDate date = (incomeDate ? dtIncomeGetDate : dtSubtractDate)->date();
    TMaskedEdit* rate = incomeDate ? meCurrencyExchange : meCurrencyExchange2;
    TMaskedEdit* units = incomeDate ? meCurrencyUnits : meCurrencyUnits2;
    const auto entry = dirs.FindRate(code, date);
    if (entry) {
        chbAutoExchange->setEnabled(true);
        if (chbAutoExchange->isChecked()) {
            showNumber(units, dirs.FindCurrency(code)->quantityValue());
            rate->loadText(entry->rateValue() ? shortest(*entry->rateValue()) : QString());
        } else if (emptyWhenUnticked) {
            units->loadText(QString());
            rate->loadText(QString());
        }
    } else {
        chbAutoExchange->setEnabled(false);
        if (chbAutoExchange->isChecked()) {
            chbAutoExchange->setChecked(false);
            autoRateClicked();
        } else if (emptyWhenUnticked) {
            units->loadText(QString());
            rate->loadText(QString());
        }
    }
    (incomeDate ? this->recomputeIncome() : this->recomputeTax());
    return entry.has_value();
}

void TfrCurrency::autoRateClicked() {
    contentChanged();
    applyAutoRate();
}

void TfrCurrency::applyAutoRate() {
    const bool ticked = chbAutoExchange->isChecked();
    setRateFieldsReadOnly(ticked);
    if (ticked && host().directories().FindCurrency(meCurrencyCode->text())) {
        // The second row only when the first still left the box ticked.
        if (fillRateRow(true, false) && chbAutoExchange->isChecked())
            fillRateRow(false, false);
        return;
    }
    for (TMaskedEdit* e :
         {meCurrencyExchange, meCurrencyUnits, meCurrencyExchange2, meCurrencyUnits2})
        e->loadText(QString());
    recomputeIncome();
    recomputeTax();
}

void TfrCurrency::RatesReloaded() {
    if (selected_ < 0)
        return;
    const Currency* currency = host().directories().FindCurrency(meCurrencyCode->text());
    if (currency) {
        meCurrencyName->loadText(currency->name);
        meCurrencyName->setReadOnly(true);
    }
    const RefDirectories& dirs = host().directories();
    const bool both = dirs.FindRate(meCurrencyCode->text(), dtIncomeGetDate->date()) &&
                      dirs.FindRate(meCurrencyCode->text(), dtSubtractDate->date());
    chbAutoExchange->setEnabled(both);
    if (both && chbAutoExchange->isChecked()) {
        fillRateRow(true, false);
        fillRateRow(false, false);
    }
}

bool TfrCurrency::showIncomeRoubles() {
    QString text;
    if (!pnlIncomeCod->text().isEmpty())
        text = shortest(mTCurrencyIncome::ToRubles(
            meIncomeCurrencySum->money(), unitsOf(meCurrencyUnits), meCurrencyExchange->money()));
    if (text == pnlIncomeRublSum->text())
        return false;
    pnlIncomeRublSum->setText(text);
    return true;
}

void TfrCurrency::recomputeIncome() {
    if (!loading_ && showIncomeRoubles())
        applyDeductRule();
}

void TfrCurrency::recomputeTax() {
    if (loading_)
        return;
    const Money rub = mTCurrencyIncome::ToRubles(
        meTaxCurrencySum->money(), unitsOf(meCurrencyUnits2), meCurrencyExchange2->money());
    pnlTaxRoubleSum->setText(shortest(rub));
}

void TfrCurrency::applyDeductRule() {
    if (!incomeHasDeductions_ || pnlSubtractCod->text().isEmpty())
        return;
    const Money rub =
        Money::parse(pnlIncomeRublSum->text(), TMaskedEdit::decimalSeparator()).value_or(Money());
    Money amount;
    if (deductStav_ != 0)
        amount = RateProduct(rub, deductStav_, RateRounding::Kopecks);
    else if (deductEquivalent_)
        amount = rub;
    if (!deductMax_.isZero() && amount > deductMax_)
        amount = deductMax_;
    meSubtractSum->loadText(shortest(amount));
}

void TfrCurrency::pickIncomeCode() {
    QList<TPickRow> rows;
    for (const IncomeCodeItem& i : std::as_const(incomes_))
        rows.append({i.code, i.name});
    TfmCodePicker picker(this, QStringLiteral("Справочник видов доходов"),
                         QStringLiteral("Виды доходов"), QStringLiteral("Код"),
                         QStringLiteral("Наименование дохода"), rows);
    picker.list->setObjectName(QStringLiteral("lvIncomeNames"));
    picker.preselect(PreselectRow(incomes_, pnlIncomeCod->text()));
    const auto chosen = RunPicker(picker);
    if (!chosen || chosen->code == pnlIncomeCod->text())
        return;
    const IncomeCodeItem& income = incomes_.at(FindCodeRow(rows, chosen->code));
    contentChanged();
    deductStav_ = 0;
    deductMax_ = Money();
    deductEquivalent_ = false;
    incomeRate_ = income.stav;
    incomeName_ = income.name;
    incomeHasDeductions_ = income.hasDeductions;
    pnlIncomeCod->setText(income.code);
    meIncomeCurrencySum->setEnabled(true);
    clearDeduction(income.hasDeductions);
    meSubtractSum->setVisible(true);
    lbSubtractSum_->setVisible(true);
    meSubtractSum->setReadOnly(true);
    recomputeIncome();
    if (pnlIncomeRublSum->text().isEmpty())
        pnlIncomeRublSum->setText(QStringLiteral("0"));
}

void TfrCurrency::pickDeductCode() {
    const QString incomeCode = pnlIncomeCod->text();
    const QList<DeductCodeItem> items = DeductCodeList(dict_.documentElement(), incomeCode, true);
    QList<TPickRow> rows;
    for (const DeductCodeItem& d : items)
        rows.append({d.code, d.name});
    TfmCodePicker picker(this, QStringLiteral("Справочник видов вычетов"),
                         QStringLiteral("Виды вычетов"), QStringLiteral("Код"),
                         QStringLiteral("Виды вычетов"), rows);
    picker.list->setObjectName(QStringLiteral("lvDeductNames"));
    picker.preselect(PreselectRow(items, pnlSubtractCod->text()));
    const auto chosen = RunPicker(picker);
    if (!chosen || chosen->code == pnlSubtractCod->text())
        return;
    const DeductCodeItem& d = items.at(FindCodeRow(rows, chosen->code));
    contentChanged();
    pnlSubtractCod->setText(d.code);
    meSubtractSum->loadText(QString());
    applyDeduction(d);
    if (d.stav != 0 || d.equivalent)
        applyDeductRule();
}

void TfrCurrency::pickCurrency() {
    const auto chosen = PickCurrency(this, host(), meCurrencyCode->text());
    if (!chosen || chosen->code == meCurrencyCode->text())
        return;
    contentChanged();
    meCurrencyCode->setText(chosen->code);
}

void TfrCurrency::addSource() {
    TfmInputCurrencySourseIncome dialog(this, host());
    if (Dialogs().exec(dialog) != QDialog::Accepted ||
        dialog.meSourseName->text().trimmed().isEmpty())
        return;
    contentChanged();
    mTDeclaration& d = declaration();
    const bool wasEmpty = d.currencyIncomes.Count() == 0;
    const int index = d.currencyIncomes.Add();
    mTCurrencyIncome& c = d.currencyIncomes.Get(index);
    c.sourceName = dialog.meSourseName->text();
    c.countryCode = dialog.meGos->text();
    new QTreeWidgetItem(lvSourseIncomeInfo, QStringList{c.sourceName});
    if (wasEmpty)
        setDetailsEnabled(true);
    selectRecord(index);
    lvSourseIncomeInfo->setFocus();
}

void TfrCurrency::editSource() {
    if (selected_ < 0)
        return;
    mTCurrencyIncome& c = declaration().currencyIncomes.Get(selected_);
    TfmInputCurrencySourseIncome dialog(this, host());
    dialog.meSourseName->loadText(c.sourceName);
    dialog.meGos->loadText(c.countryCode);
    if (Dialogs().exec(dialog) != QDialog::Accepted ||
        dialog.meSourseName->text().trimmed().isEmpty())
        return;
    if (c.sourceName != dialog.meSourseName->text() || c.countryCode != dialog.meGos->text())
        contentChanged();
    c.sourceName = dialog.meSourseName->text();
    c.countryCode = dialog.meGos->text();
    lvSourseIncomeInfo->topLevelItem(selected_)->setText(0, c.sourceName);
}

void TfrCurrency::deleteSource() {
    if (selected_ < 0)
        return;
    contentChanged();
    const int index = selected_;
    selected_ = -1;
    declaration().currencyIncomes.Remove(index);
    {
        const bool was = loading_;
        loading_ = true;
        delete lvSourseIncomeInfo->takeTopLevelItem(index);
        loading_ = was;
    }
    const int left = declaration().currencyIncomes.Count();
    if (left == 0) {
        setDetailsEnabled(false);
        return;
    }
    selectRecord(index > 0 ? index - 1 : 0);
}

int TfrCurrency::CheckPage() {
    const mTDeclaration& d = declaration();
    for (int i = 0; i < d.currencyIncomes.Count(); ++i) {
        const mTCurrencyIncome& c = d.currencyIncomes.Get(i);
        QString message;
        if (c.currencyCode.isEmpty())
            message = QStringLiteral("По данному источнику выплаты не указан код валюты");
        else if (c.unitsOnIncomeDate == 0 || c.rateOnIncomeDate.isZero())
            message = QStringLiteral("По данному источнику выплаты не указан курс валюты");
        else if (c.incomeCode == 0)
            message = QStringLiteral("По данному источнику выплаты не указан код дохода");
        else if (c.incomeInCurrency.isZero())
            message = QStringLiteral("По данному источнику выплаты не указана сумма дохода");
        else if (c.deductionCode != 0 && !deductionMayBeZero(c.incomeCode) &&
                 c.deductionAmount.isZero())
            message = QStringLiteral("По данному источнику выплаты не указана сумма вычета");
        if (message.isEmpty())
            continue;
        TPageCheckRun run(host().checkAsker(), QStringLiteral("Доходы в валюте"));
        run.step(true, message, i + 1);
        return run.result();
    }
    return 0;
}

void TfrCurrency::FocusField(int position) {
    if (position < 1 || position > declaration().currencyIncomes.Count())
        return;
    lvSourseIncomeInfo->setFocus();
    selectRecord(position - 1);
}
