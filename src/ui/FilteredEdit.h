#pragma once

#include <QLineEdit>
#include <optional>

// Common ground of the two masked field kinds: a key filter that sees each typed
// character before the field does, and a change check that runs after every
// change of the text (typing, paste, undo, programmatic set) and puts the last
// accepted text back when the new one does not fit. Only characters the document
// file can store (windows-1251) are ever accepted.
class TFilteredEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TFilteredEdit(QWidget* parent = nullptr);

    // Shows a value read from the document. It is kept even when it does not fit
    // the field's shape (an older edition or another shape may have written it):
    // dropping it would lose it at the next save. Sends no notice.
    void loadText(const QString& text);

signals:
    // The accepted text differs from the previous one.
    void changed();

protected:
    // The text and caret after typing ch at pos into text (a selection already
    // removed), or nothing when the key is dropped.
    struct KeyResult {
        QString text;
        int caret = 0;
    };
    virtual std::optional<KeyResult> filterKey(const QString& text, int pos, QChar ch) const = 0;
    // The text as the field keeps it (possibly rewritten, e.g. capitals), or
    // nothing when the change is to be reverted.
    virtual std::optional<QString> checkText(const QString& text) const = 0;

    // After a change of shape the next keystroke and change follow the new one.
    void shapeChanged();

    void keyPressEvent(QKeyEvent* event) override;

private:
    void onTextChanged(const QString& text);
    void rewrite(const QString& text);

    QString previous_;
    // A loaded text that does not fit the shape: edits are then not reverted, so
    // the user can correct it step by step.
    bool previousFits_ = true;
    bool reverting_ = false;
};

// Helpers shared by the two field kinds.
namespace FieldChars {
bool isDigit(QChar c); // "0"-"9" only
// Cyrillic capitals А-Я of windows-1251 (no Ё).
bool isCyrillicCapital(QChar c);
bool isCyrillicSmall(QChar c);
QChar toCyrillicCapital(QChar c);
bool allDigits(QStringView s);
bool allCyrillicCapitals(QStringView s);
} // namespace FieldChars
