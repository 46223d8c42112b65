#pragma once

#include "FilteredEdit.h"
#include "storage/Money.h"

enum TEditTypeControlEnum {
    edtCurrency = 0, // money: WholeLength digits, separator, FractionalLength digits
    edtDigital = 1,  // digits only
    edtChar = 2,     // any text without digits
    edtNone = 3,     // any text
};

// The input field of amounts, digit strings and free texts with a length limit.
class TMaskedEdit : public TFilteredEdit {
    Q_OBJECT
public:
    explicit TMaskedEdit(QWidget* parent = nullptr);
    TMaskedEdit(TEditTypeControlEnum type, int wholeLength, int fractionalLength = 0,
                QWidget* parent = nullptr);

    TEditTypeControlEnum EditType() const { return type_; }
    void setEditType(TEditTypeControlEnum type);
    // edtCurrency: most digits before the separator; else most characters. 0: no limit.
    int WholeLength() const { return whole_; }
    void setWholeLength(int n);
    // edtCurrency: most digits after the separator. 0: no limit.
    int FractionalLength() const { return fraction_; }
    void setFractionalLength(int n);

    // The decimal separator of the program's text conventions.
    static QChar decimalSeparator();
    // The amount shown; zero for an empty field.
    Money money() const;
    // Shows an amount in its shortest form with the program's separator.
    void loadMoney(Money value);

    // An amount field is never squeezed below a whole amount of up to ten
    // digits and its kopecks: a narrower one shows only the end of what was typed.
    QSize minimumSizeHint() const override;

protected:
    std::optional<KeyResult> filterKey(const QString& text, int pos, QChar ch) const override;
    std::optional<QString> checkText(const QString& text) const override;

private:
    bool currencyFits(const QString& text) const;

    TEditTypeControlEnum type_ = edtCurrency;
    int whole_ = 0;
    int fraction_ = 0;
};
