// The recovery copy of the large declaration: how long the window's thread is
// held (forming the copy) and how long the worker takes to put it into the
// data folder, against saving it straight there on the window's thread.
#include "BenchKit.h"
#include "LargeDeclaration.h"
#include "storage/DateTime.h"
#include "ui/session/RecoveryStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <vector>

namespace {

void measure(QTextStream& out, const QString& what, const mTDeclaration& d, int runs) {
    TRecoveryWriter writer;
    std::vector<double> form, store;
    for (int i = 0; i < runs; ++i) {
        if (!writer.write(d, QStringLiteral("/home/user/Декларация.dc1"))) {
            out << "failed: " << writer.lastError() << Qt::endl;
            return;
        }
        writer.waitForIdle();
        form.push_back(writer.lastFormMs());
        store.push_back(writer.lastStoreMs());
    }
    TRecoveryCopy copy;
    copy.id = writer.id();
    out << what << ", " << QFileInfo(copy.dataPath()).size() / 1000 << " kB" << Qt::endl;
    bench::Report(out, QStringLiteral("  window thread (forming the copy)"), bench::Summary(form),
                  2);
    bench::Report(out, QStringLiteral("  worker thread (into the data folder)"),
                  bench::Summary(store), 2);
    const QString straight = QDir(RecoveryStore::folder()).filePath(QStringLiteral("straight.dc1"));
    bench::Report(out,
                  QStringLiteral("  for comparison, saved straight there on the window thread"),
                  bench::Time(runs, [&] { d.SaveToFile(straight); }), 2);
    QFile::remove(straight);
    writer.remove();
    writer.waitForIdle();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true); // keeps the user's own folder out of it
    QDir().mkpath(RecoveryStore::folder());
    QTextStream out(stdout);
    out << "staging folder: " << TRecoveryWriter().stagingFolder() << Qt::endl;
    constexpr int kRuns = 9;
    auto large = MakeLargeDeclaration();
    measure(out, QStringLiteral("large declaration"), *large, kRuns);
    mTDeclaration small;
    small.InitAsNewDocument(TDateTime::fromYmd(2012, 3, 1));
    small.person.surname = QStringLiteral("Иванов");
    measure(out, QStringLiteral("new declaration"), small, kRuns);
    return 0;
}
