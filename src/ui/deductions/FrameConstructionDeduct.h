#pragma once

#include "storage/Money.h"
#include "ui/MyFrame.h"

#include <QSpinBox>
#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class TDateEdit;
class TMaskedEdit;

// A year that only its arrows (or Up and Down) change: typed keys are refused.
class TYearSpin : public QSpinBox {
    Q_OBJECT
public:
    explicit TYearSpin(QWidget* parent);

protected:
    QValidator::State validate(QString& input, int& pos) const override;
};

// The housing property deduction: the object with its address and dates on one
// pane, the costs and the deductions of earlier years on the other.
class TfrConstructionDeduct : public TThinkingFrame {
    Q_OBJECT
public:
    static inline const QString kPageName = QStringLiteral("Имущественный налоговый вычет");

    TfrConstructionDeduct(TPageHost& host, QWidget* parent);

    void StoreToModel() override;
    int CheckPage() override;
    void FocusField(int position) override;

    // 0 the object pane, 1 the amounts pane.
    int currentPane() const;
    void showPane(int pane);
    void pickRegion();

    // Object pane.
    QCheckBox* chbGrantingDeduct;
    QCheckBox* chbPensioner;
    QComboBox* cbObjectNaim;
    QRadioButton* rbInvest;
    QRadioButton* rbBay;
    QComboBox* cbVidSob;
    QComboBox* cbPrizNal;
    TMaskedEdit* mePostIndex;
    QLabel* pnlRegion;
    QPushButton* bnRegion;
    TMaskedEdit* meDistrict;
    TMaskedEdit* meCity;
    TMaskedEdit* meArea;
    TMaskedEdit* meStreet;
    TMaskedEdit* meHouse;
    TMaskedEdit* meBuilding;
    TMaskedEdit* meFlat;
    TDateEdit* dtpRegRightDate;
    TDateEdit* dtpRegZemDate;
    TDateEdit* dtpBayDate;
    TDateEdit* dtpAppDate;
    TYearSpin* meBeginningUsePrivilegeDate;
    TMaskedEdit* meDol1;
    TMaskedEdit* meDol2;
    TMaskedEdit* mePart; // not shown
    QPushButton* bnNext;
    // Amounts pane.
    TMaskedEdit* meObsch;
    TMaskedEdit* meTransferringChargeSum;
    TMaskedEdit* mePostYears;
    TMaskedEdit* mePostYearsNA;
    TMaskedEdit* meVychNA;
    TMaskedEdit* meobschip;
    TMaskedEdit* meTransferringCreditSum;
    TMaskedEdit* mePostYearsIp;
    TMaskedEdit* mePostYearsIpNA;
    TMaskedEdit* meVychIpNA;
    QPushButton* bnPrev;

private:
    QWidget* buildObjectPane();
    QWidget* buildAmountsPane();
    void loadFromModel();
    void applyAcquisition();
    void applyRules();
    void applyPensioner();

    QStackedWidget* panes_;
    QString regionName_;
    std::vector<QWidget*> fields_;
    bool loading_ = false;
};
