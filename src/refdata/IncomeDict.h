#pragma once

#include "storage/Money.h"

#include <QByteArray>
#include <QDomDocument>
#include <QList>
#include <QString>

// The income and deduction code dictionary carried inside the program, and the
// choices its two pickers offer. The dictionary never changes at run time.

// The embedded windows-1251 XML text, root "IncomeDict".
QByteArray IncomeDictText();
// A fresh parse of the embedded text, for a dialog to keep while it lives.
QDomDocument LoadIncomeDict();

// Boolean attributes count only when they read exactly "True".
bool DictFlag(const QDomElement& element, const QString& name);

struct IncomeCodeItem {
    QString code;
    QString name;
    bool hasDeductions = false;
    int stav = 0; // 0 when blank
    bool saleDate = false;
};

// An empty rateFilter lists every income and ignores the non-resident filter.
QList<IncomeCodeItem> IncomeCodeList(const QDomElement& root, const QString& rateFilter,
                                     bool nonResident);

struct DeductCodeItem {
    QString code;
    QString name;
    Money maxSum; // zero means no limit
    bool enabled = false;
    bool equivalent = false;
    bool visible = false;
    int stav = 0; // norm percent, 0 when blank
};

// Without fullList only the codes "20..", "5.." and "0" are offered.
QList<DeductCodeItem> DeductCodeList(const QDomElement& root, const QString& incomeCode,
                                     bool fullList);

// The row to select when a picker opens: the first with the current code, else
// the first row; -1 for an empty list.
template <class Item> int PreselectRow(const QList<Item>& items, const QString& code) {
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i).code == code)
            return i;
    }
    return items.isEmpty() ? -1 : 0;
}
