#pragma once

#include <QDialog>
#include <array>

class QComboBox;
class QPushButton;

// "Комбинация стандартных вычетов": one choice per month. TfmDif chooses the
// personal code ("103", "104", "105"), TfmDif2 the single-parent status
// ("да ", "нет"); item i of a month's list is the stored value i.
class TfmDifBase : public QDialog {
    Q_OBJECT
public:
    void setChoices(const std::array<int, 12>& choices);
    std::array<int, 12> choices() const;

    std::array<QComboBox*, 12> months{};
    QPushButton* bnYes;
    QPushButton* bnNo;

protected:
    TfmDifBase(QWidget* parent, const QString& heading, const QStringList& items);
};

class TfmDif : public TfmDifBase {
    Q_OBJECT
public:
    explicit TfmDif(QWidget* parent);
};

class TfmDif2 : public TfmDifBase {
    Q_OBJECT
public:
    explicit TfmDif2(QWidget* parent);
};

// The month names "Январь" ... "Декабрь", month 1 first.
const QStringList& MonthNames();
