#include "FormInputSoursePens.h"

#include "DeductKit.h"
#include "checks/PrimaryCheck.h"
#include "model/DeductionClasses.h"
#include "ui/DateEdit.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
const QString kTitle = QStringLiteral("Пенсионные договоры");
// The dialog has no OKATO field; a text that always passes stands for it.
const QString kFixedOkato = QStringLiteral("12345678901");
} // namespace

TfmInputSoursePens::TfmInputSoursePens(QWidget* parent, CheckAsker& asker)
    : QDialog(parent), asker_(asker) {
    setObjectName(QStringLiteral("TfmInputSoursePens"));
    setWindowTitle(QStringLiteral("Данные договора"));
    setModal(true);
    meSourseName = DeductKit::edit(this, "meSourseName", edtNone, 1000);
    meINN = DeductKit::edit(this, "meINN", edtDigital, 10);
    meKPP = DeductKit::edit(this, "meKPP", edtDigital, 9);
    meNomDog = DeductKit::edit(this, "meNomDog", edtNone, 20);
    dtpDatDog = new TDateEdit(this);
    dtpDatDog->setObjectName(QStringLiteral("dtpDatDog"));
    meVZSum = DeductKit::money(this, "meVZSum");
    meVichSum = DeductKit::money(this, "meVichSum");
    meNA = DeductKit::money(this, "meNA");
    meNA->setToolTip(QStringLiteral("Вычет у работодателя (код 319 в справке 2-НДФЛ)"));
    for (TMaskedEdit* e : {meINN, meKPP})
        e->setFixedWidth(110);

    auto* grid = new QGridLayout;
    int row = 0;
    auto add = [&](const QString& caption, QWidget* field) {
        grid->addWidget(DeductKit::caption(caption, field, this), row, 0);
        grid->addWidget(field, row, 1);
        ++row;
    };
    add(QStringLiteral("&Наименование организации или фонда"), meSourseName);
    add(QStringLiteral("&ИНН"), meINN);
    add(QStringLiteral("&КПП"), meKPP);
    add(QStringLiteral("Н&омер договора"), meNomDog);
    add(QStringLiteral("Да&та договора"), dtpDatDog);
    add(QStringLiteral("С&умма взноса"), meVZSum);
    add(QStringLiteral("Сумма взноса к &вычету"), meVichSum);
    add(QStringLiteral("Сумма вычета у налогового &агента (код 319)"), meNA);

    auto* gbKind = new QGroupBox(QStringLiteral("Вид договора"), this);
    auto* gbNpo = new QGroupBox(QStringLiteral("Негосударств. пенс. обеспечения"), gbKind);
    auto* gbDps = new QGroupBox(QStringLiteral("Добровольного пенс. страхования"), gbKind);
    rbSelf3 = new QRadioButton(QStringLiteral("в свою пользу"), gbNpo);
    rbFam3 = new QRadioButton(QStringLiteral("в пользу родственника"), gbNpo);
    rbSelf4 = new QRadioButton(QStringLiteral("в свою пользу"), gbDps);
    rbFam4 = new QRadioButton(QStringLiteral("в пользу родственника"), gbDps);
    rbSelf3->setObjectName(QStringLiteral("rbSelf3"));
    rbFam3->setObjectName(QStringLiteral("rbFam3"));
    rbSelf4->setObjectName(QStringLiteral("rbSelf4"));
    rbFam4->setObjectName(QStringLiteral("rbFam4"));
    auto* kinds = new QButtonGroup(this);
    int id = 1;
    for (QRadioButton* r : {rbSelf3, rbFam3, rbSelf4, rbFam4})
        kinds->addButton(r, id++);
    auto* npo = new QVBoxLayout(gbNpo);
    npo->addWidget(rbSelf3);
    npo->addWidget(rbFam3);
    auto* dps = new QVBoxLayout(gbDps);
    dps->addWidget(rbSelf4);
    dps->addWidget(rbFam4);
    auto* kindRow = new QHBoxLayout(gbKind);
    kindRow->addWidget(gbNpo);
    kindRow->addWidget(gbDps);
    rbSelf3->setChecked(true);

    bnYes = DeductKit::button(this, "bnYes", QStringLiteral("&Да"));
    bnNo = DeductKit::button(this, "bnNo", QStringLiteral("Не&т"));
    bnYes->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bnYes);
    buttons->addWidget(bnNo);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(gbKind);
    layout->addLayout(buttons);
    connect(bnYes, &QPushButton::clicked, this, &TfmInputSoursePens::accept);
    connect(bnNo, &QPushButton::clicked, this, &QDialog::reject);
    resize(560, sizeHint().height());
    // A new contract shows what it would store.
    load(mTPens());
}

void TfmInputSoursePens::load(const mTPens& c) {
    meSourseName->loadText(c.orgName);
    meINN->loadText(c.orgInn);
    meKPP->loadText(c.orgKpp);
    meNomDog->loadText(c.contractNumber);
    dtpDatDog->loadValue(c.contractDate);
    meVZSum->loadMoney(c.contributionPaid);
    meVichSum->loadMoney(c.contributionClaimed);
    meNA->loadMoney(c.agentDeduction);
    switch (c.contractKind) {
    case 2:
        rbFam3->setChecked(true);
        break;
    case 3:
        rbSelf4->setChecked(true);
        break;
    case 4:
        rbFam4->setChecked(true);
        break;
    default:
        rbSelf3->setChecked(true);
        break;
    }
}

void TfmInputSoursePens::store(mTPens& c) const {
    c.orgName = meSourseName->text();
    c.orgInn = meINN->text();
    c.orgKpp = meKPP->text();
    c.contractNumber = meNomDog->text();
    c.contractDate = dtpDatDog->value();
    c.contributionPaid = meVZSum->money();
    c.contributionClaimed = meVichSum->money();
    c.agentDeduction = meNA->money();
    c.contractKind = rbFam3->isChecked()    ? 2
                     : rbSelf4->isChecked() ? 3
                     : rbFam4->isChecked()  ? 4
                                            : 1;
}

bool TfmInputSoursePens::checkContract() {
    const int field = CheckOrganisationSource(asker_, kTitle, meSourseName->text(), kFixedOkato,
                                              meKPP->text(), meINN->text());
    switch (field) {
    case SourceField::kName:
        meSourseName->setFocus();
        return false;
    case SourceField::kInn:
        meINN->setFocus();
        return false;
    case SourceField::kKpp:
        meKPP->setFocus();
        return false;
    default:
        break;
    }
    const QString title = QStringLiteral("Проверка: ") + kTitle;
    if (meNomDog->text().trimmed().isEmpty() &&
        asker_.AskPage(title, QStringLiteral("Введите номер договора"), false, false) ==
            CheckAnswer::Fix) {
        meNomDog->setFocus();
        return false;
    }
    if (meNA->money() > meVZSum->money() &&
        asker_.AskPage(title, QStringLiteral("Сумма взносов меньше суммы предоставленного вычета"),
                       false, false) == CheckAnswer::Fix) {
        meVZSum->setFocus();
        return false;
    }
    return true;
}

// Enter presses "Да" and so runs the same checks: a contract is never taken
// past them by the key.
void TfmInputSoursePens::accept() {
    if (checkContract())
        QDialog::accept();
}
