// Times the tax calculation of the large declaration: a fresh kTSvodSum and one
// Calculate, as every export and print does.

#include "BenchKit.h"
#include "LargeDeclaration.h"
#include "calc/BMLogik.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const int runs = 20;
    auto d = MakeLargeDeclaration();
    const auto report = [&](const char* what, const bench::Figures& f) {
        bench::Report(out, QString::fromLatin1(what), f, 1);
    };
    const auto calculate = [&] {
        kTSvodSum sum;
        sum.Calculate(*d);
    };
    report("calculate, large declaration as built", bench::Time(runs, calculate));
    // The housing kind, ownership and taxpayer sign GrantEverything also sets are
    // not read by the calculation, only by the export and the checks.
    GrantEverything(*d);
    report("calculate, every deduction granted", bench::Time(runs, calculate));
    kTSvodSum sum;
    sum.Calculate(*d);
    report("JSON of the results (qarv-cli calc)",
           bench::Time(runs, [&] { sum.ToJson().toJson(); }));
    return 0;
}
