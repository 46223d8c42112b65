#pragma once

// What the fuzz targets share: the refusals that are the program's answer to a
// bad input (everything else, a crash or an escaping exception, is a finding),
// and a scratch folder for the readers that take a path.

#include "checks/CheckAsk.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <new>
#include <stdexcept>

namespace FuzzKit {

// Runs body; a refusal of the input is the expected end, but memory running
// out is a finding and goes on to the fuzzer.
template <typename Body> void refusalsAllowed(Body&& body) {
    try {
        body();
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception&) {
    }
}

inline QCoreApplication& app() {
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* a = new QCoreApplication(argc, argv);
    return *a;
}

inline const QTemporaryDir& scratch() {
    static const QTemporaryDir* d = new QTemporaryDir();
    return *d;
}

// The input as a file of that name in the scratch folder.
inline QString asFile(const uint8_t* data, size_t size, const QString& name) {
    const QString path = scratch().filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    return path;
}

// A folder that does not exist: readers get to the very end and only their
// final write fails, so no run leaves anything behind.
inline QString nowhere(const QString& name) {
    return scratch().filePath(QStringLiteral("no-such-folder/") + name);
}

// Answers the check's questions from the input's own bytes, so every path of
// the dialogs is walked.
class BytesAsker : public CheckAsker {
public:
    BytesAsker(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    CheckAnswer AskPage(const QString&, const QString&, bool, bool) override { return next(); }
    CheckAnswer AskDocument(const QString&, const QString&) override { return next(); }

private:
    CheckAnswer next() {
        const uint8_t b = size_ ? data_[i_++ % size_] : 0;
        switch (b % 4) {
        case 0:
            return CheckAnswer::Fix;
        case 1:
            return CheckAnswer::Skip;
        case 2:
            return CheckAnswer::SkipAll;
        default:
            return CheckAnswer::Cancel;
        }
    }
    const uint8_t* data_;
    size_t size_;
    size_t i_ = 0;
};

} // namespace FuzzKit
