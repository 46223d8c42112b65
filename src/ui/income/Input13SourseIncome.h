#pragma once

#include <QDialog>

class CheckAsker;
class QCheckBox;
class QPushButton;
class TMaskedEdit;
class mTThirteenPercent;

// "Источник выплаты": a payer of income at 13 percent.
class TfmInput13SourseIncome : public QDialog {
    Q_OBJECT
public:
    // nonResident hides the standard-deductions box.
    TfmInput13SourseIncome(QWidget* parent, CheckAsker& asker, bool nonResident);

    void load(const mTThirteenPercent& payer);
    // The five values of the dialog; the name trimmed check is the caller's.
    void store(mTThirteenPercent& payer) const;
    QString sourceName() const;

    TMaskedEdit* meSourseName;
    TMaskedEdit* meINN;
    TMaskedEdit* meKPP;
    TMaskedEdit* meOKATO;
    QCheckBox* chbPrimaryWorkplase;
    QPushButton* bnYes;
    QPushButton* bnNo;

    // "Да" and Enter: the source check, then accept or focus its field.
    void confirm();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    CheckAsker& asker_;
};
