#pragma once

#include <QDialog>

class QPushButton;
class TMaskedEdit;
class TPageHost;

// "Доход": the payer abroad and its country.
class TfmInputCurrencySourseIncome : public QDialog {
    Q_OBJECT
public:
    TfmInputCurrencySourseIncome(QWidget* parent, TPageHost& host);

    TMaskedEdit* meSourseName;
    TMaskedEdit* meGos;
    QPushButton* bnGos;
    QPushButton* bnYes;
    QPushButton* bnNo;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // fromButton: "Исправить" then opens the country picker; after Enter the
    // dialog just stays open.
    void tryAccept(bool fromButton);
    void pickCountry();

    TPageHost& host_;
};
