#pragma once

#include "Directories.h"

#include <QStringList>
#include <array>

// The six level lists of the OKVED picker and the code they lead to. Every list
// starts with "нет"; choosing an entry fills the lists below it with all its
// descendants, level by level.
class OkvedChooser {
public:
    static constexpr int kLevels = 6;

    explicit OkvedChooser(const QList<OkvedEntry>& entries);

    static QString noneText();
    static QString shortCodeMessage();

    // level is 1 to 6; item 0 of every list is "нет".
    const QStringList& items(int level) const { return lists_[level - 1]; }
    int currentIndex(int level) const { return current_[level - 1]; }

    void pick(int level, int index);

    QString chosenKod() const { return chosenKod_; }
    // The text of the read-only field: the chosen entry's OKVED, or "нет".
    QString shownCode() const { return shownCode_; }
    // "Да" closes at once only for a chosen Kod longer than three characters.
    bool needsLengthCheck() const { return chosenKod_.size() <= 3; }

private:
    void clearBelow(int level);

    const QList<OkvedEntry>& entries_;
    std::array<QStringList, kLevels> lists_;
    std::array<int, kLevels> current_{};
    QString chosenKod_;
    QString shownCode_;
};
