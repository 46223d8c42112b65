#pragma once

#include <QDateEdit>

// A date field with a calendar. A value read from the document is given back
// unchanged until the user changes the date, even when it lies outside the
// field's range. Every change sends the content-changed notice.
//
// A date is typed as people write it: "15.03.1980", "15.3.1980" or "15031980"
// after the field got the focus (by Tab or a click; the day is selected then).
// A two-digit year takes the latest century that keeps the date in range. A
// date outside the range, or one no calendar has, is refused and the previous
// date comes back. Digits typed into a section the user moved to with the
// arrows or the mouse change that section alone. Tab leaves the field, as from
// every other field: the sections are for the arrows.
class TDateEdit : public QDateEdit {
    Q_OBJECT
public:
    explicit TDateEdit(QWidget* parent = nullptr);
    TDateEdit(const QDate& minimum, const QDate& maximum, QWidget* parent = nullptr);

    void loadValue(double dateTime);
    // The value to store (TDateTime).
    double value() const;

    // Whether a whole date is being typed and not yet complete.
    bool isTyping() const { return typing_; }
    // The date a typed text stands for within [minimum, maximum]; invalid when
    // it stands for none. Forms as above; an incomplete text gives none.
    static QDate parseTyped(const QString& text, const QDate& minimum, const QDate& maximum);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    QValidator::State validate(QString& input, int& pos) const override;

private:
    void init();
    void selectDay();
    // Ends a typed date: takes it when complete and in range, else gives the
    // previous date back. False when the text was refused.
    bool finishTyping();
    void cancelTyping();
    void showTyped();

    double loaded_ = 0;
    bool touched_ = false;
    bool loading_ = false;
    // Focus just came: the next digit starts a whole date.
    bool fresh_ = false;
    // The focus came by a click not yet released.
    bool focusClick_ = false;
    bool typing_ = false;
    QString typed_;
};
