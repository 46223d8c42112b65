#pragma once

#include "checks/CheckAsk.h"

#include <QStringList>

// Answers from a script and records what it was asked.
// Script letters: F "Исправить", S "Пропустить", A "Пропустить все", C "Отмена"
// or closed window. When the script runs out, the answer is Fix.
class ScriptedAsker : public CheckAsker {
public:
    explicit ScriptedAsker(QString script = QString()) : script_(std::move(script)) {}

    // Page dialog: the message followed by the buttons offered besides
    // "Исправить", as " [S]", " [A]".
    CheckAnswer AskPage(const QString& title, const QString& message, bool skipOffered,
                        bool skipAllOffered) override {
        titles << title;
        QString line = message;
        if (skipOffered)
            line += QStringLiteral(" [S]");
        if (skipAllOffered)
            line += QStringLiteral(" [A]");
        asked << line;
        return next();
    }

    CheckAnswer AskDocument(const QString& title, const QString& message) override {
        titles << title;
        asked << message;
        return next();
    }

    QStringList titles;
    QStringList asked;

private:
    CheckAnswer next() {
        const QChar c = used_ < script_.size() ? script_.at(used_) : QLatin1Char('F');
        ++used_;
        switch (c.toLatin1()) {
        case 'S':
            return CheckAnswer::Skip;
        case 'A':
            return CheckAnswer::SkipAll;
        case 'C':
            return CheckAnswer::Cancel;
        default:
            return CheckAnswer::Fix;
        }
    }

    QString script_;
    qsizetype used_ = 0;
};
