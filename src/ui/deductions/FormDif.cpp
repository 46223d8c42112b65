#include "FormDif.h"

#include "DeductKit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

const QStringList& MonthNames() {
    static const QStringList names = {
        QStringLiteral("Январь"),  QStringLiteral("Февраль"), QStringLiteral("Март"),
        QStringLiteral("Апрель"),  QStringLiteral("Май"),     QStringLiteral("Июнь"),
        QStringLiteral("Июль"),    QStringLiteral("Август"),  QStringLiteral("Сентябрь"),
        QStringLiteral("Октябрь"), QStringLiteral("Ноябрь"),  QStringLiteral("Декабрь")};
    return names;
}

TfmDifBase::TfmDifBase(QWidget* parent, const QString& heading, const QStringList& items)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Комбинация стандартных вычетов"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    if (!heading.isEmpty()) {
        auto* h = new QLabel(heading, this);
        h->setWordWrap(true);
        layout->addWidget(h);
    }
    auto* grid = new QGridLayout;
    for (int m = 0; m < 12; ++m) {
        auto* box = new QComboBox(this);
        box->setObjectName(QStringLiteral("cbMonth%1").arg(m + 1));
        box->addItems(items);
        months[std::size_t(m)] = box;
        grid->addWidget(DeductKit::caption(MonthNames().at(m), box, this), m, 0);
        grid->addWidget(box, m, 1);
    }
    layout->addLayout(grid);
    auto* row = new QHBoxLayout;
    row->addStretch();
    bnYes = DeductKit::button(this, "bnYes", QStringLiteral("&Да"));
    bnNo = DeductKit::button(this, "bnNo", QStringLiteral("&Нет"));
    bnYes->setDefault(true);
    row->addWidget(bnYes);
    row->addWidget(bnNo);
    layout->addLayout(row);
    connect(bnYes, &QPushButton::clicked, this, &QDialog::accept);
    connect(bnNo, &QPushButton::clicked, this, &QDialog::reject);
}

void TfmDifBase::setChoices(const std::array<int, 12>& choices) {
    for (std::size_t m = 0; m < 12; ++m) {
        QComboBox* box = months[m];
        // A value no item stands for (a damaged file) shows the first item.
        const int v = choices[m];
        box->setCurrentIndex(v >= 0 && v < box->count() ? v : 0);
    }
}

std::array<int, 12> TfmDifBase::choices() const {
    std::array<int, 12> out{};
    for (std::size_t m = 0; m < 12; ++m)
        out[m] = months[m]->currentIndex();
    return out;
}

TfmDif::TfmDif(QWidget* parent)
    : TfmDifBase(parent, QString(),
                 {QStringLiteral("103"), QStringLiteral("104"), QStringLiteral("105")}) {
    setObjectName(QStringLiteral("TfmDif"));
}

TfmDif2::TfmDif2(QWidget* parent)
    : TfmDifBase(parent,
                 QStringLiteral("В этом месяце был статус единственного родителя (опекуна)"),
                 {QStringLiteral("да "), QStringLiteral("нет")}) {
    setObjectName(QStringLiteral("TfmDif2"));
}
