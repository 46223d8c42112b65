// One directory file beside the program, read at start-up; built once per file
// name (QARV_DIRECTORY_FILE).

#include "FuzzKit.h"
#include "refdata/Directories.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzKit::app();
    FuzzKit::refusalsAllowed([&] {
        FuzzKit::asFile(data, size, QStringLiteral(QARV_DIRECTORY_FILE));
        const RefDirectories d = RefDirectories::load(FuzzKit::scratch().path());
        // The look-ups the pages make on what was read.
        if (d.currencies) {
            for (const Currency& c : *d.currencies) {
                d.FindRate(c.code, QDate(2011, 6, 15));
                for (const RateEntry& r : c.rates)
                    r.rateValue();
            }
        }
        if (d.inspections)
            FindCodeRow(*d.inspections, QStringLiteral("7701"));
    });
    return 0;
}
