#pragma once

#include "checks/CheckAsk.h"

#include <QString>
#include <QTextStream>

// qarv-cli check IN: the whole-document check, answering "Исправить" to the
// first finding. Exit codes: 0 passed, 1 a finding (one line on out), 2 failure
// with the message on err.
int RunCheck(const QString& file, QTextStream& out, QTextStream& err);

// qarv-cli check --all IN: every finding, one line each, in check order; the
// same exit codes.
int RunCheckAll(const QString& file, QTextStream& out, QTextStream& err);

// A finding as one line: page code, position, group caption and message,
// separated by tabs.
QString FindingLine(const CheckResult& finding);
