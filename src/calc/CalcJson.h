#pragma once

#include "storage/Money.h"

#include <QByteArray>
#include <QString>
#include <vector>

// A JSON object that keeps its keys in the order they were added, so the printed
// calculation reads in the order of the form. Money is written as a string in its
// shortest form ("6000", "25000.07"), as the document's own JSON form does.
class CalcJson {
public:
    CalcJson& money(const QString& key, Money value);
    CalcJson& number(const QString& key, qint64 value);
    CalcJson& real(const QString& key, double value);
    CalcJson& text(const QString& key, const QString& value);
    CalcJson& flag(const QString& key, bool value);
    CalcJson& date(const QString& key, double tDateTime);
    CalcJson& object(const QString& key, CalcJson value);
    CalcJson& list(const QString& key, std::vector<CalcJson> items);

    // Indented UTF-8 text, ending with a line break.
    QByteArray toJson() const;

    struct Entry {
        QString key;
        QByteArray scalar;             // encoded value, when a scalar
        std::vector<CalcJson> objects; // one for an object, any number for a list
        bool isList = false;
        bool isMoney = false; // then amount holds the value
        Money amount;
    };
    // Read back in order, for the calculation report.
    const std::vector<Entry>& entries() const { return entries_; }

private:
    void write(QByteArray& out, int indent) const;

    std::vector<Entry> entries_;
};
