#pragma once

#include <QList>
#include <QString>

// The fixed code tables: identity document kinds and regions.
struct CodeName {
    QString code; // two digits
    QString name;
};

const QList<CodeName>& IdDocKinds();
const QList<CodeName>& Regions();

// Row a picker preselects for the current numeric value; -1 for none. A value of 0
// preselects "01" where the table has it.
int PreselectedRow(const QList<CodeName>& table, int currentValue);
// The name of a code in a table, empty when absent.
QString CodeTableName(const QList<CodeName>& table, int code);
