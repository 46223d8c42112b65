#pragma once

#include "FrameThirteenPercent.h"

// Non-residents' income at 13 percent (highly qualified specialists): the same
// page on its own list; it has no check of its own.
class TTfrThirteenPercentNR : public TfrThirteenPercent {
    Q_OBJECT
public:
    TTfrThirteenPercentNR(TPageHost& host, QWidget* parent)
        : TfrThirteenPercent(host, parent, true) {}

    int CheckPage() override { return 0; }
    void FocusField(int) override {}
};
