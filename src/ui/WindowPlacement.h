#pragma once

#include <QRect>

// Where the main window opens, from what was stored when it last closed.
struct TStoredPlacement {
    bool exists = false; // anything stored at all
    bool fullScreen = false;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

inline constexpr int kMinWindowWidth = 800;
inline constexpr int kMinWindowHeight = 571;

// Nothing stored: 800 x 571, centred. A window that would leave the screen is
// brought back at the minimum size against the right or bottom edge.
QRect PlaceMainWindow(const TStoredPlacement& stored, int screenWidth, int workAreaHeight);
