#include "InputBusinessIncome.h"

#include "refdata/Directories.h"
#include "refdata/OkvedChooser.h"
#include "ui/MyFrame.h"
#include "ui/OkvedPicker.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TfmInputBusinessIncome::TfmInputBusinessIncome(QWidget* parent, TPageHost& host)
    : QDialog(parent), host_(host) {
    setWindowTitle(QStringLiteral("Вид деятельности"));
    auto* gbKind = new QGroupBox(QStringLiteral("Вид деятельности"), this);
    auto radio = [gbKind](const char* name, const QString& text) {
        auto* r = new QRadioButton(text, gbKind);
        r->setObjectName(QString::fromLatin1(name));
        return r;
    };
    rbBusiness = radio("rbBusiness", QStringLiteral("&Предпринимательская"));
    rbNotary = radio("rbNotary", QStringLiteral("&Нотариальная"));
    rbLawyer = radio("rbLawyer", QStringLiteral("&Адвокатская"));
    rbOther = radio("rbOther", QStringLiteral("&Иная"));
    rbBusiness->setChecked(true);
    auto* kinds = new QVBoxLayout(gbKind);
    for (QRadioButton* r : {rbBusiness, rbNotary, rbLawyer, rbOther})
        kinds->addWidget(r);

    me1 = new QLineEdit(this);
    me1->setObjectName(QStringLiteral("me1"));
    me1->setMaxLength(8);
    me1->setReadOnly(true);
    me1->setFixedWidth(100);
    lbCode_ = new QLabel(QStringLiteral("&Код вида деятельности"), this);
    lbCode_->setBuddy(me1);
    bnIncomeCod = new QPushButton(QStringLiteral("..."), this);
    bnIncomeCod->setObjectName(QStringLiteral("bnIncomeCod"));
    bnIncomeCod->setFixedWidth(30);
    bnIncomeCod->setToolTip(QStringLiteral("Выбрать код из справочника"));
    bnIncomeCod->setAccessibleName(QStringLiteral("Выбрать код по ОКВЭД"));
    bnYes = new QPushButton(QStringLiteral("&Да"), this);
    bnYes->setObjectName(QStringLiteral("bnYes"));
    bnYes->setDefault(true);
    bnNo = new QPushButton(QStringLiteral("Н&ет"), this);
    bnNo->setObjectName(QStringLiteral("bnNo"));

    auto* code = new QHBoxLayout;
    code->addWidget(lbCode_);
    code->addWidget(me1);
    code->addWidget(bnIncomeCod);
    code->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bnYes);
    buttons->addWidget(bnNo);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gbKind);
    layout->addLayout(code);
    layout->addLayout(buttons);

    for (QRadioButton* r : {rbBusiness, rbNotary, rbLawyer, rbOther})
        connect(r, &QRadioButton::toggled, this, &TfmInputBusinessIncome::kindChanged);
    connect(bnIncomeCod, &QPushButton::clicked, this, &TfmInputBusinessIncome::pickCode);
    connect(bnYes, &QPushButton::clicked, this, &QDialog::accept);
    connect(bnNo, &QPushButton::clicked, this, &QDialog::reject);
    kindChanged();
}

QString TfmInputBusinessIncome::kind() const {
    if (rbNotary->isChecked())
        return QStringLiteral("2");
    if (rbLawyer->isChecked())
        return QStringLiteral("3");
    if (rbOther->isChecked())
        return QStringLiteral("4");
    return QStringLiteral("1");
}

void TfmInputBusinessIncome::setKind(const QString& kind) {
    (kind == u"2"   ? rbNotary
     : kind == u"3" ? rbLawyer
     : kind == u"4" ? rbOther
                    : rbBusiness)
        ->setChecked(true);
}

void TfmInputBusinessIncome::kindChanged() {
    const bool business = rbBusiness->isChecked();
    lbCode_->setEnabled(business);
    bnIncomeCod->setEnabled(business && host_.directories().okved.has_value());
}

void TfmInputBusinessIncome::pickCode() {
    // "нет" is the picker's word for nothing chosen, never a code to declare.
    const auto code = PickOkved(this, host_);
    if (code && *code != OkvedChooser::noneText())
        me1->setText(*code);
}
