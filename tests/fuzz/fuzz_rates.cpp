// The bank's rate files, daily and period layouts, merged into the rate directory.

#include "FuzzKit.h"
#include "refdata/RateImport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzKit::app();
    FuzzKit::refusalsAllowed([&] {
        const QString file = FuzzKit::asFile(data, size, QStringLiteral("bank.xml"));
        ImportRateFiles({file}, FuzzKit::nowhere(QStringLiteral("CurrencyRates.xml")));
    });
    return 0;
}
