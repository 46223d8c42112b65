#include "FramePensDeduct.h"

#include "DeductKit.h"
#include "FormChildEduSum.h"
#include "FormInputSoursePens.h"
#include "model/DeclClasses.h"
#include "ui/Dialogs.h"
#include "ui/PageCheck.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QTreeWidget* list(QWidget* parent, const char* name, const QString& column, const QString& hint) {
    auto* l = new QTreeWidget(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setColumnCount(1);
    l->setHeaderLabels({column});
    l->setRootIsDecorated(false);
    l->setUniformRowHeights(true);
    l->setToolTip(hint);
    l->setAccessibleName(hint);
    return l;
}

QString sumText(Money m) {
    return m.toString(TMaskedEdit::decimalSeparator());
}

// The row shown at index, selected and scrolled into view.
void selectRow(QTreeWidget* l, int index) {
    if (index < 0 || index >= l->topLevelItemCount())
        return;
    QTreeWidgetItem* item = l->topLevelItem(index);
    l->setCurrentItem(item);
    l->scrollToItem(item);
}

int selectedRow(const QTreeWidget* l) {
    QTreeWidgetItem* item = l->currentItem();
    return item && item->isSelected() ? l->indexOfTopLevelItem(item) : -1;
}

} // namespace

TfrFramePensDeduct::TfrFramePensDeduct(TPageHost& host, QWidget* parent)
    : TThinkingFrame(host, parent) {
    buildLayout();
    TPageBuilding building(host);
    loadFromModel();
}

std::array<TMaskedEdit*, 6> TfrFramePensDeduct::amounts() const {
    return {meCharitySum,          meSelfEducationSum, meMedicalSum,
            meExpensiveMedicalSum, meStrahovka,        meStrahovka2};
}

void TfrFramePensDeduct::buildLayout() {
    auto* gb = new QGroupBox(QStringLiteral("Предоставить социальные налоговые вычеты"), this);
    chbGrantingSocDeduct =
        new QCheckBox(QStringLiteral("Предоставить социальные налоговые вычеты"), gb);
    chbGrantingSocDeduct->setObjectName(QStringLiteral("chbGrantingSocDeduct"));

    auto* gbSums = new QGroupBox(QStringLiteral("Суммы, затраченные на"), gb);
    meCharitySum = DeductKit::money(gbSums, "meCharitySum");
    meSelfEducationSum = DeductKit::money(gbSums, "meSelfEducationSum");
    meMedicalSum = DeductKit::money(gbSums, "meMedicalSum");
    meExpensiveMedicalSum = DeductKit::money(gbSums, "meExpensiveMedicalSum");
    meStrahovka = DeductKit::money(gbSums, "meStrahovka");
    meStrahovka2 = DeductKit::money(gbSums, "meStrahovka2");
    const QString captions[6] = {QStringLiteral("&благотворительность"),
                                 QStringLiteral("&свое обучение"),
                                 QStringLiteral("&лечение"),
                                 QStringLiteral("до&рогостоящее лечение"),
                                 QStringLiteral("добровольное с&трахование"),
                                 QStringLiteral("дополнительные страховые\n&пенсионные взносы")};
    auto* sums = new QGridLayout(gbSums);
    const auto fields = amounts();
    for (int i = 0; i < 6; ++i) {
        amountLabels_[std::size_t(i)] =
            DeductKit::caption(captions[i], fields[std::size_t(i)], gbSums);
        sums->addWidget(amountLabels_[std::size_t(i)], i, 0);
        sums->addWidget(fields[std::size_t(i)], i, 1);
    }

    auto* gbChildren = new QGroupBox(QStringLiteral("Суммы, уплаченные за обучение детей"), gb);
    lvSumList = list(gbChildren, "lvSumList", QStringLiteral("Суммы"),
                     QStringLiteral("Список сумм, уплаченных за всех детей"));
    fbAddSum = DeductKit::listButton(gbChildren, "fbAddSum", QStringLiteral("&Добавить сумму"),
                                     QStringLiteral("Добавить очередную сумму, уплаченную за "
                                                    "обучение детей"));
    fbDeleteSum =
        DeductKit::listButton(gbChildren, "fbDeleteSum", QStringLiteral("&Удалить сумму"),
                              QStringLiteral("Удалить сумму, уплаченную за обучение детей"));
    fbEditSum =
        DeductKit::listButton(gbChildren, "fbEditSum", QStringLiteral("&Изменить сумму"),
                              QStringLiteral("Редактировать сумму, уплаченную за обучение детей"));
    // Two rows, so that the page fits the smallest window beside the sums.
    auto* childButtons = new QGridLayout;
    childButtons->addWidget(fbAddSum, 0, 0);
    childButtons->addWidget(fbDeleteSum, 0, 1);
    childButtons->addWidget(fbEditSum, 1, 0);
    childButtons->setColumnStretch(2, 1);
    auto* children = new QVBoxLayout(gbChildren);
    children->addWidget(lvSumList);
    children->addLayout(childButtons);

    const QString pensCaption =
        QStringLiteral("Договоры добровольного пенс. страхования и негосударственного пенс. "
                       "обеспечения");
    lvPensInfo = list(gb, "lvPensInfo", pensCaption, pensCaption);
    fbAddPens = DeductKit::listButton(gb, "fbAddPens", QStringLiteral("Доб&авить договор"),
                                      QStringLiteral("Добавить источник выплат"));
    fbDeletePens = DeductKit::listButton(gb, "fbDeletePens", QStringLiteral("Удалить до&говор"),
                                         QStringLiteral("Удалить источник выплат"));
    fbEditPens = DeductKit::listButton(gb, "fbEditPens", QStringLiteral("Изм&енить договор"),
                                       QStringLiteral("Редактировать источник выплат"));
    auto* pensButtons = new QHBoxLayout;
    for (QToolButton* b : {fbAddPens, fbDeletePens, fbEditPens})
        pensButtons->addWidget(b);
    pensButtons->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(gbSums);
    top->addWidget(gbChildren, 1);
    auto* inner = new QVBoxLayout(gb);
    inner->addWidget(chbGrantingSocDeduct);
    inner->addLayout(top);
    inner->addWidget(lvPensInfo, 1);
    inner->addLayout(pensButtons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gb, 1);

    connect(chbGrantingSocDeduct, &QCheckBox::clicked, this, &TfrFramePensDeduct::grantClicked);
    connect(fbAddSum, &QToolButton::clicked, this, &TfrFramePensDeduct::addSum);
    connect(fbEditSum, &QToolButton::clicked, this, &TfrFramePensDeduct::editSum);
    connect(fbDeleteSum, &QToolButton::clicked, this, &TfrFramePensDeduct::deleteSum);
    connect(fbAddPens, &QToolButton::clicked, this, &TfrFramePensDeduct::addPens);
    connect(fbEditPens, &QToolButton::clicked, this, &TfrFramePensDeduct::editPens);
    connect(fbDeletePens, &QToolButton::clicked, this, &TfrFramePensDeduct::deletePens);
    // Enter or a double click on a line edits it.
    connect(lvSumList, &QTreeWidget::itemActivated, this, [this] { editSum(); });
    connect(lvPensInfo, &QTreeWidget::itemActivated, this, [this] { editPens(); });
}

void TfrFramePensDeduct::loadFromModel() {
    const mTSocialDeduct& s = declaration().socialDeduction;
    chbGrantingSocDeduct->setChecked(s.granted);
    if (s.granted) {
        const Money values[6] = {s.charity,
                                 s.ownEducation,
                                 s.treatment,
                                 s.expensiveTreatment,
                                 s.voluntaryInsurance,
                                 s.extraPensionContributions};
        const auto fields = amounts();
        for (std::size_t i = 0; i < 6; ++i)
            fields[i]->loadMoney(values[i]);
        QList<QTreeWidgetItem*> sums;
        for (Money m : s.childEducation)
            sums << new QTreeWidgetItem(QStringList{sumText(m)});
        lvSumList->addTopLevelItems(sums);
        selectRow(lvSumList, 0);
        QList<QTreeWidgetItem*> contracts;
        contracts.reserve(int(s.pensionContracts.size()));
        for (const auto& c : s.pensionContracts)
            contracts << new QTreeWidgetItem(QStringList{c->orgName});
        lvPensInfo->addTopLevelItems(contracts);
    }
    applyEnabling();
}

void TfrFramePensDeduct::applyEnabling() {
    const bool on = chbGrantingSocDeduct->isChecked();
    for (TMaskedEdit* e : amounts())
        e->setEnabled(on);
    for (QLabel* l : amountLabels_)
        l->setEnabled(on);
    for (QToolButton* b : {fbAddSum, fbDeleteSum, fbEditSum, fbAddPens, fbDeletePens, fbEditPens})
        b->setEnabled(on);
}

bool TfrFramePensDeduct::anythingEntered() const {
    for (TMaskedEdit* e : amounts())
        if (!e->money().isZero())
            return true;
    const mTSocialDeduct& s = declaration().socialDeduction;
    return !s.childEducation.empty() || !s.pensionContracts.empty();
}

// The file keeps nothing of a deduction that is not granted, so unticking
// removes what was entered; the user is asked first when there is something.
void TfrFramePensDeduct::grantClicked(bool ticked) {
    if (!ticked && anythingEntered() &&
        ShowMessage(this, kUngrantQuestion, QMessageBox::Question,
                    QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
        chbGrantingSocDeduct->setChecked(true);
        return;
    }
    contentChanged();
    if (!ticked) {
        for (TMaskedEdit* e : amounts())
            e->clear();
        mTSocialDeduct& s = declaration().socialDeduction;
        s.pensionContracts.clear();
        s.childEducation.clear();
        lvPensInfo->clear();
        lvSumList->clear();
    }
    applyEnabling();
}

void TfrFramePensDeduct::addSum() {
    TfmChildEduSum dialog(this);
    if (Dialogs().exec(dialog) != QDialog::Accepted || dialog.amount().isZero())
        return;
    const int index = declaration().socialDeduction.AddChildEducation(dialog.amount());
    lvSumList->addTopLevelItem(new QTreeWidgetItem(QStringList{sumText(dialog.amount())}));
    selectRow(lvSumList, index);
    contentChanged();
}

void TfrFramePensDeduct::editSum() {
    const int index = selectedRow(lvSumList);
    if (index < 0 || !chbGrantingSocDeduct->isChecked())
        return;
    mTSocialDeduct& s = declaration().socialDeduction;
    TfmChildEduSum dialog(this);
    dialog.setAmount(s.GetChildEducation(index));
    if (Dialogs().exec(dialog) != QDialog::Accepted || dialog.amount().isZero())
        return;
    s.SetChildEducation(index, dialog.amount());
    lvSumList->topLevelItem(index)->setText(0, sumText(dialog.amount()));
    contentChanged();
}

void TfrFramePensDeduct::deleteSum() {
    const int index = selectedRow(lvSumList);
    if (index < 0)
        return;
    declaration().socialDeduction.DeleteChildEducation(index);
    delete lvSumList->takeTopLevelItem(index);
    contentChanged();
    selectRow(lvSumList, index > 0 ? index - 1 : 0);
}

void TfrFramePensDeduct::addPens() {
    TfmInputSoursePens dialog(this, host().checkAsker());
    if (Dialogs().exec(dialog) != QDialog::Accepted ||
        dialog.meSourseName->text().trimmed().isEmpty())
        return;
    mTSocialDeduct& s = declaration().socialDeduction;
    const int index = s.AddPensionContract();
    mTPens& c = s.GetPensionContract(index);
    dialog.store(c);
    lvPensInfo->addTopLevelItem(new QTreeWidgetItem(QStringList{c.orgName}));
    selectRow(lvPensInfo, index);
    contentChanged();
}

void TfrFramePensDeduct::editPens() {
    const int index = selectedRow(lvPensInfo);
    if (index < 0 || !chbGrantingSocDeduct->isChecked())
        return;
    mTPens& c = declaration().socialDeduction.GetPensionContract(index);
    TfmInputSoursePens dialog(this, host().checkAsker());
    dialog.load(c);
    if (Dialogs().exec(dialog) != QDialog::Accepted ||
        dialog.meSourseName->text().trimmed().isEmpty())
        return;
    dialog.store(c);
    lvPensInfo->topLevelItem(index)->setText(0, c.orgName);
    contentChanged();
}

void TfrFramePensDeduct::deletePens() {
    const int index = selectedRow(lvPensInfo);
    if (index < 0)
        return;
    declaration().socialDeduction.RemovePensionContract(index);
    delete lvPensInfo->takeTopLevelItem(index);
    contentChanged();
    selectRow(lvPensInfo, index < lvPensInfo->topLevelItemCount() ? index : index - 1);
}

void TfrFramePensDeduct::StoreToModel() {
    mTSocialDeduct& s = declaration().socialDeduction;
    s.granted = chbGrantingSocDeduct->isChecked() ? 1 : 0;
    s.charity = meCharitySum->money();
    s.ownEducation = meSelfEducationSum->money();
    s.treatment = meMedicalSum->money();
    s.expensiveTreatment = meExpensiveMedicalSum->money();
    s.voluntaryInsurance = meStrahovka->money();
    s.extraPensionContributions = meStrahovka2->money();
}

int TfrFramePensDeduct::CheckPage() {
    const mTSocialDeduct& s = declaration().socialDeduction;
    const bool empty = s.charity.isZero() && s.ownEducation.isZero() && s.treatment.isZero() &&
                       s.expensiveTreatment.isZero() && s.voluntaryInsurance.isZero() &&
                       s.extraPensionContributions.isZero() && s.childEducation.empty() &&
                       s.pensionContracts.empty();
    TPageCheckRun run(host().checkAsker(), kPageName);
    run.step(s.granted && empty,
             QStringLiteral("Не введены данные по социальным налоговым вычетам"), 1);
    return run.result();
}

void TfrFramePensDeduct::FocusField(int position) {
    if (position == 1)
        meCharitySum->setFocus();
    else if (position == 3)
        lvSumList->setFocus();
}
