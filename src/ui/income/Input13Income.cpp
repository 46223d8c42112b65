#include "Input13Income.h"

#include "IncomeCodePickers.h"
#include "IncomeWidgets.h"
#include "refdata/DeductAmount.h"
#include "ui/MaskedEdit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QVBoxLayout>

using namespace IncomeUi;

namespace {

// A non-resident's income at 30 % carries a deduction only with these codes.
const QSet<QString> kNonResidentDeductible = {
    QStringLiteral("2760"), QStringLiteral("2761"), QStringLiteral("2762"), QStringLiteral("2720"),
    QStringLiteral("2730"), QStringLiteral("2740"), QStringLiteral("2770"), QStringLiteral("2790"),
    QStringLiteral("1530"), QStringLiteral("1531"), QStringLiteral("1532"), QStringLiteral("1533"),
    QStringLiteral("1534"), QStringLiteral("1535"), QStringLiteral("1536"), QStringLiteral("1537"),
    QStringLiteral("1538"), QStringLiteral("1539"), QStringLiteral("1541")};

// Securities expenses may exceed the income of the operation.
const QSet<QString> kSecuritiesIncome = {
    QStringLiteral("1530"), QStringLiteral("1531"), QStringLiteral("1532"), QStringLiteral("1533"),
    QStringLiteral("1535"), QStringLiteral("1536"), QStringLiteral("1537"), QStringLiteral("1538"),
    QStringLiteral("1539"), QStringLiteral("1541")};
const QSet<QString> kSecuritiesExpense = {
    QStringLiteral("201"), QStringLiteral("202"), QStringLiteral("203"),
    QStringLiteral("206"), QStringLiteral("207"), QStringLiteral("211"),
    QStringLiteral("213"), QStringLiteral("215"), QStringLiteral("620")};

} // namespace

TfmInput13Income::TfmInput13Income(QWidget* parent, CheckAsker& asker, Mode mode)
    : QDialog(parent), asker_(asker), mode_(mode), dict_(LoadIncomeDict()) {
    setWindowTitle(QStringLiteral("Сведения о доходе"));
    gbIncome = new QGroupBox(QStringLiteral("Сведения о полученном доходе"), this);
    pnlIncomeCod = codePanel("pnlIncomeCod", gbIncome);
    bnIncomeCod = pickButton("bnIncomeCod", QStringLiteral("Код дохода"), gbIncome);
    meIncomeSum = edit("meIncomeSum", edtCurrency, 12, 2, gbIncome);
    pnlSubtractCod = codePanel("pnlSubtractCod", gbIncome);
    bnSubtractCod = pickButton("bnSubtractCod", QStringLiteral("Код вычета (расхода)"), gbIncome);
    meSubtractSum = edit("meSubtractSum", edtCurrency, 12, 2, gbIncome);
    mePropSale = edit("mePropSale", edtDigital, 2, 0, gbIncome);
    mePropSale->setMaximumWidth(50);
    lbSubtractCod = caption(QStringLiteral("Код в&ычета (расхода)"), bnSubtractCod, gbIncome);
    lbSubtractSum = caption(QStringLiteral("Сумма выч&ета (расхода)"), meSubtractSum, gbIncome);

    auto* grid = new QGridLayout(gbIncome);
    grid->addWidget(caption(QStringLiteral("&Код дохода"), bnIncomeCod, gbIncome), 0, 0);
    grid->addWidget(pnlIncomeCod, 0, 1);
    grid->addWidget(bnIncomeCod, 0, 2);
    grid->addWidget(caption(QStringLiteral("&Сумма дохода"), meIncomeSum, gbIncome), 1, 0);
    grid->addWidget(meIncomeSum, 1, 1, 1, 2);
    grid->addWidget(lbSubtractCod, 2, 0);
    grid->addWidget(pnlSubtractCod, 2, 1);
    grid->addWidget(bnSubtractCod, 2, 2);
    grid->addWidget(lbSubtractSum, 3, 0);
    grid->addWidget(meSubtractSum, 3, 1, 1, 2);
    grid->addWidget(caption(QStringLiteral("&Месяц получения дохода "), mePropSale, gbIncome), 4,
                    0);
    grid->addWidget(mePropSale, 4, 1, Qt::AlignLeft);

    bnYes = button(QStringLiteral("&Да"), "bnYes", this);
    bnNo = button(QStringLiteral("&Нет"), "bnNo", this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bnYes);
    buttons->addWidget(bnNo);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gbIncome);
    layout->addLayout(buttons);
    resize(420, layout->sizeHint().height());

    meIncomeSum->setEnabled(false);
    mePropSale->setEnabled(false);
    setDeductionPart(false);

    connect(bnIncomeCod, &QPushButton::clicked, this, &TfmInput13Income::pickIncome);
    connect(bnSubtractCod, &QPushButton::clicked, this, &TfmInput13Income::pickDeduction);
    connect(meIncomeSum, &TMaskedEdit::changed, this,
            [this] { applyDeduction(int(DeductEvent::IncomeChanged)); });
    connect(meSubtractSum, &TMaskedEdit::changed, this,
            [this] { applyDeduction(int(DeductEvent::AmountTyped)); });
    connect(mePropSale, &TMaskedEdit::changed, this, &TfmInput13Income::monthChanged);
    connect(mePropSale, &TMaskedEdit::editingFinished, this, &TfmInput13Income::monthFinished);
    connect(bnYes, &QPushButton::clicked, this, &TfmInput13Income::confirm);
    connect(bnNo, &QPushButton::clicked, this, &QDialog::reject);
}

void TfmInput13Income::pickIncome() {
    const bool all = mode_ == Mode::NonResident;
    const std::optional<IncomeCodeItem> item =
        PickIncomeCode(this, dict_.documentElement(), all ? QString() : QStringLiteral("13"),
                       mode_ == Mode::HighlyQualified, incomeCode_);
    if (!item || item->code == incomeCode_)
        return;
    takeIncome(item->code, item->name, item->hasDeductions);
    meIncomeSum->loadText(QString());
    meIncomeSum->setFocus();
}

void TfmInput13Income::takeIncome(const QString& code, const QString& name, bool hasDeductions) {
    incomeCode_ = code;
    incomeName_ = name;
    pnlIncomeCod->setText(code);
    pnlIncomeCod->setToolTip(name);
    meIncomeSum->setEnabled(true);
    deduction_.reset();
    pnlSubtractCod->clear();
    meSubtractSum->loadText(QString());
    meSubtractSum->setVisible(true);
    setDeductionPart(hasDeductions &&
                     (mode_ != Mode::NonResident || kNonResidentDeductible.contains(code)));
    if (mode_ != Mode::NonResident)
        mePropSale->setEnabled(true);
}

void TfmInput13Income::setDeductionPart(bool on) {
    deductionPart_ = on;
    lbSubtractCod->setEnabled(on);
    bnSubtractCod->setEnabled(on);
    lbSubtractSum->setEnabled(on);
    meSubtractSum->setEnabled(on);
    meSubtractSum->setReadOnly(true);
}

void TfmInput13Income::pickDeduction() {
    if (!deductionPart_)
        return;
    const std::optional<DeductCodeItem> item =
        PickDeductCode(this, dict_.documentElement(), incomeCode_, mode_ != Mode::NonResident,
                       deduction_ ? deduction_->code : QString());
    if (!item || (deduction_ && item->code == deduction_->code))
        return;
    takeDeduction(*item);
    meSubtractSum->loadText(QString());
    applyDeduction(int(DeductEvent::CodeChosen));
    if (meSubtractSum->isVisible() && !meSubtractSum->isReadOnly())
        meSubtractSum->setFocus();
}

void TfmInput13Income::takeDeduction(const DeductCodeItem& deduction) {
    deduction_ = deduction;
    pnlSubtractCod->setText(deduction.code);
    pnlSubtractCod->setToolTip(deduction.name);
    meSubtractSum->setVisible(deduction.visible);
    lbSubtractSum->setEnabled(deduction.visible);
    meSubtractSum->setReadOnly(!deduction.enabled);
}

void TfmInput13Income::applyDeduction(int event) {
    if (!deduction_ || !deductionPart_)
        return;
    const DeductEvent e = DeductEvent(event);
    const std::optional<Money> income = fieldAmount(meIncomeSum);
    const std::optional<Money> amount = fieldAmount(meSubtractSum);
    DeductAmountState state;
    if (mode_ == Mode::HighlyQualified) {
        // Only the limit: no norm percent and no equivalent fill.
        state.visible = deduction_->visible;
        state.editable = deduction_->enabled;
        state.amount = e == DeductEvent::CodeChosen ? std::nullopt : amount;
        if (state.amount && deduction_->maxSum > Money() && *state.amount > deduction_->maxSum)
            state.amount = deduction_->maxSum;
    } else {
        state = ApplyDeductRules(*deduction_, e, income, amount);
    }
    if (!state.visible)
        return;
    // A typed amount stays as typed unless the limit replaced it.
    if (e == DeductEvent::AmountTyped && state.amount == amount)
        return;
    showAmount(meSubtractSum, state.amount);
}

void TfmInput13Income::monthChanged() {
    // Two digits above 12 cannot start a month, so they are mended at once; a
    // lone 0 may still become 05 and waits for the field to be left.
    if (mePropSale->text().toInt() >= 13)
        mePropSale->loadText(QStringLiteral("12"));
}

void TfmInput13Income::monthFinished() {
    const QString t = mePropSale->text();
    if (!t.isEmpty() && t.toInt() == 0)
        mePropSale->loadText(QStringLiteral("1"));
}

void TfmInput13Income::load(const mTThirteenPercent::IncomeRow& row) {
    if (row.incomeCode == 0)
        return;
    const QString code = QString::number(row.incomeCode);
    const std::optional<IncomeCodeItem> item = FindIncome(dict_.documentElement(), code);
    takeIncome(code, row.incomeName, item && item->hasDeductions);
    meIncomeSum->loadMoney(row.amount);
    if (row.month != 0)
        mePropSale->loadText(QString::number(row.month));
    if (!deductionPart_)
        return;
    const std::optional<DeductCodeItem> d =
        FindDeduction(dict_.documentElement(), code, QString::number(row.deductionCode));
    if (!d)
        return;
    takeDeduction(*d);
    meSubtractSum->loadMoney(row.deductionAmount);
}

mTThirteenPercent::IncomeRow TfmInput13Income::row() const {
    mTThirteenPercent::IncomeRow r;
    r.incomeCode = incomeCode_.toInt();
    if (mode_ != Mode::HighlyQualified)
        r.incomeName = incomeName_;
    r.amount = meIncomeSum->money();
    if (deductionPart_ && deduction_) {
        r.deductionCode = deduction_->code.toInt();
        r.deductionAmount = deduction_->visible ? meSubtractSum->money() : Money();
        if (mode_ != Mode::HighlyQualified)
            r.deductionRate = deduction_->stav;
    }
    const int month = mePropSale->text().toInt();
    r.month = qint16(qBound(1, month, 12));
    return r;
}

int TfmInput13Income::checkRow() {
    monthFinished();
    TDialogCheckRun run(asker_,
                        mode_ == Mode::HighlyQualified
                            ? QStringLiteral("Доходы нерезедентов, облагаемые по ставке 13%")
                            : QStringLiteral("Доходы, облагаемые по ставке 13%"));
    const bool coded = !incomeCode_.isEmpty();
    const std::optional<Money> income = fieldAmount(meIncomeSum);
    run.step(!coded, QStringLiteral("Не выбран доход"), 1);
    run.step(!income, QStringLiteral("Не указана сумма дохода"), coded ? 2 : 1, false);
    run.step(deductionPart_ && !deduction_, QStringLiteral("Не выбран вычет"), 3);
    const std::optional<Money> amount = fieldAmount(meSubtractSum);
    if (deductionPart_ && deduction_ && deduction_->visible && deduction_->enabled && amount) {
        const QString exceeds = QStringLiteral("Сумма вычета превышает сумму дохода");
        if (income) {
            const bool mayExceed = kSecuritiesIncome.contains(incomeCode_) &&
                                   kSecuritiesExpense.contains(deduction_->code);
            run.step(*amount > *income && !mayExceed, exceeds, 4, false);
        } else {
            run.step(true, exceeds, 2, false);
        }
    }
    return run.result();
}

void TfmInput13Income::focusPosition(int position) {
    switch (position) {
    case 1:
        bnIncomeCod->setFocus();
        pickIncome();
        break;
    case 2:
        meIncomeSum->setFocus();
        break;
    case 3:
        bnSubtractCod->setFocus();
        pickDeduction();
        break;
    case 4:
        meSubtractSum->setFocus();
        break;
    default:
        break;
    }
}

void TfmInput13Income::confirm() {
    const int position = checkRow();
    if (position == 0)
        accept();
    else
        focusPosition(position);
}

void TfmInput13Income::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        confirm();
        return;
    }
    QDialog::keyPressEvent(event);
}
