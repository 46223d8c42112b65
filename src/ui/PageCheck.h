#pragma once

#include "checks/CheckAsk.h"

#include <QString>

// One run of a page's own check through the page-check dialog: each step runs
// only while the last answer is neither "Исправить" nor "Пропустить все"; the
// result is the position of the step answered "Исправить", else 0.
class TPageCheckRun {
public:
    TPageCheckRun(CheckAsker& asker, const QString& pageName)
        : asker_(asker), title_(QStringLiteral("Проверка: ") + pageName) {}

    bool active() const { return last_ != CheckAnswer::Fix && last_ != CheckAnswer::SkipAll; }
    // Asks when the run is still active and the problem is there.
    void step(bool problem, const QString& message, int position) {
        if (!active() || !problem)
            return;
        last_ = asker_.AskPage(title_, message, true, true);
        if (last_ == CheckAnswer::Fix)
            result_ = position;
    }
    int result() const { return result_; }

private:
    CheckAsker& asker_;
    QString title_;
    CheckAnswer last_ = CheckAnswer::Skip;
    int result_ = 0;
};
