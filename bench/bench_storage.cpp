// Saves and loads the large declaration and reports throughput and peak memory.
#include "BenchKit.h"
#include "LargeDeclaration.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

namespace {

long peakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("large.dc1"));
    const long baseKb = peakRssKb();
    auto declaration = MakeLargeDeclaration();
    const long builtKb = peakRssKb();

    constexpr int kRounds = 5;
    const double bestSave = bench::Time(kRounds, [&] { declaration->SaveToFile(file); }).best / 1e3;
    const double mb = QFileInfo(file).size() / 1e6;
    declaration.reset();
    const long beforeLoadKb = peakRssKb();
    // Timed by hand: building and freeing the loaded declaration stay outside.
    double bestLoad = 1e9;
    for (int i = 0; i < kRounds; ++i) {
        mTDeclaration loaded;
        QElapsedTimer t;
        t.start();
        loaded.LoadFromFile(file);
        bestLoad = std::min(bestLoad, t.nsecsElapsed() / 1e9);
    }
    std::printf("file size: %.2f MB\n", mb);
    std::printf("save: %.1f ms, %.0f MB/s (best of %d)\n", bestSave * 1e3, mb / bestSave, kRounds);
    std::printf("load: %.1f ms, %.0f MB/s (best of %d)\n", bestLoad * 1e3, mb / bestLoad, kRounds);
    std::printf("peak RSS: start %.1f MB, with declaration %.1f MB, after save and load %.1f MB\n",
                baseKb / 1e3, builtKb / 1e3, peakRssKb() / 1e3);
    std::printf("peak growth over the file size: %.1fx (load phase %.1fx)\n",
                (peakRssKb() - baseKb) / 1e3 / mb, (peakRssKb() - beforeLoadKb) / 1e3 / mb);
    return 0;
}
