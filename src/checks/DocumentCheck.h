#pragma once

#include "CheckAsk.h"

#include <vector>

class mTDeclaration;

// The check of the whole declaration that printing, preview and export run
// first. It reports one finding at a time through asker.AskDocument and stops
// at the first one answered "Исправить" or "Отмена"; it never changes the
// declaration.
CheckResult CheckWholeDocument(const mTDeclaration& declaration, CheckAsker& asker);

// Answers "Исправить" to everything: for runs without a user, which want the
// first finding only.
class FixFirstAsker : public CheckAsker {
public:
    CheckAnswer AskPage(const QString&, const QString&, bool, bool) override {
        return CheckAnswer::Fix;
    }
    CheckAnswer AskDocument(const QString&, const QString&) override { return CheckAnswer::Fix; }
};

// The first finding of the whole-document check; passed() when there is none.
CheckResult FirstFinding(const mTDeclaration& declaration);

// Every finding of the whole-document check, in the order the pass meets them,
// each as "Исправить" would have left it (its page code and position). The
// first one is the message the dialog pass shows first.
std::vector<CheckResult> AllFindings(const mTDeclaration& declaration);
