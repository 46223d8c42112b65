// The preview window on the real module's pages: navigation, saving as PDF,
// keyboard and screen-reader use.

#include "AccessKit.h"
#include "TestKit.h"
#include "print/PageSource.h"
#include "print/PrintModuleLoader.h"
#include "print/PrintPreview.h"

#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QStringDecoder>
#include <QtTest>

namespace {

std::unique_ptr<TPageSource> residentPages() {
    TPrintModuleFactory* factory = LoadPrintModuleFactory({QARV_BIN_DIR});
    if (!factory)
        return nullptr;
    const QByteArray bytes = TestKit::readAll(QStringLiteral(QARV_SOURCE_DIR) +
                                              "/tests/export/data/golden/resident_full.xml");
    QStringDecoder decode("windows-1251");
    QString error;
    return factory->layOut(decode(bytes), QStringLiteral("ИФНС № 1"), &error);
}

} // namespace

class TestPrintPreview : public QObject {
    Q_OBJECT
private slots:
    void pagesTurnAndSaveAsPdf() {
        const auto pages = residentPages();
        QVERIFY(pages);
        TPrintPreview preview(*pages, QStringLiteral("3-НДФЛ ИВАНОВ И. И."));
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QCOMPARE(preview.pageCount(), pages->pageCount());
        QCOMPARE(preview.currentPage(), 1);
        QTest::keyClick(&preview, Qt::Key_PageDown);
        QTest::keyClick(&preview, Qt::Key_PageDown);
        QCOMPARE(preview.currentPage(), 3);
        QCOMPARE(preview.pageText(), QStringLiteral("Стр. 3 из %1").arg(pages->pageCount()));
        QTest::keyClick(&preview, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(preview.currentPage(), pages->pageCount());
        QTest::keyClick(&preview, Qt::Key_PageDown); // stays on the last page
        QCOMPARE(preview.currentPage(), pages->pageCount());
        QCOMPARE(preview.pageText(), QStringLiteral("Стр. %1 из %1").arg(pages->pageCount()));
        const qreal zoom = preview.view()->zoomFactor();
        QTest::keyClick(&preview, Qt::Key_Plus, Qt::ControlModifier);
        QVERIFY(preview.view()->zoomFactor() > zoom);
        QVERIFY(AccessKit::namingFaults(&preview).isEmpty());

        QTemporaryDir dir;
        QStringList errors;
        preview.showError = [&errors](const QString& e) { errors << e; };
        QString answer;
        preview.askPdfName = [&answer](QWidget*) { return answer; };

        // Cancelled: nothing written, nothing said.
        QVERIFY(!preview.savePdf());
        // A name without the suffix gets it.
        answer = dir.filePath(QStringLiteral("форма"));
        QVERIFY(preview.savePdf());
        QVERIFY(TestKit::readAll(answer + ".pdf").startsWith("%PDF-"));
        // An old file stays whole when the new one cannot be written.
        const QString kept = dir.filePath(QStringLiteral("old.pdf"));
        TestKit::writeAll(kept, "old");
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        answer = kept;
        const bool writable = QFileInfo(dir.path()).isWritable(); // root ignores permissions
        if (!writable) {
            QVERIFY(!preview.savePdf());
            QCOMPARE(errors.size(), 1);
            QVERIFY(errors.at(0).startsWith(kPdfWriteFailed + kept));
            QCOMPARE(TestKit::readAll(kept), QByteArray("old"));
        }
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // A folder that does not exist: a clear message, no file.
        answer = dir.filePath(QStringLiteral("нет/форма.pdf"));
        QVERIFY(!preview.savePdf());
        QVERIFY(errors.last().startsWith(kPdfWriteFailed + answer));
        QVERIFY(!QFile::exists(answer));

        QTest::keyClick(&preview, Qt::Key_Escape);
        QVERIFY(!preview.isVisible());
    }

    void everyButtonHasItsMnemonic() {
        const auto pages = residentPages();
        QVERIFY(pages);
        TPrintPreview preview(*pages, QStringLiteral("x"));
        const auto buttons = preview.findChildren<QPushButton*>();
        QVERIFY(buttons.size() >= 8);
        QSet<QChar> keys;
        for (QPushButton* b : buttons) {
            const int amp = b->text().indexOf(QLatin1Char('&'));
            QVERIFY2(amp >= 0, qPrintable(b->text()));
            const QChar key = b->text().at(amp + 1).toLower();
            QVERIFY2(!keys.contains(key), qPrintable(b->text()));
            keys << key;
        }
    }
};

QTEST_MAIN(TestPrintPreview)
#include "test_print_preview.moc"
