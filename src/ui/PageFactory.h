#pragma once

#include "MyFrame.h"

// Caption and hint of a page's button.
QString PageCaption(TPageId page);
QString PageHint(TPageId page);

// A new page of that kind, filled from the model. The caller sets pageBuilding.
TThinkingFrame* CreatePage(TPageId page, TPageHost& host, QWidget* parent);
