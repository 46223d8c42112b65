#include "FrameThirtyFivePercent.h"

#include "IncomeWidgets.h"
#include "Input35SourseIncome.h"
#include "model/DeclClasses.h"
#include "ui/Dialogs.h"
#include "ui/MaskedEdit.h"

using namespace IncomeUi;

TfrThirtyFivePercent::TfrThirtyFivePercent(TPageHost& host, QWidget* parent)
    : TfrPayerList(host, parent) {
    meIncomeCod = addValue("meIncomeCod", QStringLiteral("Код дохода"));
    meIncomeSum = addValue("meIncomeSum", QStringLiteral("Сумма дохода"));
    meSubtractCod = addValue("meSubtractCod", QStringLiteral("Код вычета"));
    meSubtractSum = addValue("meSubtractSum", QStringLiteral("Сумма вычета"));
    meHoldSum = addValue("meHoldSum", QStringLiteral("Сумма удержанного налога"));
    fill();
}

int TfrThirtyFivePercent::count() const {
    return declaration().thirtyFiveSources.Count();
}

QString TfrThirtyFivePercent::nameOf(int index) const {
    return declaration().thirtyFiveSources.Get(index).sourceName;
}

bool TfrThirtyFivePercent::runDialog(int index) {
    auto& list = declaration().thirtyFiveSources;
    TfmInput35SourseIncome dialog(this, host().checkAsker());
    if (index >= 0)
        dialog.load(list.Get(index));
    if (Dialogs().exec(dialog) != QDialog::Accepted || dialog.sourceName().trimmed().isEmpty() ||
        dialog.incomeCode().isEmpty())
        return false;
    // Editing is a change of the document as much as adding.
    contentChanged();
    dialog.store(list.Get(index >= 0 ? index : list.Add()));
    return true;
}

void TfrThirtyFivePercent::removePayer(int index) {
    declaration().thirtyFiveSources.Remove(index);
}

void TfrThirtyFivePercent::showResult(int index) {
    if (index < 0) {
        for (TMaskedEdit* e : {meIncomeCod, meIncomeSum, meSubtractCod, meSubtractSum, meHoldSum})
            e->loadText(QString());
        return;
    }
    const mTThirtyFivePercent& p = declaration().thirtyFiveSources.Get(index);
    auto code = [](qint32 v) { return v == 0 ? QStringLiteral("Нет") : QString::number(v); };
    meIncomeCod->loadText(code(p.incomeCode));
    meIncomeSum->loadText(amountText(p.totalIncome));
    meSubtractCod->loadText(code(p.deductionCode));
    meSubtractSum->loadText(amountText(p.deductionAmount));
    meHoldSum->loadText(amountText(p.taxWithheld));
}
