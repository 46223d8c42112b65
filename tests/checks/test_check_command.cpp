#include "SampleDeclaration.h"
#include "TestKit.h"
#include "cli/CheckCommand.h"

#include <QTemporaryDir>
#include <QtTest>
#include <functional>

using Mutate = std::function<void(mTDeclaration&)>;
Q_DECLARE_METATYPE(Mutate)

class TestCheckCommand : public QObject {
    Q_OBJECT
private slots:
    void saved_data();
    void saved();
    void unreadableFile_data();
    void unreadableFile();
};

void TestCheckCommand::saved_data() {
    QTest::addColumn<Mutate>("mutate");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("line");

    QTest::newRow("passing declaration") << Mutate([](mTDeclaration&) {}) << 0
                                         << QStringLiteral("Проверка декларации завершена успешно");
    QTest::newRow("new declaration")
        << Mutate([](mTDeclaration& d) { d.inspectionCode.clear(); }) << 1
        << QStringLiteral("1\t1\tЗадание условий\tНе введен номер инспекции");
    QTest::newRow("finding on the address sub-page")
        << Mutate([](mTDeclaration& d) { d.person.okato = QStringLiteral("123"); }) << 1
        << QStringLiteral("3\t4\tСведения о декларанте\t"
                          "Не введен код ОКАТО(11 симв.) по месту жительства");
    // Both messages of the 13 % group are answered; the second one is reported.
    QTest::newRow("two findings in the 13 % group")
        << Mutate([](mTDeclaration& d) {
               d.thirteenSources.Get(0).taxWithheld = m("100001");
               addSource(d, Money(), Money(), false);
           })
        << 1
        << QStringLiteral(
               "4\t2\tДоходы, облагаемые ставкой 13%\tПо данному источнику не указаны доходы");
    QTest::newRow("private practice has a page code but no page")
        << Mutate([](mTDeclaration& d) {
               d.SetIncomeFlags(d.incomeFlags() | mTDeclaration::kFlagRepetit);
               d.repetitIncomes.Add();
               d.repetitIncomes.Get(0).repetitAmounts[3] = m("0.5");
           })
        << 1
        << QStringLiteral("11\t1\tДоходы от частной практики\tСумма материальных расходов меньше "
                          "(0) суммы расходов на энергию и неамортизируемое имущество(0,5)");
}

void TestCheckCommand::saved() {
    QFETCH(Mutate, mutate);
    QFETCH(int, exitCode);
    QFETCH(QString, line);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("decl.dc1"));
    {
        mTDeclaration d;
        fillValid(d);
        mutate(d);
        d.SaveToFile(file);
    }
    QString outText, errText;
    QTextStream out(&outText), err(&errText);
    QCOMPARE(RunCheck(file, out, err), exitCode);
    out.flush();
    err.flush();
    QCOMPARE(outText, line + QLatin1Char('\n'));
    QCOMPARE(errText, QString());
}

void TestCheckCommand::unreadableFile_data() {
    QTest::addColumn<QByteArray>("content"); // empty: the file does not exist
    QTest::addColumn<QString>("message");
    QTest::newRow("missing file") << QByteArray() << QString();
    QTest::newRow("not a declaration")
        << QByteArray("just some text, long enough to be taken for a header of sixty bytes or more")
        << QStringLiteral("Неправильный формат файла декларации, возможно он поврежден.");
}

void TestCheckCommand::unreadableFile() {
    QFETCH(QByteArray, content);
    QFETCH(QString, message);

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("decl.dc1"));
    if (!content.isEmpty())
        TestKit::writeAll(file, content);
    QString outText, errText;
    QTextStream out(&outText), err(&errText);
    QCOMPARE(RunCheck(file, out, err), 2);
    out.flush();
    err.flush();
    QCOMPARE(outText, QString());
    QVERIFY(!errText.trimmed().isEmpty());
    if (!message.isEmpty())
        QCOMPARE(errText.trimmed(), message);
}

QTEST_GUILESS_MAIN(TestCheckCommand)
#include "test_check_command.moc"
