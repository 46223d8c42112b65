#pragma once

#include <QDateEdit>

// A date field with a calendar. A value read from the document is given back
// unchanged until the user changes the date, even when it lies outside the
// field's range. Every change sends the content-changed notice.
class TDateEdit : public QDateEdit {
    Q_OBJECT
public:
    explicit TDateEdit(QWidget* parent = nullptr);

    void loadValue(double dateTime);
    // The value to store (TDateTime).
    double value() const;

private:
    double loaded_ = 0;
    bool touched_ = false;
    bool loading_ = false;
};
