#include "Input13SourseIncome.h"

#include "IncomeWidgets.h"
#include "checks/PrimaryCheck.h"
#include "model/StavClasses.h"
#include "ui/MaskedEdit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace IncomeUi;

TfmInput13SourseIncome::TfmInput13SourseIncome(QWidget* parent, CheckAsker& asker, bool nonResident)
    : QDialog(parent), asker_(asker) {
    setWindowTitle(QStringLiteral("Источник выплаты"));
    meSourseName = edit("meSourseName", edtNone, 1000, 0, this);
    meINN = edit("meINN", edtDigital, 12, 0, this);
    meKPP = edit("meKPP", edtDigital, 9, 0, this);
    meOKATO = edit("meOKATO", edtDigital, 11, 0, this);
    chbPrimaryWorkplase =
        new QCheckBox(QStringLiteral("&Расчет стандартных вычетов вести по этому источнику"), this);
    chbPrimaryWorkplase->setObjectName(QStringLiteral("chbPrimaryWorkplase"));
    chbPrimaryWorkplase->setVisible(!nonResident);
    bnYes = button(QStringLiteral("&Да"), "bnYes", this);
    bnNo = button(QStringLiteral("&Нет"), "bnNo", this);

    auto* grid = new QGridLayout;
    grid->addWidget(caption(QStringLiteral("Наименование ист&очника выплаты"), meSourseName, this),
                    0, 0, 1, 3);
    grid->addWidget(meSourseName, 1, 0, 1, 3);
    grid->addWidget(caption(QStringLiteral("&ИНН"), meINN, this), 2, 0);
    grid->addWidget(caption(QStringLiteral("&КПП"), meKPP, this), 2, 1);
    grid->addWidget(caption(QStringLiteral("ОК&АТО"), meOKATO, this), 2, 2);
    grid->addWidget(meINN, 3, 0);
    grid->addWidget(meKPP, 3, 1);
    grid->addWidget(meOKATO, 3, 2);
    grid->addWidget(chbPrimaryWorkplase, 4, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bnYes);
    buttons->addWidget(bnNo);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(480, layout->sizeHint().height());

    connect(bnYes, &QPushButton::clicked, this, &TfmInput13SourseIncome::confirm);
    connect(bnNo, &QPushButton::clicked, this, &QDialog::reject);
}

void TfmInput13SourseIncome::load(const mTThirteenPercent& payer) {
    meSourseName->loadText(payer.sourceName);
    meINN->loadText(payer.sourceInn);
    meKPP->loadText(payer.sourceKpp);
    meOKATO->loadText(payer.sourceOkato);
    chbPrimaryWorkplase->setChecked(payer.stdDeductionsHere != 0);
}

void TfmInput13SourseIncome::store(mTThirteenPercent& payer) const {
    payer.sourceName = meSourseName->text();
    payer.sourceInn = meINN->text();
    payer.sourceKpp = meKPP->text();
    payer.sourceOkato = meOKATO->text();
    payer.stdDeductionsHere = chbPrimaryWorkplase->isChecked() ? 1 : 0;
}

QString TfmInput13SourseIncome::sourceName() const {
    return meSourseName->text();
}

void TfmInput13SourseIncome::confirm() {
    const int position =
        CheckPaymentSource(asker_, QStringLiteral("Доходы, облагаемые по ставке 13%"),
                           meSourseName->text(), meOKATO->text(), meKPP->text(), meINN->text());
    TMaskedEdit* fields[] = {meSourseName, meINN, meKPP, meOKATO};
    if (position >= SourceField::kName && position <= SourceField::kOkato) {
        fields[position - 1]->setFocus();
        return;
    }
    accept();
}

void TfmInput13SourseIncome::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        confirm();
        return;
    }
    QDialog::keyPressEvent(event);
}
