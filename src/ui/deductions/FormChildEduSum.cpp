#include "FormChildEduSum.h"

#include "DeductKit.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

TfmChildEduSum::TfmChildEduSum(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TfmChildEduSum"));
    setWindowTitle(QStringLiteral("Сумма за обучение"));
    setModal(true);
    meChildEduSum = DeductKit::money(this, "meChildEduSum");
    bnYes = DeductKit::button(this, "bnYes", QStringLiteral("&Да"));
    bnNo = DeductKit::button(this, "bnNo", QStringLiteral("&Нет"));
    bnYes->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(DeductKit::caption(QStringLiteral("&Сумма, уплаченная за обучение ребенка"),
                                         meChildEduSum, this));
    layout->addWidget(meChildEduSum);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(bnYes);
    row->addWidget(bnNo);
    layout->addLayout(row);
    connect(bnYes, &QPushButton::clicked, this, &QDialog::accept);
    connect(bnNo, &QPushButton::clicked, this, &QDialog::reject);
    meChildEduSum->setFocus();
}

void TfmChildEduSum::setAmount(Money amount) {
    meChildEduSum->loadMoney(amount);
}

Money TfmChildEduSum::amount() const {
    return meChildEduSum->money();
}
