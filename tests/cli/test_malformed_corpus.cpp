#include "model/DeclClasses.h"
#include "refdata/Directories.h"
#include "refdata/LoadSoun.h"
#include "refdata/RateImport.h"
#include "storage/StreamDef.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/file.h>
#include <unistd.h>

// Every damaged or hostile file of tests/data/malformed, read the way the program
// reads its kind: the message its index names reaches the user, and nothing is
// written, neither a document, nor a directory, nor over the file itself.
class TestMalformedCorpus : public QObject {
    Q_OBJECT

private slots:
    void corpus_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QFile index(corpusFolder().filePath(QStringLiteral("index.tsv")));
        QVERIFY(index.open(QIODevice::ReadOnly));
        int rows = 0;
        for (const QString& line : QString::fromUtf8(index.readAll()).split(u'\n')) {
            if (line.isEmpty() || line.startsWith(u'#'))
                continue;
            const QStringList cols = line.split(u'\t');
            QCOMPARE(cols.size(), 3);
            QTest::newRow(qPrintable(cols[0])) << cols[1] << cols[2];
            ++rows;
        }
        QVERIFY(rows >= 50);
    }

    void corpus() {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        const QString name = QString::fromUtf8(QTest::currentDataTag());
        QTemporaryDir work;
        QVERIFY(work.isValid());
        // Read from a copy, so that nothing can touch the corpus itself.
        const QString file = work.filePath(name);
        const QString source = corpusFolder().filePath(name);
        if (QFileInfo(source).isDir())
            QVERIFY(QDir().mkpath(file));
        else
            QVERIFY(QFile::copy(source, file));
        const QByteArray before = contents(file);
        message.replace(QStringLiteral("{path}"), file);
        message.replace(QStringLiteral("{name}"), name);
        message.replace(QStringLiteral("{language}"), InspectionsLanguageMessage());

        if (kind == u"document" || kind == u"document-locked") {
            int lock = -1;
            if (kind == u"document-locked") {
                lock = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_CLOEXEC);
                QVERIFY(lock >= 0 && ::flock(lock, LOCK_EX | LOCK_NB) == 0);
            }
            checkDocument(file, message, work.filePath(QStringLiteral("saved.dc1")));
            // The same bytes read from memory give the same answer.
            if (kind == u"document" && QFileInfo(file).isFile() && !before.isEmpty())
                QCOMPARE(loadMessage([&](mTDeclaration& d) { d.LoadFromBlock(before); }),
                         loadMessage([&](mTDeclaration& d) { d.LoadFromFile(file); }));
            if (lock >= 0)
                ::close(lock);
        } else if (kind == u"json") {
            const QString out = work.filePath(QStringLiteral("built.dc1"));
            const auto [code, err] = cli({QStringLiteral("build"), file, out});
            QCOMPARE(code, 2);
            QVERIFY2(!err.trimmed().isEmpty(), "a refusal says why");
            QVERIFY2(err.contains(message), qPrintable(err));
            QVERIFY(!QFile::exists(out));
        } else if (kind == u"soun") {
            const QString xml = work.filePath(QStringLiteral("InspectionNumbers.xml"));
            const SounImportResult r =
                ImportSounDbf(file, xml, QStringLiteral("00"), QStringLiteral("01.01.2012"));
            QVERIFY(!r.ok);
            QVERIFY2(r.error.contains(message), qPrintable(r.error));
            QVERIFY(!QFile::exists(xml));
        } else if (kind == u"bank-rates") {
            const QString rates = work.filePath(QStringLiteral("CurrencyRates.xml"));
            QVERIFY(QFile::copy(QStringLiteral(QARV_SOURCE_DIR "/data/CurrencyRates.xml"), rates));
            const QByteArray ratesBefore = contents(rates);
            const RateImportResult r = ImportRateFiles({file}, rates);
            QVERIFY(!r.ok);
            QVERIFY2(r.error.contains(message), qPrintable(r.error));
            QCOMPARE(contents(rates), ratesBefore);
        } else {
            checkDirectory(kind, file, work.filePath(QStringLiteral("folder")), message);
        }
        QCOMPARE(contents(file), before);
    }

private:
    static QDir corpusFolder() {
        return QDir(QStringLiteral(QARV_SOURCE_DIR "/tests/data/malformed"));
    }

    static QByteArray contents(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static std::pair<int, QString> cli(const QStringList& args) {
        QProcess p;
        p.start(QStringLiteral(QARV_CLI), args);
        if (!p.waitForFinished(60000))
            return {-1, QStringLiteral("no end")};
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardError())};
    }

    // What a load says: its storage message, or nothing when it loads.
    template <typename Load> static QString loadMessage(Load&& load) {
        try {
            mTDeclaration d;
            load(d);
        } catch (const mEPrivBase& e) {
            return e.message();
        } catch (const EConvertError&) {
            return StorageMessages::kBadFormat;
        }
        return QString();
    }

    // The loader gives the message, and qarv-cli shows it and writes nothing; an
    // empty message means the document loads and saves.
    static void checkDocument(const QString& file, const QString& message, const QString& out) {
        const QString loaderMessage = loadMessage([&](mTDeclaration& d) { d.LoadFromFile(file); });
        const auto [code, err] = cli({QStringLiteral("save"), file, out});
        if (message.isEmpty()) {
            QVERIFY2(loaderMessage.isEmpty(), qPrintable(loaderMessage));
            QCOMPARE(code, 0);
            QVERIFY(QFile::exists(out));
            return;
        }
        QVERIFY2(loaderMessage.contains(message), qPrintable(loaderMessage));
        QCOMPARE(code, 2);
        QVERIFY2(err.contains(message), qPrintable(err));
        QVERIFY(!QFile::exists(out));
    }

    // A directory file in a folder of its own: the inspections stop the program
    // with the message, the others are left out.
    static void checkDirectory(const QString& kind, const QString& file, const QString& folder,
                               const QString& message) {
        const std::map<QString, const char16_t*> names = {
            {QStringLiteral("inspections"), kInspectionsFile},
            {QStringLiteral("countries"), kCountriesFile},
            {QStringLiteral("okved"), kOkvedFile},
            {QStringLiteral("currency-rates"), kCurrencyRatesFile}};
        QVERIFY2(names.count(kind), qPrintable(kind));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::copy(file, QDir(folder).filePath(QString::fromUtf16(names.at(kind)))));
        const RefDirectories d = RefDirectories::load(folder);
        if (kind == u"inspections") {
            QCOMPARE(d.fatalMessage, message);
            return;
        }
        QCOMPARE(message, QStringLiteral("(absent)"));
        QVERIFY(d.fatalMessage.isEmpty());
        QVERIFY(!d.countries && !d.okved && !d.currencies);
    }
};

QTEST_GUILESS_MAIN(TestMalformedCorpus)
#include "test_malformed_corpus.moc"
