#pragma once

#include "MyFrame.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QToolButton;
class TMaskedEdit;

// "Задание условий": the form, the tax office, the correction number, the
// taxpayer kind, the kinds of income and who signs.
class TfrInitialData : public TThinkingFrame {
    Q_OBJECT
public:
    static inline const QString kPageName = QStringLiteral("Задание условий");

    TfrInitialData(TPageHost& host, QWidget* parent);

    void StoreToModel() override;
    int CheckPage() override;
    void FocusField(int position) override;

    QRadioButton* rbSimple;
    QRadioButton* rbNeRez;
    QRadioButton* rb4ndfl;
    TMaskedEdit* meInspection;
    QPushButton* bnInspection;
    TMaskedEdit* meNumVer;
    QToolButton* updCorrUp;
    QToolButton* updCorrDown;
    QRadioButton* rbPredp;
    QRadioButton* rbFermer;
    QRadioButton* rbNotarius;
    QRadioButton* rbAdvokat;
    QRadioButton* rbFLProch;
    QCheckBox* chbIncomeInquiry;
    QLabel* lbIncomeComment;
    QCheckBox* chbIncomeCurrency;
    QCheckBox* chbIncomeBusiness;
    QLabel* lbSupposeIncome;
    TMaskedEdit* meSupposeIncome;
    QRadioButton* rbGiveSelf;
    QRadioButton* rbGiveTrustFase;
    QRadioButton* rbGiveByMail;
    QLabel* lbFIO;
    TMaskedEdit* meFIO;
    QLabel* lbOsn;
    TMaskedEdit* meOsn;
    QLabel* lbUL;
    TMaskedEdit* meUL;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void loadFromModel();
    // The enabling rules, run on a click and when the page is filled.
    void formKindChosen();
    void incomeInquiryClicked();
    void incomeCurrencyClicked();
    void incomeBusinessClicked();
    void signerChosen();
    void updateDeductionButton(bool nonResidentBlocks);
    bool anyIncomeTicked() const;
    // Unticks a box as a click would, running its rule.
    void untick(QCheckBox* box, void (TfrInitialData::*rule)());
    void stepCorrection(int delta);
    void pickInspection(const QString& search = QString());

    // The hidden signing date and attachment count keep their loaded values.
    double signDate_ = 0;
    qint32 attachmentSheets_ = 0;
};
