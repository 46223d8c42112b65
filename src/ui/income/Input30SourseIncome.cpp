#include "Input30SourseIncome.h"

#include "IncomeWidgets.h"
#include "calc/RateMath.h"
#include "checks/PrimaryCheck.h"
#include "model/StavClasses.h"
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
const QString kTitle = QStringLiteral("Доходы, облагаемые по ставке 30%");
}

TfmInput30SourseIncome::TfmInput30SourseIncome(QWidget* parent, CheckAsker& asker, int taxRate)
    : QDialog(parent), asker_(asker), taxRate_(taxRate) {
    setWindowTitle(QStringLiteral("Доход"));
    meSourseName = edit("meSourseName", edtNone, 1000, 0, this);
    meINN = edit("meINN", edtDigital, 10, 0, this);
    meKPP = edit("meKPP", edtDigital, 9, 0, this);
    meOKATO = edit("meOKATO", edtDigital, 11, 0, this);
    meItogIncomeSum = edit("meItogIncomeSum", edtCurrency, 12, 2, this);
    meOblSum = edit("meOblSum", edtCurrency, 12, 2, this);
    meTaxDiscount = display("meTaxDiscount", this);
    meHoldSum = edit("meHoldSum", edtDigital, 12, 0, this);
    lbTaxDiscount = caption(QStringLiteral("Налог, исчисленный:"), meTaxDiscount, this);
    // Computed and stored, never typed.
    lbTaxDiscount->setVisible(false);
    meTaxDiscount->setVisible(false);

    auto* grid = new QGridLayout;
    int row = 0;
    auto add = [&](const QString& text, QWidget* field) {
        grid->addWidget(caption(text, field, this), row, 0);
        grid->addWidget(field, row++, 1);
    };
    add(QStringLiteral("Наименование исто&чника выплаты"), meSourseName);
    add(QStringLiteral("&ИНН"), meINN);
    add(QStringLiteral("&КПП"), meKPP);
    add(QStringLiteral("ОК&АТО"), meOKATO);
    add(QStringLiteral("&Сумма дивидендов"), meItogIncomeSum);
    add(QStringLiteral("&Облагаемая сумма дивидендов"), meOblSum);
    grid->addWidget(lbTaxDiscount, row, 0);
    grid->addWidget(meTaxDiscount, row++, 1);
    add(QStringLiteral("&Удержанный налог"), meHoldSum);
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

    connect(meOblSum, &TMaskedEdit::changed, this, &TfmInput30SourseIncome::taxableChanged);
    connect(bnYes, &QPushButton::clicked, this, [this] { confirm(true); });
    connect(bnNo, &QPushButton::clicked, this, &QDialog::reject);
}

void TfmInput30SourseIncome::taxableChanged() {
    const std::optional<Money> taxable = fieldAmount(meOblSum);
    meTaxDiscount->loadText(taxable ? amountText(TaxAt(*taxable, taxRate_)) : QString());
}

void TfmInput30SourseIncome::load(const mTThirtyPercent& p) {
    meSourseName->loadText(p.sourceName);
    meINN->loadText(p.sourceInn);
    meKPP->loadText(p.sourceKpp);
    meOKATO->loadText(p.sourceOkato);
    meItogIncomeSum->loadMoney(p.totalIncome);
    meOblSum->loadMoney(p.taxableAmount);
    meTaxDiscount->loadMoney(p.taxComputed);
    meHoldSum->loadMoney(p.taxWithheld);
}

void TfmInput30SourseIncome::store(mTThirtyPercent& p) const {
    p.sourceName = meSourseName->text();
    p.sourceInn = meINN->text();
    p.sourceKpp = meKPP->text();
    p.sourceOkato = meOKATO->text();
    p.totalIncome = meItogIncomeSum->money();
    p.taxableAmount = meOblSum->money();
    p.taxComputed = meTaxDiscount->money();
    p.taxWithheld = meHoldSum->money();
}

QString TfmInput30SourseIncome::sourceName() const {
    return meSourseName->text();
}

int TfmInput30SourseIncome::checkDividends() {
    TDialogCheckRun run(asker_, kTitle, true);
    if ((meOblSum->money() + meHoldSum->money()).isZero())
        return 0;
    const std::optional<Money> dividends = fieldAmount(meItogIncomeSum);
    const QString below = QStringLiteral("Сумма дивидендов меньше суммы удержанного налога");
    run.step(dividends && *dividends < meHoldSum->money(), below, 6);
    // Missing dividends are typed in their own field.
    run.step(!dividends, below, kDividendsPosition);
    return run.result();
}

void TfmInput30SourseIncome::confirm(bool organisation) {
    const auto check = organisation ? CheckOrganisationSource : CheckPaymentSource;
    int position =
        check(asker_, kTitle, meSourseName->text(), meOKATO->text(), meKPP->text(), meINN->text());
    if (position == 0)
        position = checkDividends();
    if (position == 0)
        accept();
    else
        focusPosition(position);
}

void TfmInput30SourseIncome::focusPosition(int position) {
    QWidget* field = WidgetKit::fieldAt(position, {{2, meINN},
                                                   {3, meKPP},
                                                   {4, meOKATO},
                                                   {5, meOblSum},
                                                   {6, meHoldSum},
                                                   {kDividendsPosition, meItogIncomeSum}});
    (field ? field : meSourseName)->setFocus();
}

void TfmInput30SourseIncome::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        confirm(false);
        return;
    }
    QDialog::keyPressEvent(event);
}
