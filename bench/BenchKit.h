#pragma once

// Timing for the benchmark programs: a body run a number of times, reported as
// the best and the median run.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <QTextStream>
#include <algorithm>
#include <vector>

namespace bench {

struct Figures {
    double best = 0, median = 0; // milliseconds
};

// The best and the median of runs in milliseconds; runs must not be empty.
inline Figures Summary(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms.front(), ms[ms.size() / 2]};
}

template <typename Body> Figures Time(int runs, Body body) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        body();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    return Summary(std::move(ms));
}

// One run of a window's body, with the events it posted, added to ms.
template <typename Body> void TimeWithEvents(std::vector<double>& ms, Body&& body) {
    QElapsedTimer t;
    t.start();
    body();
    QCoreApplication::processEvents();
    ms.push_back(double(t.nsecsElapsed()) / 1e6);
}

// One line "what: best X ms, median Y ms", flushed so that a long run shows progress.
inline void Report(QTextStream& out, const QString& what, const Figures& f, int decimals) {
    out << what << ": best " << QString::number(f.best, 'f', decimals) << " ms, median "
        << QString::number(f.median, 'f', decimals) << " ms" << Qt::endl;
}

} // namespace bench
