#include "FrameBusinessNew.h"

#include "InputBusinessIncome.h"
#include "calc/RateMath.h"
#include "checks/CheckAsk.h"
#include "model/DeclClasses.h"
#include "storage/DateTime.h"
#include "ui/Dialogs.h"
#include "ui/MaskedEdit.h"
#include "ui/WidgetKit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

TMaskedEdit* money(QWidget* parent, const char* name) {
    auto* e = new TMaskedEdit(edtCurrency, 12, 2, parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setFixedWidth(140);
    return e;
}

using WidgetKit::caption;

QString shortest(Money m) {
    return m.toString(TMaskedEdit::decimalSeparator());
}

void showMoney(TMaskedEdit* e, Money m) {
    e->loadText(shortest(m));
}

constexpr int kFirstYear = 1997;
constexpr int kLastYear = 2011;
constexpr int kDefaultYear = 2008;

} // namespace

TfrBusinessNew::TfrBusinessNew(TPageHost& host, QWidget* parent) : TThinkingFrame(host, parent) {
    buildLayout();
    TPageBuilding building(host);
    loading_ = true;
    const mTDeclaration& d = declaration();
    for (const mTBusinessNew& b : d.businessActivities)
        new QTreeWidgetItem(lvSourseIncomeInfo, QStringList{RowText(b)});
    showMoney(meActualPrepayment, d.actualAdvancePayments);
    showMoney(meNachPrepayment, d.accruedAdvancePayments);
    showMoney(meFHSum, d.farmExemptIncome);
    cbIsFH->setChecked(d.isFarm != 0);
    const int year = d.farmFoundedDate != 0 ? TDateTime::toDate(d.farmFoundedDate).year() : 0;
    meBeginninFH->loadText(year > 0 ? QString::number(year) : QString::number(kDefaultYear));
    loading_ = false;
    setFieldsEnabled(d.businessActivities.Count() > 0);
}

QString TfrBusinessNew::RowText(const mTBusinessNew& b) {
    if (b.activityKind == u"2")
        return QStringLiteral("Нотариальная деятельность");
    if (b.activityKind == u"3")
        return QStringLiteral("Адвокатская деятельность");
    if (b.activityKind == u"4")
        return QStringLiteral("Иная деятельность");
    return b.activityCode;
}

void TfrBusinessNew::buildLayout() {
    std::tie(lvSourseIncomeInfo, bnAdd, bnDelete, bnEdit) = WidgetKit::itemList(
        this, QStringLiteral("Виды деятельности"), QStringLiteral("Список видов деятельности"));

    auto* gbRecord = new QGroupBox(QStringLiteral("Доходы и расходы"), this);
    MaskedEdit1 = money(gbRecord, "MaskedEdit1");
    chbIsConfirmedExpensies =
        new QCheckBox(QStringLiteral("&Имеются документально подтв. расходы"), gbRecord);
    chbIsConfirmedExpensies->setObjectName(QStringLiteral("chbIsConfirmedExpensies"));
    auto* lbIncome = caption(gbRecord, QStringLiteral("&Сумма дохода"), MaskedEdit1);

    auto* confirmed = new QWidget(gbRecord);
    gbConfirmed_ = confirmed;
    MaskedEdit2 = money(confirmed, "MaskedEdit2");
    MaskedEdit3 = money(confirmed, "MaskedEdit3");
    MaskedEdit4 = money(confirmed, "MaskedEdit4");
    MaskedEdit5 = money(confirmed, "MaskedEdit5");
    MaskedEdit6 = money(confirmed, "MaskedEdit6");
    MaskedEdit7 = money(confirmed, "MaskedEdit7");
    auto* gc = new QGridLayout(confirmed);
    gc->setContentsMargins(0, 0, 0, 0);
    gc->addWidget(caption(confirmed, QStringLiteral("Итого рас&ходов "), MaskedEdit2), 0, 0);
    gc->addWidget(MaskedEdit2, 0, 1);
    gc->addWidget(new QLabel(QStringLiteral("в том числе"), confirmed), 0, 2);
    gc->addWidget(caption(confirmed, QStringLiteral("&Мат. расходы"), MaskedEdit3), 1, 0);
    gc->addWidget(MaskedEdit3, 1, 1);
    gc->addWidget(caption(confirmed, QStringLiteral("&Амортизац. начисл."), MaskedEdit4), 2, 0);
    gc->addWidget(MaskedEdit4, 2, 1);
    gc->addWidget(caption(confirmed, QStringLiteral("&Оплата труда"), MaskedEdit5), 3, 0);
    gc->addWidget(MaskedEdit5, 3, 1);
    gc->addWidget(caption(confirmed, QStringLiteral("в т.ч. по &тр. договорам"), MaskedEdit6), 4,
                  0);
    gc->addWidget(MaskedEdit6, 4, 1);
    gc->addWidget(caption(confirmed, QStringLiteral("&Прочие расходы"), MaskedEdit7), 5, 0);
    gc->addWidget(MaskedEdit7, 5, 1);
    gc->setColumnStretch(3, 1);

    auto* norm = new QWidget(gbRecord);
    gbNorm_ = norm;
    Panel5 = new QLabel(norm);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    Panel5->setFrameShape(QFrame::StyledPanel);
    Panel5->setFrameShadow(QFrame::Sunken);
    Panel5->setFixedWidth(140);
    Panel5->setMinimumHeight(22);
    Panel5->setAccessibleName(QStringLiteral("Итого расходов"));
    auto* gn = new QHBoxLayout(norm);
    gn->setContentsMargins(0, 0, 0, 0);
    gn->addWidget(new QLabel(QStringLiteral("Итого расходов"), norm));
    gn->addWidget(Panel5);
    gn->addStretch();

    auto* gr = new QGridLayout(gbRecord);
    gr->addWidget(lbIncome, 0, 0);
    gr->addWidget(MaskedEdit1, 0, 1, Qt::AlignLeft);
    gr->addWidget(chbIsConfirmedExpensies, 1, 0, 1, 2);
    gr->addWidget(confirmed, 2, 0, 1, 2);
    gr->addWidget(norm, 3, 0, 1, 2);
    gr->setColumnStretch(1, 1);

    auto* gbDecl = new QGroupBox(QStringLiteral("Авансовые платежи"), this);
    meNachPrepayment = new TMaskedEdit(edtDigital, 12, 0, gbDecl);
    meNachPrepayment->setObjectName(QStringLiteral("meNachPrepayment"));
    meActualPrepayment = new TMaskedEdit(edtDigital, 12, 0, gbDecl);
    meActualPrepayment->setObjectName(QStringLiteral("meActualPrepayment"));
    cbIsFH = new QCheckBox(QStringLiteral("&Крестьянское (фермерское) хозяйство"), gbDecl);
    cbIsFH->setObjectName(QStringLiteral("cbIsFH"));
    meBeginninFH = new TMaskedEdit(edtDigital, 4, 0, gbDecl);
    meBeginninFH->setObjectName(QStringLiteral("meBeginninFH"));
    meBeginninFH->setFixedWidth(60);
    updBeginningUsePrivilegeDate = new QSpinBox(gbDecl);
    updBeginningUsePrivilegeDate->setObjectName(QStringLiteral("updBeginningUsePrivilegeDate"));
    updBeginningUsePrivilegeDate->setRange(kFirstYear, kLastYear);
    updBeginningUsePrivilegeDate->setValue(kDefaultYear);
    updBeginningUsePrivilegeDate->setFixedWidth(22);
    updBeginningUsePrivilegeDate->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    updBeginningUsePrivilegeDate->setFocusPolicy(Qt::NoFocus);
    updBeginningUsePrivilegeDate->setAccessibleName(QStringLiteral("Год образования"));
    meFHSum = money(gbDecl, "meFHSum");
    for (TMaskedEdit* e : {meNachPrepayment, meActualPrepayment})
        e->setFixedWidth(140);
    auto* lbYear = caption(gbDecl, QStringLiteral("&Год образования"), meBeginninFH);
    auto* lbExempt = caption(gbDecl, QStringLiteral("&Необлагаемый доход"), meFHSum);
    auto* gd = new QGridLayout(gbDecl);
    gd->addWidget(caption(gbDecl, QStringLiteral("Начисл&енные платежи"), meNachPrepayment), 0, 0);
    gd->addWidget(meNachPrepayment, 0, 1);
    gd->addWidget(caption(gbDecl, QStringLiteral("&Фактические платежи"), meActualPrepayment), 1,
                  0);
    gd->addWidget(meActualPrepayment, 1, 1);
    gd->addWidget(cbIsFH, 2, 0, 1, 3);
    gd->addWidget(lbYear, 3, 0);
    auto* yearRow = new QHBoxLayout;
    yearRow->setSpacing(0);
    yearRow->addWidget(meBeginninFH);
    yearRow->addWidget(updBeginningUsePrivilegeDate);
    yearRow->addStretch();
    gd->addLayout(yearRow, 3, 1);
    gd->addWidget(lbExempt, 4, 0);
    gd->addWidget(meFHSum, 4, 1);
    gd->setColumnStretch(2, 1);

    auto* listButtons = new QVBoxLayout;
    listButtons->addWidget(bnAdd);
    listButtons->addWidget(bnDelete);
    listButtons->addWidget(bnEdit);
    listButtons->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(lvSourseIncomeInfo, 1);
    top->addLayout(listButtons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(gbRecord);
    layout->addWidget(gbDecl);
    layout->addStretch();

    QWidget* order[] = {lvSourseIncomeInfo,
                        bnAdd,
                        bnDelete,
                        bnEdit,
                        MaskedEdit1,
                        chbIsConfirmedExpensies,
                        MaskedEdit2,
                        MaskedEdit3,
                        MaskedEdit4,
                        MaskedEdit5,
                        MaskedEdit6,
                        MaskedEdit7,
                        meNachPrepayment,
                        meActualPrepayment,
                        cbIsFH,
                        meBeginninFH,
                        meFHSum};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    recordFields_ = {gbRecord};
    farmFields_ = {lbYear, meBeginninFH, updBeginningUsePrivilegeDate, lbExempt, meFHSum};
    declarationFields_ = {gbDecl};

    connect(bnAdd, &QPushButton::clicked, this, &TfrBusinessNew::addActivity);
    connect(bnDelete, &QPushButton::clicked, this, &TfrBusinessNew::deleteActivity);
    connect(bnEdit, &QPushButton::clicked, this, &TfrBusinessNew::editActivity);
    connect(lvSourseIncomeInfo, &QTreeWidget::itemActivated, this, &TfrBusinessNew::editActivity);
    connect(lvSourseIncomeInfo, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) {
                if (!loading_ && item)
                    selectRecord(lvSourseIncomeInfo->indexOfTopLevelItem(item));
            });
    connect(MaskedEdit1, &TMaskedEdit::changed, this, &TfrBusinessNew::recomputeNorm);
    connect(chbIsConfirmedExpensies, &QCheckBox::clicked, this, [this] {
        contentChanged();
        showExpenseGroup();
        recomputeNorm();
    });
    connect(cbIsFH, &QCheckBox::clicked, this, [this] {
        contentChanged();
        applyFarmEnabling();
    });
    connect(updBeginningUsePrivilegeDate, &QSpinBox::valueChanged, this, [this](int year) {
        if (!loading_)
            meBeginninFH->setText(QString::number(year));
    });
    connect(meBeginninFH, &TMaskedEdit::changed, this, [this] {
        bool ok = false;
        const int year = meBeginninFH->text().toInt(&ok);
        if (ok && year >= kFirstYear && year <= kLastYear) {
            const bool was = loading_;
            loading_ = true;
            updBeginningUsePrivilegeDate->setValue(year);
            loading_ = was;
        }
    });
    showExpenseGroup();
}

void TfrBusinessNew::setFieldsEnabled(bool enabled) {
    for (QWidget* w : std::as_const(recordFields_))
        w->setEnabled(enabled);
    for (QWidget* w : std::as_const(declarationFields_))
        w->setEnabled(enabled);
    if (!enabled) {
        cbIsFH->setChecked(false);
        const bool was = loading_;
        loading_ = true;
        for (TMaskedEdit* e : {meFHSum, meNachPrepayment, meActualPrepayment})
            e->loadText(QStringLiteral("0"));
        for (TMaskedEdit* e : {MaskedEdit1, MaskedEdit2, MaskedEdit3, MaskedEdit4, MaskedEdit5,
                               MaskedEdit6, MaskedEdit7})
            e->loadText(QString());
        Panel5->clear();
        loading_ = was;
    }
    applyFarmEnabling();
}

void TfrBusinessNew::applyFarmEnabling() {
    const bool on = cbIsFH->isEnabled() && cbIsFH->isChecked();
    for (QWidget* w : std::as_const(farmFields_))
        w->setEnabled(on);
}

void TfrBusinessNew::showExpenseGroup() {
    const bool confirmed = chbIsConfirmedExpensies->isChecked();
    gbConfirmed_->setVisible(confirmed);
    gbNorm_->setVisible(!confirmed);
}

void TfrBusinessNew::recomputeNorm() {
    if (loading_)
        return;
    Panel5->setText(MaskedEdit1->text().isEmpty()
                        ? QStringLiteral("0")
                        : shortest(RateProduct(MaskedEdit1->money(), 20, RateRounding::Kopecks)));
}

void TfrBusinessNew::PageShown() {
    if (selected_ < 0 && lvSourseIncomeInfo->topLevelItemCount() > 0)
        selectRecord(0);
}

void TfrBusinessNew::selectRecord(int index) {
    if (index < 0 || index >= declaration().businessActivities.Count())
        return;
    if (selected_ >= 0 && selected_ != index)
        storeRecord(selected_);
    selected_ = index;
    const bool was = loading_;
    loading_ = true;
    QTreeWidgetItem* item = lvSourseIncomeInfo->topLevelItem(index);
    lvSourseIncomeInfo->setCurrentItem(item);
    lvSourseIncomeInfo->scrollToItem(item);
    loading_ = was;
    loadRecord(index);
}

void TfrBusinessNew::loadRecord(int index) {
    const mTBusinessNew& b = declaration().businessActivities.Get(index);
    const bool was = loading_;
    loading_ = true;
    chbIsConfirmedExpensies->setChecked(b.hasConfirmedExpenses != 0);
    showExpenseGroup();
    showMoney(MaskedEdit1, b.income);
    showMoney(MaskedEdit2, b.expensesTotal);
    showMoney(MaskedEdit3, b.materialExpenses);
    showMoney(MaskedEdit4, b.depreciation);
    showMoney(MaskedEdit5, b.labourExpenses);
    showMoney(MaskedEdit6, b.labourContractExpenses);
    showMoney(MaskedEdit7, b.otherExpenses);
    Panel5->setText(shortest(b.unconfirmedExpenses));
    loading_ = was;
}

void TfrBusinessNew::storeRecord(int index) {
    if (index < 0 || index >= declaration().businessActivities.Count())
        return;
    mTBusinessNew& b = declaration().businessActivities.Get(index);
    b.income = MaskedEdit1->money();
    if (chbIsConfirmedExpensies->isChecked()) {
        b.hasConfirmedExpenses = 1;
        b.expensesTotal = MaskedEdit2->money();
        b.materialExpenses = MaskedEdit3->money();
        b.depreciation = MaskedEdit4->money();
        b.labourExpenses = MaskedEdit5->money();
        b.labourContractExpenses = MaskedEdit6->money();
        b.otherExpenses = MaskedEdit7->money();
    } else {
        b.hasConfirmedExpenses = 0;
        b.unconfirmedExpenses =
            Money::parse(Panel5->text(), TMaskedEdit::decimalSeparator()).value_or(Money());
    }
}

void TfrBusinessNew::StoreToModel() {
    storeRecord(selected_);
    mTDeclaration& d = declaration();
    d.actualAdvancePayments = meActualPrepayment->money();
    d.accruedAdvancePayments = meNachPrepayment->money();
    d.farmExemptIncome = meFHSum->money();
    d.isFarm = cbIsFH->isChecked() ? 1 : 0;
    bool ok = false;
    const int year = meBeginninFH->text().toInt(&ok);
    d.farmFoundedDate = TDateTime::fromYmd(ok && year > 0 ? year : 2000, 1, 1);
}

void TfrBusinessNew::addActivity() {
    TfmInputBusinessIncome dialog(this, host());
    if (Dialogs().exec(dialog) != QDialog::Accepted)
        return;
    const QString kind = dialog.kind();
    const QString code = dialog.me1->text();
    if (kind == u"1" && code.trimmed().isEmpty())
        return;
    contentChanged();
    mTDeclaration& d = declaration();
    const bool wasEmpty = d.businessActivities.Count() == 0;
    const int index = d.businessActivities.Add();
    mTBusinessNew& b = d.businessActivities.Get(index);
    b.activityKind = kind;
    b.activityCode = code;
    b.hasConfirmedExpenses = 0;
    new QTreeWidgetItem(lvSourseIncomeInfo, QStringList{RowText(b)});
    if (wasEmpty)
        setFieldsEnabled(true);
    selectRecord(index);
    lvSourseIncomeInfo->setFocus();
}

void TfrBusinessNew::editActivity() {
    if (selected_ < 0)
        return;
    mTBusinessNew& b = declaration().businessActivities.Get(selected_);
    TfmInputBusinessIncome dialog(this, host());
    dialog.setKind(b.activityKind);
    dialog.me1->setText(b.activityCode == u".." ? QString() : b.activityCode);
    if (Dialogs().exec(dialog) != QDialog::Accepted)
        return;
    const QString kind = dialog.kind();
    const QString code = dialog.me1->text();
    // A business keeps its code: without one it could not be declared.
    if (kind == u"1" && code.trimmed().isEmpty())
        return;
    if (kind != b.activityKind || code != b.activityCode)
        contentChanged();
    b.activityKind = kind;
    b.activityCode = code;
    lvSourseIncomeInfo->topLevelItem(selected_)->setText(0, RowText(b));
}

void TfrBusinessNew::deleteActivity() {
    if (selected_ < 0)
        return;
    contentChanged();
    const int index = selected_;
    selected_ = -1;
    declaration().businessActivities.Remove(index);
    loading_ = true;
    delete lvSourseIncomeInfo->takeTopLevelItem(index);
    loading_ = false;
    if (declaration().businessActivities.Count() == 0) {
        setFieldsEnabled(false);
        return;
    }
    selectRecord(index > 0 ? index - 1 : 0);
}

int TfrBusinessNew::CheckPage() {
    const mTDeclaration& d = declaration();
    const QString title = QStringLiteral("Проверка: Доходы от предпринимательской деятельности");
    CheckAnswer last = CheckAnswer::Skip;
    int result = 0;
    // True when the walk ends ("Пропустить все").
    const auto ask = [&](const QString& message, int position) {
        last = host().checkAsker().AskPage(title, message, true, true);
        if (last == CheckAnswer::Fix)
            result = position;
        return last == CheckAnswer::SkipAll;
    };
    const auto text = [](Money m) { return m.toString(TMaskedEdit::decimalSeparator()); };
    for (int i = 0; i < d.businessActivities.Count(); ++i) {
        const mTBusinessNew& b = d.businessActivities.Get(i);
        const bool confirmed = b.hasConfirmedExpenses != 0;
        if (confirmed != (d.businessActivities.Get(0).hasConfirmedExpenses != 0) &&
            ask(QStringLiteral("Нельзя одновременно пользоваться и подтвержденными расходами и "
                               "нормативом 20%."),
                i + 1))
            return result;
        if (!confirmed || last == CheckAnswer::Fix)
            continue;
        if (b.labourExpenses < b.labourContractExpenses &&
            ask(QStringLiteral("Расходы по оплате трудовых договоров(") +
                    text(b.labourContractExpenses) +
                    QStringLiteral(") превышают сумму расходов на оплату труда (") +
                    text(b.labourExpenses) + QStringLiteral(")"),
                i + 1))
            return result;
        if (last == CheckAnswer::Fix)
            continue;
        const Money parts =
            b.depreciation + b.materialExpenses + b.labourExpenses + b.otherExpenses;
        if (b.expensesTotal != parts &&
            ask(QStringLiteral("Общие расходы (") + text(b.expensesTotal) +
                    QStringLiteral(") не совпадают с суммой расходов материальных, на оплату "
                                   "труда, прочих и амортизационных отчислений (") +
                    text(parts) + QStringLiteral(")"),
                i + 1))
            return result;
    }
    return result;
}

void TfrBusinessNew::FocusField(int position) {
    if (position < 1 || position > declaration().businessActivities.Count())
        return;
    lvSourseIncomeInfo->setFocus();
    selectRecord(position - 1);
}
