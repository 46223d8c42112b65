#include "InputCurrencySourseIncome.h"

#include "checks/CheckAsk.h"
#include "ui/DirectoryPickers.h"
#include "ui/MaskedEdit.h"
#include "ui/MyFrame.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfmInputCurrencySourseIncome::TfmInputCurrencySourseIncome(QWidget* parent, TPageHost& host)
    : QDialog(parent), host_(host) {
    setWindowTitle(QStringLiteral("Доход"));
    meSourseName = new TMaskedEdit(edtNone, 94, 0, this);
    meSourseName->setObjectName(QStringLiteral("meSourseName"));
    meSourseName->setMinimumWidth(420);
    meGos = new TMaskedEdit(edtDigital, 3, 0, this);
    meGos->setObjectName(QStringLiteral("meGos"));
    meGos->setFixedWidth(60);
    bnGos = new QPushButton(QStringLiteral("..."), this);
    bnGos->setObjectName(QStringLiteral("bnGos"));
    bnGos->setFixedWidth(30);
    bnGos->setToolTip(QStringLiteral("Выбрать код из справочника"));
    bnGos->setAccessibleName(QStringLiteral("Выбрать код страны из справочника"));
    bnGos->setEnabled(host.countryPickerReady());
    bnYes = new QPushButton(QStringLiteral("&Да"), this);
    bnYes->setObjectName(QStringLiteral("bnYes"));
    bnYes->setDefault(true);
    bnNo = new QPushButton(QStringLiteral("&Нет"), this);
    bnNo->setObjectName(QStringLiteral("bnNo"));

    auto* lbName = new QLabel(QStringLiteral("&Наименование источника выплаты"), this);
    lbName->setBuddy(meSourseName);
    auto* lbGos = new QLabel(QStringLiteral("&Код страны"), this);
    lbGos->setBuddy(meGos);
    auto* grid = new QGridLayout;
    grid->addWidget(lbName, 0, 0, 1, 3);
    grid->addWidget(meSourseName, 1, 0, 1, 3);
    grid->addWidget(lbGos, 2, 0);
    grid->addWidget(meGos, 2, 1);
    grid->addWidget(bnGos, 2, 2, Qt::AlignLeft);
    grid->setColumnStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bnYes);
    buttons->addWidget(bnNo);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(bnYes, &QPushButton::clicked, this, [this] { tryAccept(true); });
    connect(bnNo, &QPushButton::clicked, this, &QDialog::reject);
    connect(bnGos, &QPushButton::clicked, this, &TfmInputCurrencySourseIncome::pickCountry);
}

void TfmInputCurrencySourseIncome::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        tryAccept(false);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfmInputCurrencySourseIncome::tryAccept(bool fromButton) {
    if (meGos->text().trimmed().isEmpty()) {
        const CheckAnswer answer =
            host_.checkAsker().AskPage(QStringLiteral("Проверка: Источник дохода"),
                                       QStringLiteral("Не выбран код страны"), false, false);
        if (answer == CheckAnswer::Fix) {
            if (fromButton)
                pickCountry();
            return;
        }
    }
    accept();
}

void TfmInputCurrencySourseIncome::pickCountry() {
    if (!host_.countryPickerReady())
        return;
    const auto chosen = PickCountry(this, host_, meGos->text());
    if (!chosen)
        return;
    const QString code = chosen->code.trimmed();
    if (code == meGos->text())
        return;
    meGos->setText(code);
}
