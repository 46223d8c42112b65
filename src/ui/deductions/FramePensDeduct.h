#pragma once

#include "ui/MyFrame.h"

#include <array>

class QCheckBox;
class QLabel;
class QToolButton;
class QTreeWidget;
class TMaskedEdit;

// Social deductions: six amounts, the children's education payments and the
// pension contracts. The two lists change the record at once.
class TfrFramePensDeduct : public TThinkingFrame {
    Q_OBJECT
public:
    static inline const QString kPageName = QStringLiteral("Социальные вычеты");
    static inline const QString kUngrantQuestion =
        QStringLiteral("Сведения о социальных вычетах и договорах будут удалены. Продолжить?");

    TfrFramePensDeduct(TPageHost& host, QWidget* parent);

    void StoreToModel() override;
    int CheckPage() override;
    void FocusField(int position) override;

    void addSum();
    void editSum();
    void deleteSum();
    void addPens();
    void editPens();
    void deletePens();

    QCheckBox* chbGrantingSocDeduct;
    TMaskedEdit* meCharitySum;
    TMaskedEdit* meSelfEducationSum;
    TMaskedEdit* meMedicalSum;
    TMaskedEdit* meExpensiveMedicalSum;
    TMaskedEdit* meStrahovka;
    TMaskedEdit* meStrahovka2;
    QTreeWidget* lvSumList;
    QToolButton* fbAddSum;
    QToolButton* fbDeleteSum;
    QToolButton* fbEditSum;
    QTreeWidget* lvPensInfo;
    QToolButton* fbAddPens;
    QToolButton* fbDeletePens;
    QToolButton* fbEditPens;

private:
    void buildLayout();
    void loadFromModel();
    void applyEnabling();
    void grantClicked(bool ticked);
    bool anythingEntered() const;
    std::array<TMaskedEdit*, 6> amounts() const;

    std::array<QLabel*, 6> amountLabels_{};
};
