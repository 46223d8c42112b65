#pragma once

#include <QStringList>
#include <QTextStream>

// qarv-cli commands that write the exchange file. Exit codes: 0 done, 1 the
// whole-document check found something (printed as PAGE, POSITION, GROUP CAPTION
// and MESSAGE separated by tabs), 2 failure with the message on err.
int RunExport(const QStringList& args, QTextStream& out, QTextStream& err);
int RunXml(const QStringList& args, QTextStream& out, QTextStream& err);
