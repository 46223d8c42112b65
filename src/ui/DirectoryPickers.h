#pragma once

#include "CodePicker.h"

class TPageHost;

// Pickers built from the directory files beside the program.

class TfmInputInspectionNumber : public TfmCodePicker {
    Q_OBJECT
public:
    TfmInputInspectionNumber(QWidget* parent, const QList<TPickRow>& rows);
    // "Пролистал весь справочник, моя инспекция отсутствует..."
    QPushButton* bnMissing;
};

class TfmGrazhd : public TfmCodePicker {
    Q_OBJECT
public:
    TfmGrazhd(QWidget* parent, const QList<TPickRow>& rows);
};

class TfmInputCurrencyCode : public TfmCodePicker {
    Q_OBJECT
public:
    TfmInputCurrencyCode(QWidget* parent, const QList<TPickRow>& rows);
};

// Each with the current code preselected; nothing when cancelled or when the
// directory is absent. A search text, when given, is already typed in.
std::optional<TPickRow> PickInspection(QWidget* parent, TPageHost& host, const QString& current,
                                       const QString& search = QString());
std::optional<TPickRow> PickCountry(QWidget* parent, TPageHost& host, const QString& currentCode);
// An empty code looks for "0"; with no match the first row is selected.
std::optional<TPickRow> PickCurrency(QWidget* parent, TPageHost& host, const QString& currentCode);
