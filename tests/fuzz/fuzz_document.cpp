// The document loader, every edition, from a block in memory.

#include "FuzzKit.h"
#include "model/DeclClasses.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzKit::app();
    FuzzKit::refusalsAllowed([&] {
        mTDeclaration d;
        d.LoadFromBlock(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
        // What loaded must also be something the writer can size.
        d.ComputeFileSize();
    });
    return 0;
}
