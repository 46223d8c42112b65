#pragma once

#include "ui/MyFrame.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class QWidget;
class TMaskedEdit;
class mTBusinessNew;

// "Предприниматели": one record per kind of activity with its income and either
// documented expenses or the 20 percent norm, and below them the advance
// payments and the farm data of the declaration.
class TfrBusinessNew : public TThinkingFrame {
    Q_OBJECT
public:
    TfrBusinessNew(TPageHost& host, QWidget* parent);

    void StoreToModel() override;
    int CheckPage() override;
    void FocusField(int position) override;
    void PageShown() override;

    // The list row of an activity.
    static QString RowText(const mTBusinessNew& b);

    int selectedIndex() const { return selected_; }
    void selectRecord(int index);
    void addActivity();
    void editActivity();
    void deleteActivity();

    QTreeWidget* lvSourseIncomeInfo;
    QPushButton* bnAdd;
    QPushButton* bnDelete;
    QPushButton* bnEdit;
    TMaskedEdit* MaskedEdit1;
    QCheckBox* chbIsConfirmedExpensies;
    TMaskedEdit* MaskedEdit2;
    TMaskedEdit* MaskedEdit3;
    TMaskedEdit* MaskedEdit4;
    TMaskedEdit* MaskedEdit5;
    TMaskedEdit* MaskedEdit6;
    TMaskedEdit* MaskedEdit7;
    QLabel* Panel5;
    TMaskedEdit* meNachPrepayment;
    TMaskedEdit* meActualPrepayment;
    QCheckBox* cbIsFH;
    TMaskedEdit* meBeginninFH;
    QSpinBox* updBeginningUsePrivilegeDate;
    TMaskedEdit* meFHSum;

private:
    void buildLayout();
    void storeRecord(int index);
    void loadRecord(int index);
    void setFieldsEnabled(bool enabled);
    void applyFarmEnabling();
    void showExpenseGroup();
    void recomputeNorm();

    QWidget* gbConfirmed_ = nullptr;
    QWidget* gbNorm_ = nullptr;
    QList<QWidget*> recordFields_;
    QList<QWidget*> farmFields_;
    QList<QWidget*> declarationFields_;
    int selected_ = -1;
    bool loading_ = false;
};
