#pragma once

#include "MyFrame.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TMaskedEdit;

// The declarant's address in the country and abroad, and the contact telephone.
class TfrPersonAddress : public TThinkingFrame {
    Q_OBJECT
public:
    static inline const QString kPageName = QStringLiteral("Сведения о декларанте");

    TfrPersonAddress(TPageHost& host, QWidget* parent);

    void StoreToModel() override;
    int CheckPage() override;
    void FocusField(int position) override;

    int regionCode() const { return regionCode_; }

    QRadioButton* rbReg;
    QRadioButton* rbPreb;
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
    TMaskedEdit* meOKATO;
    QGroupBox* gbPhone;
    TMaskedEdit* meHomePhone;
    TMaskedEdit* meAdr;

private:
    void buildLayout();
    void loadFromModel();
    void pickRegion();

    int regionCode_ = 0;
};
