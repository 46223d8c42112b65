#pragma once

#include "PrintModule.h"

#include <QStringList>
#include <functional>

// The print module's library, looked for by name in these folders in turn:
// beside the program, then the installed plugin folder.
QStringList PrintModuleFolders();

// The module's root object from the first folder that holds a loadable library;
// nothing when none does (why is set). The library stays loaded.
TPrintModuleFactory* LoadPrintModuleFactory(const QStringList& folders, QString* why = nullptr);

// A fresh module for one command, or nothing when it cannot be created.
std::unique_ptr<TPrintModule> CreatePrintModule();

// Replaces where CreatePrintModule takes its modules from (tests); an empty
// function puts back the library.
using TPrintModuleSource = std::function<std::unique_ptr<TPrintModule>()>;
void SetPrintModuleSource(TPrintModuleSource source);
