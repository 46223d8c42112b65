#pragma once

#include <QStringList>
#include <QTextStream>

// qarv-cli commands on the document file itself. Each returns the exit code:
// 0 done, 2 failure with the user-facing message on err.
int RunNew(const QStringList& args, QTextStream& out, QTextStream& err);
int RunSave(const QStringList& args, QTextStream& out, QTextStream& err);
int RunJson(const QStringList& args, QTextStream& out, QTextStream& err);
int RunBuild(const QStringList& args, QTextStream& out, QTextStream& err);

// Runs body and turns every failure into exit code 2 with its message on err.
int RunGuarded(QTextStream& err, const std::function<int()>& body);
