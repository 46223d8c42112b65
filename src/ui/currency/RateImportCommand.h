#pragma once

#include <QString>

class QWidget;
class TThinkingFrame;
struct RefDirectories;

// "Загрузить курсы валют ЦБ РФ...": the bank's rate files the user picks are
// merged into the user's rate directory (the program folder's decides where the
// others lie) with a progress that can be
// cancelled, the counts are reported, and the loaded currencies are read again
// so that lookups (and the currency page, when it is the page on screen) use
// the new rates at once. A failed or cancelled import changes nothing.
// True when the directory was written.
bool RunRateImportCommand(QWidget* parent, const QString& folder, RefDirectories& directories,
                          TThinkingFrame* currentPage);
