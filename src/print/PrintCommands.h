#pragma once

#include <QString>
#include <functional>

class QWidget;
class mTDeclaration;

enum class TPrintMode { Preview, Print };

// What the print commands need from the main window.
struct TPrintRequest {
    QWidget* window = nullptr; // owner of the preview and every message; disabled meanwhile
    const mTDeclaration* declaration = nullptr;
    QString programFolder;             // ends in a separator
    std::function<bool()> checkPassed; // the whole-document check
};

// "Просмотр" and "Печать": the check, then the print procedure with the window
// disabled. The module is created for this command alone.
void RunPrintCommand(TPrintMode mode, const TPrintRequest& request);

// "Word": kept for the command's place in the menu; does nothing.
inline void DocToWord() {}
