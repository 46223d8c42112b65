#pragma once

#include <QString>
#include <QTextStream>

// qarv-cli calc IN.dc1: loads the declaration, runs the tax calculation and prints
// every computed value as JSON, grouped by result object and named by XML name,
// the payment lines as a list. Returns 0, or 2 with the message on err.
// report (qarv-cli calc --report): the calculation report as plain text instead.
int RunCalc(const QString& file, QTextStream& out, QTextStream& err, bool report = false);
