#pragma once

#include "MaskedDocEdit.h"
#include "MyFrame.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TDateEdit;
class TMaskedEdit;

// Series-and-number shape of a document kind: when the page is filled from the
// model, and when the user picks the kind. Nothing: the field keeps its shape.
std::optional<TDocumentMaskEnum> SeriesShapeOnCreation(int docKind);
std::optional<TDocumentMaskEnum> SeriesShapeOnPicking(int docKind);

// Name, INN, birth, identity document and citizenship of the declarant.
class TfrPersonNaim : public TThinkingFrame {
    Q_OBJECT
public:
    static inline const QString kPageName = QStringLiteral("Сведения о декларанте");

    TfrPersonNaim(TPageHost& host, QWidget* parent);

    void StoreToModel() override;
    int CheckPage() override;
    void FocusField(int position) override;

    int docKind() const { return docKind_; }

    TMaskedEdit* meSurName;
    TMaskedEdit* meName;
    TMaskedEdit* mePatronymic;
    TMaskedEdit* meINN;
    TDateEdit* dtBirthDate;
    TMaskedEdit* meMesto;
    TMaskedEdit* meOKATO;
    TMaskedEdit* meHomePhone;
    QGroupBox* gbDocument;
    QLabel* pnlDocType;
    QPushButton* bnDocType;
    TMaskedDocEdit* meSerial;
    TDateEdit* dtRegDate;
    TMaskedEdit* meKem;
    QGroupBox* gbCitizenship;
    QRadioButton* rbGr;
    QRadioButton* rbBomzh;
    TMaskedEdit* meKodGrazhd;
    TMaskedEdit* meCitizenship;
    QPushButton* bnGrazhd;

private:
    void buildLayout();
    void loadFromModel();
    void applyFormKind();
    void pickDocKind();
    void pickCountry();
    // A field the form kind hides is shown before it gets the focus.
    void reveal(QWidget* field);

    int docKind_ = 0;
    QLabel* lbBirthDate_ = nullptr;
    QLabel* lbMesto_ = nullptr;
    QLabel* lbOKATO_ = nullptr;
    QLabel* lbHomePhone_ = nullptr;
};
