#pragma once

#include <QStringList>
#include <QTextStream>

// qarv-cli pdf IN OUT.pdf [--date YYYY-MM-DD] [--no-check]: the printed form
// through the print module, straight into a PDF file. Exit codes as export: 0
// done (the page count on out), 1 a check finding, 2 failure with the message on err.
int RunPdf(const QStringList& args, QTextStream& out, QTextStream& err);

// The command's own entry: painting needs a GUI application, on the offscreen
// platform so that no display is needed. The other commands never create one.
int RunPdfMain(int argc, char** argv);
