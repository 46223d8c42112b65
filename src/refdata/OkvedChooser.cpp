#include "OkvedChooser.h"

OkvedChooser::OkvedChooser(const QList<OkvedEntry>& entries)
    : entries_(entries), shownCode_(noneText()) {
    for (QStringList& list : lists_)
        list = QStringList{noneText()};
    for (const OkvedEntry& e : entries_) {
        if (e.grup == u"1")
            lists_[0].append(e.name);
    }
}

QString OkvedChooser::noneText() {
    return QStringLiteral("нет");
}

QString OkvedChooser::shortCodeMessage() {
    return QStringLiteral("Длина кода ОКВЭД должна быть не меньше 4 знаков вклячая точку");
}

void OkvedChooser::clearBelow(int level) {
    for (int j = level; j < kLevels; ++j) {
        lists_[j] = QStringList{noneText()};
        current_[j] = 0;
    }
}

void OkvedChooser::pick(int level, int index) {
    if (level < 1 || level > kLevels || index < 0 || index >= lists_[level - 1].size())
        return;
    current_[level - 1] = index;
    if (index == 0) {
        if (lists_[level - 1].size() > 1)
            clearBelow(level);
        return;
    }
    const QString grup = QString::number(level);
    const QString& name = lists_[level - 1].at(index);
    for (const OkvedEntry& e : entries_) {
        if (e.grup == grup && e.name == name) {
            chosenKod_ = e.kod;
            shownCode_ = e.okved;
            break;
        }
    }
    clearBelow(level);
    for (int j = level + 1; j <= kLevels; ++j) {
        const QString g = QString::number(j);
        for (const OkvedEntry& e : entries_) {
            if (e.grup == g && e.kod.startsWith(chosenKod_))
                lists_[j - 1].append(e.name);
        }
    }
}
