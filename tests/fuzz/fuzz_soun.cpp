// The SOUN table import.

#include "FuzzKit.h"
#include "refdata/LoadSoun.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzKit::app();
    FuzzKit::refusalsAllowed([&] {
        const QString dbf = FuzzKit::asFile(data, size, QStringLiteral("soun1.dbf"));
        ImportSounDbf(dbf, FuzzKit::nowhere(QStringLiteral("InspectionNumbers.xml")),
                      QStringLiteral("00"), QStringLiteral("01.01.2012"));
    });
    return 0;
}
