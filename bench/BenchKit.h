#pragma once

// Timing for the benchmark programs: a body run a number of times, reported as
// the best and the median run.

#include <QElapsedTimer>
#include <QString>
#include <QTextStream>
#include <algorithm>
#include <vector>

namespace bench {

struct Figures {
    double best = 0, median = 0; // milliseconds
};

template <typename Body> Figures Time(int runs, Body body) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        body();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {ms.front(), ms[ms.size() / 2]};
}

// One line "what: best X ms, median Y ms", flushed so that a long run shows progress.
inline void Report(QTextStream& out, const QString& what, const Figures& f, int decimals) {
    out << what << ": best " << QString::number(f.best, 'f', decimals) << " ms, median "
        << QString::number(f.median, 'f', decimals) << " ms" << Qt::endl;
}

} // namespace bench
