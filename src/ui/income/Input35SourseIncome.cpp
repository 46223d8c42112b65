#include "Input35SourseIncome.h"

#include "IncomeCodePickers.h"
#include "IncomeWidgets.h"
#include "checks/PrimaryCheck.h"
#include "model/StavClasses.h"
#include "refdata/DeductAmount.h"
#include "ui/MaskedEdit.h"
#include "ui/WidgetKit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace IncomeUi;

namespace {
const QString kTitle = QStringLiteral("Доходы, облагаемые по ставке 35%");
}

TfmInput35SourseIncome::TfmInput35SourseIncome(QWidget* parent, CheckAsker& asker)
    : QDialog(parent), asker_(asker), dict_(LoadIncomeDict()) {
    setWindowTitle(QStringLiteral("Доход"));
    meSourseName = edit("meSourseName", edtNone, 1000, 0, this);
    meINN = edit("meINN", edtDigital, 12, 0, this);
    meKPP = edit("meKPP", edtDigital, 9, 0, this);
    meOKATO = edit("meOKATO", edtDigital, 11, 0, this);
    pnlIncomeCod = codePanel("pnlIncomeCod", this);
    bnIncomeCod = pickButton("bnIncomeCod", QStringLiteral("Код дохода"), this);
    meItogIncomeSum = edit("meItogIncomeSum", edtCurrency, 12, 2, this);
    pnlSubtractCod = codePanel("pnlSubtractCod", this);
    bnSubtractCod = pickButton("bnSubtractCod", QStringLiteral("Код вычета"), this);
    meSubtractSum = edit("meSubtractSum", edtCurrency, 12, 2, this);
    meHoldSum = edit("meHoldSum", edtDigital, 12, 0, this);
    lbSubtractCod = caption(QStringLiteral("Код в&ычета"), bnSubtractCod, this);
    lbSubtractSum = caption(QStringLiteral("Сумма выч&ета"), meSubtractSum, this);

    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(caption(QStringLiteral("Наименование исто&чника выплаты"), meSourseName, this),
                    row, 0);
    grid->addWidget(meSourseName, row++, 1, 1, 2);
    grid->addWidget(caption(QStringLiteral("&ИНН"), meINN, this), row, 0);
    grid->addWidget(meINN, row++, 1, 1, 2);
    grid->addWidget(caption(QStringLiteral("&КПП"), meKPP, this), row, 0);
    grid->addWidget(meKPP, row++, 1, 1, 2);
    grid->addWidget(caption(QStringLiteral("OK&ATO"), meOKATO, this), row, 0);
    grid->addWidget(meOKATO, row++, 1, 1, 2);
    grid->addWidget(caption(QStringLiteral("Код до&хода"), bnIncomeCod, this), row, 0);
    grid->addWidget(pnlIncomeCod, row, 1);
    grid->addWidget(bnIncomeCod, row++, 2);
    grid->addWidget(caption(QStringLiteral("&Сумма дохода"), meItogIncomeSum, this), row, 0);
    grid->addWidget(meItogIncomeSum, row++, 1, 1, 2);
    grid->addWidget(lbSubtractCod, row, 0);
    grid->addWidget(pnlSubtractCod, row, 1);
    grid->addWidget(bnSubtractCod, row++, 2);
    grid->addWidget(lbSubtractSum, row, 0);
    grid->addWidget(meSubtractSum, row++, 1, 1, 2);
    grid->addWidget(caption(QStringLiteral("Сумма &удержанного налога"), meHoldSum, this), row, 0);
    grid->addWidget(meHoldSum, row++, 1, 1, 2);
    bnYes = button(QStringLiteral("&Да"), "bnYes", this);
    bnNo = button(QStringLiteral("&Нет"), "bnNo", this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bnYes);
    buttons->addWidget(bnNo);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    resize(480, layout->sizeHint().height());

    meItogIncomeSum->setEnabled(false);
    for (QWidget* w : std::initializer_list<QWidget*>{lbSubtractCod, bnSubtractCod, lbSubtractSum,
                                                      meSubtractSum})
        w->setEnabled(false);
    meSubtractSum->setReadOnly(true);

    connect(bnIncomeCod, &QPushButton::clicked, this, &TfmInput35SourseIncome::pickIncome);
    connect(bnSubtractCod, &QPushButton::clicked, this, &TfmInput35SourseIncome::pickDeduction);
    connect(meItogIncomeSum, &TMaskedEdit::changed, this, &TfmInput35SourseIncome::incomeChanged);
    connect(meSubtractSum, &TMaskedEdit::changed, this, &TfmInput35SourseIncome::amountTyped);
    connect(bnYes, &QPushButton::clicked, this, &TfmInput35SourseIncome::confirm);
    connect(bnNo, &QPushButton::clicked, this, &QDialog::reject);
}

void TfmInput35SourseIncome::pickIncome() {
    const std::optional<IncomeCodeItem> item =
        PickIncomeCode(this, dict_.documentElement(), QStringLiteral("35"), false, incomeCode_);
    if (!item || item->code == incomeCode_)
        return;
    takeIncome(item->code, item->hasDeductions);
    meItogIncomeSum->setFocus();
}

void TfmInput35SourseIncome::takeIncome(const QString& code, bool hasDeductions) {
    incomeCode_ = code;
    pnlIncomeCod->setText(code);
    meItogIncomeSum->loadText(QString());
    meItogIncomeSum->setEnabled(true);
    deduction_.reset();
    pnlSubtractCod->clear();
    meSubtractSum->loadText(QString());
    meSubtractSum->setVisible(true);
    meSubtractSum->setReadOnly(true);
    deductionPart_ = hasDeductions;
    for (QWidget* w : std::initializer_list<QWidget*>{lbSubtractCod, bnSubtractCod, lbSubtractSum,
                                                      meSubtractSum})
        w->setEnabled(hasDeductions);
}

void TfmInput35SourseIncome::pickDeduction() {
    if (!deductionPart_)
        return;
    const std::optional<DeductCodeItem> item =
        PickDeductCode(this, dict_.documentElement(), incomeCode_, true,
                       deduction_ ? deduction_->code : QString());
    if (!item || (deduction_ && item->code == deduction_->code))
        return;
    takeDeduction(*item);
    // Visibility, editability, equivalent fill and limit; the norm percent is
    // not used at this rate.
    DeductCodeItem rules = *item;
    rules.stav = 0;
    const DeductAmountState s = ApplyDeductRules(rules, DeductEvent::CodeChosen,
                                                 fieldAmount(meItogIncomeSum), std::nullopt);
    if (s.visible)
        showAmount(meSubtractSum, s.amount);
}

void TfmInput35SourseIncome::takeDeduction(const DeductCodeItem& deduction) {
    deduction_ = deduction;
    pnlSubtractCod->setText(deduction.code);
    pnlSubtractCod->setToolTip(deduction.name);
    meSubtractSum->loadText(QString());
    meSubtractSum->setVisible(deduction.visible);
    lbSubtractSum->setEnabled(deduction.visible);
    meSubtractSum->setReadOnly(!deduction.enabled);
}

void TfmInput35SourseIncome::incomeChanged() {
    if (!deduction_ || !deduction_->visible)
        return;
    Money amount = deduction_->equivalent ? meItogIncomeSum->money() : Money();
    if (deduction_->maxSum > Money() && amount > deduction_->maxSum)
        amount = deduction_->maxSum;
    showAmount(meSubtractSum, amount);
}

void TfmInput35SourseIncome::amountTyped() {
    if (!amountEditable() || deduction_->maxSum <= Money())
        return;
    if (meSubtractSum->money() > deduction_->maxSum)
        showAmount(meSubtractSum, deduction_->maxSum);
}

bool TfmInput35SourseIncome::amountEditable() const {
    return deductionPart_ && deduction_ && deduction_->visible && deduction_->enabled;
}

void TfmInput35SourseIncome::load(const mTThirtyFivePercent& p) {
    if (p.incomeCode != 0) {
        const QString code = QString::number(p.incomeCode);
        const std::optional<IncomeCodeItem> item = FindIncome(dict_.documentElement(), code);
        takeIncome(code, item && item->hasDeductions);
        meItogIncomeSum->loadMoney(p.totalIncome);
        if (deductionPart_) {
            if (const std::optional<DeductCodeItem> d = FindDeduction(
                    dict_.documentElement(), code, QString::number(p.deductionCode))) {
                takeDeduction(*d);
                if (d->visible)
                    showAmount(meSubtractSum, p.deductionAmount);
            }
        }
    }
    meSourseName->loadText(p.sourceName);
    meINN->loadText(p.sourceInn);
    meKPP->loadText(p.sourceKpp);
    meOKATO->loadText(p.sourceOkato);
    meHoldSum->loadMoney(p.taxWithheld);
}

void TfmInput35SourseIncome::store(mTThirtyFivePercent& p) const {
    p.sourceName = meSourseName->text();
    p.sourceInn = meINN->text();
    p.sourceKpp = meKPP->text();
    p.sourceOkato = meOKATO->text();
    p.incomeCode = incomeCode_.toInt();
    p.totalIncome = meItogIncomeSum->money();
    const bool withDeduction = deductionPart_ && deduction_;
    p.deductionCode = withDeduction ? deduction_->code.toInt() : 0;
    p.deductionAmount = withDeduction && deduction_->visible ? meSubtractSum->money() : Money();
    p.taxWithheld = meHoldSum->money();
}

QString TfmInput35SourseIncome::sourceName() const {
    return meSourseName->text();
}

int TfmInput35SourseIncome::checkIncome() {
    TDialogCheckRun run(asker_, kTitle);
    const bool coded = !incomeCode_.isEmpty();
    const std::optional<Money> income = fieldAmount(meItogIncomeSum);
    run.step(!coded, QStringLiteral("Не выбран доход"), 9, false);
    run.step(!income, QStringLiteral("Не указана сумма дохода"), coded ? 5 : 9, false);
    run.step(deductionPart_ && !deduction_, QStringLiteral("Не выбран вычет"), 6);
    if (!amountEditable())
        return run.result();
    if (const std::optional<Money> amount = fieldAmount(meSubtractSum)) {
        const QString exceeds = QStringLiteral("Сумма вычета превышает сумму дохода");
        run.step(!income || *amount > *income, exceeds, income ? 7 : 5, false);
    }
    if (const std::optional<Money> withheld = fieldAmount(meHoldSum)) {
        const QString exceeds = QStringLiteral("Удержанная сумма превышает сумму дохода");
        run.step(!income || *withheld > *income, exceeds, income ? 8 : 5);
    }
    return run.result();
}

void TfmInput35SourseIncome::confirm() {
    int position = CheckPaymentSource(asker_, kTitle, meSourseName->text(), meOKATO->text(),
                                      meKPP->text(), meINN->text());
    if (position == 0)
        position = checkIncome();
    if (position == 0)
        accept();
    else
        focusPosition(position);
}

void TfmInput35SourseIncome::focusPosition(int position) {
    // A code is chosen from its list, which opens at once.
    if (position == 6) {
        bnSubtractCod->setFocus();
        pickDeduction();
    } else if (position == 9) {
        bnIncomeCod->setFocus();
        pickIncome();
    } else if (QWidget* field = WidgetKit::fieldAt(position, {{1, meSourseName},
                                                              {2, meINN},
                                                              {3, meKPP},
                                                              {4, meOKATO},
                                                              {5, meItogIncomeSum},
                                                              {7, meSubtractSum},
                                                              {8, meHoldSum}})) {
        field->setFocus();
    }
}

void TfmInput35SourseIncome::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        confirm();
        return;
    }
    QDialog::keyPressEvent(event);
}
