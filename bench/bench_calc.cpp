// Times the tax calculation of the large declaration: a fresh kTSvodSum and one
// Calculate, as every export and print does.

#include "LargeDeclaration.h"
#include "calc/BMLogik.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <algorithm>
#include <vector>

namespace {

struct Figures {
    double best = 0, median = 0;
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

// Every sheet busy: foreign income at 13 percent, standard and social deductions
// counted over the payers' rows, housing.
void GrantEverything(mTDeclaration& d) {
    for (mTThirteenPercent& s : d.thirteenSources)
        s.stdDeductionsHere = 1;
    for (mTCurrencyIncome& c : d.currencyIncomes)
        c.incomeRate = 13;
    d.standardDeduction.granted = 1;
    d.standardDeduction.childrenCount = 2;
    d.socialDeduction.granted = 1;
    d.propertyDeduction.granted = 1;
    d.propertyDeduction.objectCost = Money::fromRoubles(3000000);
    d.propertyDeduction.shareNumerator = d.propertyDeduction.shareDenominator = 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const int runs = 20;
    auto d = MakeLargeDeclaration();
    const auto report = [&](const char* what, const Figures& f) {
        out << what << ": best " << QString::number(f.best, 'f', 1) << " ms, median "
            << QString::number(f.median, 'f', 1) << " ms\n";
    };
    const auto calculate = [&] {
        kTSvodSum sum;
        sum.Calculate(*d);
    };
    report("calculate, large declaration as built", Time(runs, calculate));
    GrantEverything(*d);
    report("calculate, every deduction granted", Time(runs, calculate));
    kTSvodSum sum;
    sum.Calculate(*d);
    report("JSON of the results (qarv-cli calc)", Time(runs, [&] { sum.ToJson().toJson(); }));
    return 0;
}
