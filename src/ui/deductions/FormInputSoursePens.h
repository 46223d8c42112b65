#pragma once

#include <QDialog>

class CheckAsker;
class QPushButton;
class QRadioButton;
class TDateEdit;
class TMaskedEdit;
class mTPens;

// "Данные договора": one pension contract. Accepting runs the checks of the
// organisation and the contract; a field to fix keeps the dialog open.
class TfmInputSoursePens : public QDialog {
    Q_OBJECT
public:
    TfmInputSoursePens(QWidget* parent, CheckAsker& asker);

    void load(const mTPens& contract);
    void store(mTPens& contract) const;
    // The checks behind "Да" and Enter; true when nothing is left to fix.
    bool checkContract();

    TMaskedEdit* meSourseName;
    TMaskedEdit* meINN;
    TMaskedEdit* meKPP;
    TMaskedEdit* meNomDog;
    TDateEdit* dtpDatDog;
    TMaskedEdit* meVZSum;
    TMaskedEdit* meVichSum;
    TMaskedEdit* meNA;
    QRadioButton* rbSelf3;
    QRadioButton* rbFam3;
    QRadioButton* rbSelf4;
    QRadioButton* rbFam4;
    QPushButton* bnYes;
    QPushButton* bnNo;

    void accept() override;

private:
    CheckAsker& asker_;
};
