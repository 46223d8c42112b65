// "Просмотр" and "Печать" from the main window, with a recording module in
// place of the real one.

#include "ProgramFixture.h"
#include "WindowTestKit.h"
#include "export/DOMXML_unit.h"
#include "print/PrintModule.h"
#include "print/PrintModuleLoader.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QtTest>

using namespace WindowTestKit;

namespace {

const QString kInspection = QStringLiteral("ИФНС России № 1 по г. Москве");

struct Recorder {
    int created = 0;
    QStringList calls;
    QStringList texts; // the document text of each PreviewData or PrintData
    QList<QWidget*> owners;
    QList<bool> windowEnabled; // the main window's state during each call
    QWidget* window = nullptr;
    QString previewFails; // the error PreviewData returns
    int printFailsAt = 0; // PrintData call (1-based) that fails
};

class RecordingModule : public TPrintModule {
public:
    explicit RecordingModule(Recorder& r) : r_(r) {}
    QString SetPrintTiffParam(const QString& name, const QString& value) override {
        return record(QStringLiteral("SetPrintTiffParam|%1|%2").arg(name, value));
    }
    QString setPrintTiffFolder(const QString& folder) override {
        return record(QStringLiteral("PrintTiffFolder|") + folder);
    }
    QString PreviewData(QString& text, QWidget* owner) override {
        r_.texts << text;
        r_.owners << owner;
        record(QStringLiteral("PreviewData"));
        return r_.previewFails;
    }
    QString PrintData(QString& text, const QString& empty, QString& printer, int flags) override {
        r_.texts << text;
        record(QStringLiteral("PrintData|%1|%2|%3").arg(empty, printer).arg(flags));
        return r_.calls.count() - 2 == r_.printFailsAt ? QStringLiteral("Принтер занят")
                                                       : QString();
    }

private:
    QString record(const QString& call) {
        r_.calls << call;
        r_.windowEnabled << r_.window->isEnabled();
        return QString();
    }
    Recorder& r_;
};

void makePrintable(mTDeclaration& d) {
    makePassing(d);
    d.inspectionName = kInspection;
}

// A window with a passing document and the recorder in place of the module.
struct PrintProgram {
    Program p;
    Recorder rec;
    TFormMain* f = nullptr;

    explicit PrintProgram(bool withModule = true,
                          const std::function<void(mTDeclaration&)>& fill = makePrintable) {
        f = &p.start({writeDocument(p.folder.file("ok.dc1"), fill)});
        rec.window = f;
        SetPrintModuleSource([this, withModule]() -> std::unique_ptr<TPrintModule> {
            ++rec.created;
            if (!withModule)
                return nullptr;
            return std::make_unique<RecordingModule>(rec);
        });
    }
    ~PrintProgram() { SetPrintModuleSource({}); }

    QString folderCall() const {
        QString folder = QDir::toNativeSeparators(p.folder.path());
        if (!folder.endsWith(QDir::separator()))
            folder += QDir::separator();
        return QStringLiteral("PrintTiffFolder|") + folder;
    }
    // The print dialog confirmed with the printer and copies, or cancelled.
    void answerPrintDialog(bool accept, const QString& printer, int copies, QString* chosen) {
        p.dialogs.then([=](QDialog& d) {
            auto* dialog = qobject_cast<QPrintDialog*>(&d);
            if (!dialog)
                return int(QDialog::Rejected);
            dialog->printer()->setPrinterName(printer);
            dialog->printer()->setCopyCount(copies);
            *chosen = dialog->printer()->printerName();
            return int(accept ? QDialog::Accepted : QDialog::Rejected);
        });
    }
};

const QString kParamCall =
    QStringLiteral("SetPrintTiffParam|Наименование налогового органа-получателя|") + kInspection;

} // namespace

class TestPrintCommands : public QObject {
    Q_OBJECT
private slots:
    void previewSendsTheDocumentInOrder() {
        PrintProgram w;
        w.f->PreviewDoc();
        QCOMPARE(w.rec.created, 1);
        QCOMPARE(w.rec.calls, (QStringList{kParamCall, w.folderCall(), "PreviewData"}));
        QCOMPARE(w.rec.windowEnabled, (QList<bool>{false, false, false}));
        QVERIFY(w.f->isEnabled());
        QCOMPARE(w.rec.owners, QList<QWidget*>{w.f});
        // The exchange document itself, as the export writes it.
        const QString& text = w.rec.texts.at(0);
        QVERIFY(text.startsWith(QStringLiteral("<?xml")));
        QVERIFY(text.contains(QStringLiteral("ИННФЛ=\"500100732259\"")));
        QVERIFY(text.contains(QStringLiteral("Фамилия=\"ИВАНОВ\"")));
        QVERIFY(w.p.dialogs.shown.isEmpty());

        // A new module for the next command.
        w.f->PreviewDoc();
        QCOMPARE(w.rec.created, 2);
    }

    void printDialogDecidesTheCopies_data() {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<int>("copies");
        QTest::addColumn<int>("printCalls");
        QTest::newRow("one copy") << true << 1 << 1;
        QTest::newRow("three copies, the same text and printer") << true << 3 << 3;
        QTest::newRow("cancelled: nothing printed, no message") << false << 3 << 0;
    }
    void printDialogDecidesTheCopies() {
        QFETCH(bool, accept);
        QFETCH(int, copies);
        QFETCH(int, printCalls);
        PrintProgram w;
        QString chosen;
        w.answerPrintDialog(accept, QStringLiteral("Kyocera"), copies, &chosen);
        w.f->PrintDoc();
        QStringList expected{kParamCall, w.folderCall()};
        for (int i = 0; i < printCalls; ++i)
            expected << QStringLiteral("PrintData||%1|0").arg(chosen);
        QCOMPARE(w.rec.calls, expected);
        QCOMPARE(w.p.dialogs.shown.size(), 1); // the print dialog alone
        QCOMPARE(w.rec.texts.size(), printCalls);
        if (printCalls > 1)
            QCOMPARE(w.rec.texts.count(w.rec.texts.first()), printCalls);
        QVERIFY(w.f->isEnabled());
    }

    void failuresShowTheirMessage_data() {
        QTest::addColumn<bool>("withModule");
        QTest::addColumn<bool>("preview");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("calls");
        QTest::newRow("no module, preview") << false << true << kNoPrintModule << 0;
        QTest::newRow("no module, print") << false << false << kNoPrintModule << 0;
        QTest::newRow("preview fails") << true << true << "Нет памяти для просмотра" << 3;
        QTest::newRow("second copy fails: no third call") << true << false << "Принтер занят" << 4;
    }
    void failuresShowTheirMessage() {
        QFETCH(bool, withModule);
        QFETCH(bool, preview);
        QFETCH(QString, message);
        QFETCH(int, calls);
        PrintProgram w(withModule);
        w.rec.previewFails = preview ? message : QString();
        w.rec.printFailsAt = 2;
        QString chosen;
        if (!preview && withModule)
            w.answerPrintDialog(true, QStringLiteral("Kyocera"), 3, &chosen);
        w.p.dialogs.thenButton(QMessageBox::Ok);
        preview ? w.f->PreviewDoc() : w.f->PrintDoc();
        QCOMPARE(w.rec.created, 1);
        QCOMPARE(w.rec.calls.size(), calls);
        QCOMPARE(w.p.dialogs.shown.last(), kProgramCaption + QLatin1Char('|') + message);
        QVERIFY(w.p.dialogs.unexpected.isEmpty());
        QVERIFY(w.f->isEnabled());
    }

    void aFailingCheckNeverCreatesTheModule() {
        for (const bool preview : {true, false}) {
            PrintProgram w(true, [](mTDeclaration& d) {
                d.InitAsNewDocument(TDateTime::fromYmd(2012, 3, 1));
            });
            w.p.dialogs.thenCheck(TfmCheckAllError::Cancel);
            preview ? w.f->PreviewDoc() : w.f->PrintDoc();
            QCOMPARE(w.rec.created, 0);
            QCOMPARE(w.p.dialogs.shown.size(), 1);
            QVERIFY(w.p.dialogs.shown.at(0).startsWith(QStringLiteral("Проверка: ")));
            QVERIFY(w.f->isEnabled());
        }
    }

    void theLoaderFindsTheModuleOnlyWhereItIs() {
        QTemporaryDir empty;
        QString why;
        QVERIFY(!LoadPrintModuleFactory({empty.path()}, &why));
        QVERIFY(!why.isEmpty());
        TPrintModuleFactory* factory = LoadPrintModuleFactory({empty.path(), QARV_BIN_DIR}, &why);
        QVERIFY(factory);
        const auto a = factory->create();
        const auto b = factory->create();
        QVERIFY(a && b && a.get() != b.get());
        QString error;
        QVERIFY(!factory->layOut(QStringLiteral("ERROR"), QString(), &error));
        QVERIFY(error.contains(QStringLiteral("не содержит декларации")));
        QString text = QStringLiteral("ERROR");
        QCOMPARE(a->PreviewData(text, nullptr), error);

        // A real form to a printer that is not there names it; with no printer at
        // all the dialog gives no name, and the message says what is wrong instead.
        Program p;
        mTDeclaration d;
        makePrintable(d);
        QString form = BuildDeclarationXml(p.folder.path(), d, ReturnText);
        QString printer = QStringLiteral("нет такого");
        QCOMPARE(a->PrintData(form, QString(), printer, 0),
                 QStringLiteral("Модуль печати: принтер \"нет такого\" не найден"));
        if (QPrinterInfo::availablePrinterNames().isEmpty()) {
            printer.clear();
            QCOMPARE(a->PrintData(form, QString(), printer, 0),
                     QStringLiteral("Модуль печати: в системе не установлен ни один принтер"));
        }
    }
};

QTEST_MAIN(TestPrintCommands)
#include "test_print_commands.moc"
