#include "FrameThirtyPercent.h"

#include "IncomeWidgets.h"
#include "Input30SourseIncome.h"
#include "model/DeclClasses.h"
#include "ui/Dialogs.h"
#include "ui/MaskedEdit.h"

using namespace IncomeUi;

TfrThirtyPercent::TfrThirtyPercent(TPageHost& host, QWidget* parent) : TfrPayerList(host, parent) {
    meItogIncomeSum = addValue("meItogIncomeSum", QStringLiteral("Сумма дивидендов"));
    meHoldSum = addValue("meHoldSum", QStringLiteral("Удержанный налог"));
    fill();
}

int TfrThirtyPercent::count() const {
    return declaration().thirtySources.Count();
}

QString TfrThirtyPercent::nameOf(int index) const {
    return declaration().thirtySources.Get(index).sourceName;
}

bool TfrThirtyPercent::runDialog(int index) {
    auto& list = declaration().thirtySources;
    // The tax is worked out at the rate the declaration's sheet applies.
    TfmInput30SourseIncome dialog(this, host().checkAsker(), declaration().formKind == 1 ? 15 : 9);
    if (index >= 0)
        dialog.load(list.Get(index));
    if (Dialogs().exec(dialog) != QDialog::Accepted || dialog.sourceName().trimmed().isEmpty())
        return false;
    contentChanged();
    dialog.store(list.Get(index >= 0 ? index : list.Add()));
    return true;
}

void TfrThirtyPercent::removePayer(int index) {
    declaration().thirtySources.Remove(index);
}

void TfrThirtyPercent::showResult(int index) {
    if (index < 0) {
        meItogIncomeSum->loadText(QString());
        meHoldSum->loadText(QString());
        return;
    }
    const mTThirtyPercent& p = declaration().thirtySources.Get(index);
    meItogIncomeSum->loadText(amountText(p.totalIncome));
    meHoldSum->loadText(amountText(p.taxWithheld));
}
