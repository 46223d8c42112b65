#pragma once

// The two versions of a declaration the kill test saves over each other, made
// alike by the saving process and the test.

#include "LargeDeclaration.h"

#include <QString>

namespace SaveKillKit {

// Turns the large declaration into its old (0) or new (1) version; they differ
// at the start and at the end of the file.
inline void makeVersion(mTDeclaration& d, int which) {
    d.inspectionCode = which == 1 ? QStringLiteral("7702") : QStringLiteral("7701");
    d.expectedIncome = Money::fromRaw(which == 1 ? 123456789 : 0);
}

} // namespace SaveKillKit
