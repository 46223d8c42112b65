#pragma once

#include "FilteredEdit.h"

// Shapes of an identity document's series and number.
enum TDocumentMaskEnum {
    edtR_BB = 0,  // Roman series, "-", two letters, space, up to 6 digits (XIV-АБ 123456)
    edt99 = 1,    // two digits, space, up to 7 digits
    edt99_ = 2,   // two digits, space, two digits, space, up to 6 digits
    edtBB = 3,    // up to two letters, space, up to 6 digits
    edtBB0 = 4,   // up to two letters, space, up to 7 digits
    edtNone1 = 5, // any text of at most 20 characters
    edtNone2 = 6, // any text of at most 14 characters
};

// The series-and-number field; the page sets the shape from the document kind.
class TMaskedDocEdit : public TFilteredEdit {
    Q_OBJECT
public:
    explicit TMaskedDocEdit(QWidget* parent = nullptr);

    TDocumentMaskEnum EditType() const { return type_; }
    void setEditType(TDocumentMaskEnum type);

protected:
    std::optional<KeyResult> filterKey(const QString& text, int pos, QChar ch) const override;
    std::optional<QString> checkText(const QString& text) const override;

private:
    std::optional<KeyResult> filterRoman(const QString& text, int pos, QChar ch) const;
    TDocumentMaskEnum type_ = edtNone1;
};
