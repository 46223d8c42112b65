// Saves the two versions of the large declaration over one file, one after the
// other, until it is killed; says "saved" after each save.

#include "SaveKillKit.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    const QString file = QString::fromLocal8Bit(argv[1]);
    const std::unique_ptr<mTDeclaration> d = MakeLargeDeclaration();
    for (int i = 1;; ++i) {
        SaveKillKit::makeVersion(*d, i % 2);
        d->SaveToFile(file);
        std::printf("saved\n");
        std::fflush(stdout);
    }
}
