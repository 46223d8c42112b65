#include "WindowPlacement.h"

QRect PlaceMainWindow(const TStoredPlacement& stored, int screenWidth, int workAreaHeight) {
    int left = 0, top = 0, width = 0, height = 0;
    if (stored.exists && !stored.fullScreen) {
        left = stored.left;
        top = stored.top;
        width = stored.width;
        height = stored.height;
    }
    if (left + width == 0) {
        width = kMinWindowWidth;
        left = (screenWidth - kMinWindowWidth) / 2;
    }
    if (top + height == 0) {
        height = kMinWindowHeight;
        top = (workAreaHeight - kMinWindowHeight) / 2;
    }
    if (left < 0)
        left = 0;
    if (top < 0)
        top = 0;
    if (screenWidth - left < width) {
        width = kMinWindowWidth;
        left = screenWidth - kMinWindowWidth;
    }
    if (workAreaHeight - top < height) {
        height = kMinWindowHeight;
        top = workAreaHeight - kMinWindowHeight;
    }
    if (left < 0)
        left = 0;
    if (top < 0)
        top = 0;
    return QRect(left, top, width, height);
}
