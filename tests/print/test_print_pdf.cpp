// The printed form of the real module, written by qarv-cli pdf and read back
// with pdftotext: what the XML holds is on the page of its sheet, long sheets
// flow over pages with nothing lost, nothing overlaps or leaves the page.

#include "TestKit.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>
#include <map>

namespace {

struct Run {
    int code = -1;
    QString out, err;
};

Run run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    Run r;
    if (!p.waitForFinished(120000))
        return r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// The export tests' declarations.
QString exportData(const QString& name) {
    return QStringLiteral(QARV_SOURCE_DIR "/tests/export/data/") + name;
}

Run cli(const QStringList& args) {
    return run(QStringLiteral(QARV_BIN_DIR "/qarv-cli"), args);
}

// The words of each page.
QList<QStringList> pageWords(const QString& pdf) {
    const Run r = run(QStringLiteral("pdftotext"), {"-enc", "UTF-8", pdf, "-"});
    QList<QStringList> pages;
    if (r.code != 0)
        return pages;
    QStringList texts = r.out.split(QLatin1Char('\f'));
    if (!texts.isEmpty() && texts.last().trimmed().isEmpty())
        texts.removeLast();
    static const QRegularExpression blank(QStringLiteral("\\s+"));
    for (const QString& t : texts)
        pages << t.split(blank, Qt::SkipEmptyParts);
    return pages;
}

// An element of the XML with its attributes, and its children.
struct Node {
    QString name;
    std::vector<std::pair<QString, QString>> attrs;
    std::vector<Node> children;
    QString attr(const QString& n) const {
        for (const auto& [k, v] : attrs)
            if (k == n)
                return v;
        return {};
    }
    void collect(const QString& n, std::vector<const Node*>& out) const {
        for (const Node& c : children) {
            if (c.name == n)
                out.push_back(&c);
            c.collect(n, out);
        }
    }
    std::vector<const Node*> all(const QString& n) const {
        std::vector<const Node*> out;
        collect(n, out);
        return out;
    }
};

Node parseXml(QString text) {
    text.remove(0, text.indexOf(QLatin1String("?>")) + 2);
    QXmlStreamReader r(text);
    Node root;
    std::vector<Node*> path;
    while (!r.atEnd()) {
        const auto t = r.readNext();
        if (t == QXmlStreamReader::StartElement) {
            Node* n = &root;
            if (!path.empty()) {
                path.back()->children.emplace_back();
                n = &path.back()->children.back();
            }
            n->name = r.name().toString();
            for (const auto& a : r.attributes())
                n->attrs.emplace_back(a.name().toString(), a.value().toString());
            path.push_back(n);
        } else if (t == QXmlStreamReader::EndElement) {
            path.pop_back();
        }
    }
    return root;
}

// The first page holding all these words in this order (0-based), -1 for none.
int pageWith(const QList<QStringList>& pages, const QStringList& phrase) {
    for (int i = 0; i < pages.size(); ++i) {
        const QStringList& w = pages[i];
        for (int k = 0; k + phrase.size() <= w.size(); ++k)
            if (w.mid(k, phrase.size()) == phrase)
                return i;
    }
    return -1;
}

QStringList words(const QString& s) {
    return s.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// Every single-word value of the element is on the page.
void expectValuesOn(const QStringList& page, const Node& n, const QString& where) {
    for (const auto& [name, value] : n.attrs)
        if (!value.contains(QLatin1Char(' ')))
            QVERIFY2(page.contains(value), qPrintable(where + ": " + name + "=" + value));
}

const std::map<QString, QString> kSections = {{"НалБаза13", "Раздел 1."},
                                              {"НалБаза30", "Раздел 2."},
                                              {"НалБаза9", "Раздел 3."},
                                              {"НалБаза35", "Раздел 4."},
                                              {"НалБаза15", "Раздел 5."}};

// A resident with count sources at 13 percent; one name long enough to wrap.
QByteArray manySources(int count) {
    QJsonObject d =
        QJsonDocument::fromJson(TestKit::readAll(exportData("new_document.json"))).object();
    QJsonArray sources;
    for (int i = 0; i < count; ++i) {
        QString name = QStringLiteral("ООО Источник %1").arg(i);
        if (i == 500)
            name = QStringLiteral("Общество с ограниченной ответственностью ").repeated(6) +
                   QStringLiteral("Ж").repeated(150);
        sources.append(QJsonObject{
            {"sourceInn", QStringLiteral("77%1").arg(i, 8, 10, QLatin1Char('0'))},
            {"sourceKpp", "770101001"},
            {"sourceOkato", "45286552000"},
            {"sourceName", name},
            {"taxWithheld", "130"},
            {"taxableIncome", "1000"},
            {"taxComputed", "130"},
            {"rows",
             QJsonArray{QJsonObject{{"incomeCode", 2000}, {"amount", "1000"}, {"month", 1}}}}});
    }
    d["thirteenSources"] = sources;
    return QJsonDocument(d).toJson();
}

struct Box {
    double x0, y0, x1, y1;
    QString word;
};

// The word boxes of every page, and the page size, from pdftotext -bbox.
QList<QList<Box>> wordBoxes(const QString& pdf, QSizeF* size) {
    const Run r = run(QStringLiteral("pdftotext"), {"-bbox", "-enc", "UTF-8", pdf, "-"});
    QList<QList<Box>> pages;
    static const QRegularExpression page(
        QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">"));
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)"));
    for (const QString& line : r.out.split(QLatin1Char('\n'))) {
        if (const auto m = page.match(line); m.hasMatch()) {
            *size = QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
            pages.append(QList<Box>());
        } else if (const auto w = word.match(line); w.hasMatch() && !pages.isEmpty()) {
            pages.last().append({w.captured(1).toDouble(), w.captured(2).toDouble(),
                                 w.captured(3).toDouble(), w.captured(4).toDouble(),
                                 w.captured(5)});
        }
    }
    return pages;
}

} // namespace

class TestPrintPdf : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY2(run(QStringLiteral("pdftotext"), {"-v"}).code == 0,
                 "pdftotext (poppler-utils) is needed: scripts/install-deps.sh installs it");
    }

    void formHoldsTheDocument_data() {
        QTest::addColumn<QString>("json");
        QTest::addColumn<int>("pages");
        // Title, declarant, each section, the payment lines, each sheet.
        QTest::newRow("resident with every sheet") << "resident_full" << 19;
        QTest::newRow("non-resident") << "nonresident" << 10;
        QTest::newRow("4-NDFL") << "ndfl4" << 3;
    }
    void formHoldsTheDocument() {
        QFETCH(QString, json);
        QFETCH(int, pages);
        QTemporaryDir dir;
        const QString doc = dir.filePath("d.dc1"), pdf = dir.filePath("d.pdf");
        QCOMPARE(cli({"build", exportData(json + ".json"), doc}).code, 0);
        const Run xml = cli({"xml", doc, "--date", "2012-03-15"});
        QCOMPARE(xml.code, 0);
        const Run made = cli({"pdf", doc, pdf, "--date", "2012-03-15"});
        QVERIFY2(made.code == 0, qPrintable(made.err + made.out));
        QCOMPARE(made.out, QStringLiteral("%1 pages\n").arg(pages));
        QVERIFY(
            run("pdfinfo", {pdf})
                .out.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))));

        // Every font inside the file, so the form reads the same on any machine.
        const QStringList fonts = run("pdffonts", {pdf}).out.split('\n', Qt::SkipEmptyParts).mid(2);
        QVERIFY(!fonts.isEmpty());
        for (const QString& font : fonts) {
            const QStringList columns = font.split(' ', Qt::SkipEmptyParts);
            QVERIFY2(columns.size() > 5 && columns.at(columns.size() - 5) == "yes",
                     qPrintable(font));
        }

        const QList<QStringList> text = pageWords(pdf);
        QCOMPARE(text.size(), pages);
        const Node root = parseXml(xml.out);
        const QString inn =
            root.all("СведФЛ1").empty()
                ? (root.all("НПФЛ").empty() ? QString() : root.all("НПФЛ")[0]->attr("ИННФЛ"))
                : root.all("СведФЛ1")[0]->attr("ИННФЛ");
        const Node* name = !root.all("ФИОФЛ").empty() ? root.all("ФИОФЛ")[0]
                                                      : root.all("НПФЛ")[0]->children.data();
        const QString initials = name->attr("Фамилия") + " " + name->attr("Имя").left(1) + ".";
        for (int i = 0; i < pages; ++i) {
            const QStringList& w = text[i];
            QVERIFY(w.contains(QStringLiteral("%1").arg(i + 1, 3, 10, QLatin1Char('0'))));
            QVERIFY(inn.isEmpty() ? w.contains("------------") : w.contains(inn));
            QVERIFY2(pageWith({w}, words(initials)) == 0, qPrintable(initials));
        }
        // The title page: the total page count, the signer's part.
        QVERIFY(text[0].contains(QStringLiteral("%1").arg(pages, 3, 10, QLatin1Char('0'))));
        QVERIFY(pageWith({text[0]}, words("Достоверность и полноту сведений, указанных в "
                                          "настоящей декларации, подтверждаю")) == 0);
        QVERIFY(text[0].contains(root.all("Документ")[0]->attr("ДатаДок")));
        for (const Node* signer : root.all("Подписант"))
            for (const Node& part : signer->children)
                expectValuesOn(text[0], part, "signer");

        for (const auto& [element, title] : kSections)
            for (const Node* section : root.all(element)) {
                const int page = pageWith(text, words(title));
                QVERIFY2(page >= 0, qPrintable(title));
                expectValuesOn(text[page], *section, title);
            }
        // Payment lines, each in its own block in the document's order.
        const auto lines = root.all("ПодлУплВозв");
        if (!lines.empty()) {
            const int page = pageWith(text, words("Раздел 6."));
            QVERIFY(page >= 0);
            const QStringList& w = text[page];
            for (int k = 0; k < int(lines.size()); ++k) {
                int from = 0;
                while (from + 1 < w.size() &&
                       !(w[from] == "Строка" && w[from + 1] == QString::number(k + 1)))
                    ++from;
                QVERIFY(from + 1 < w.size());
                int to = w.indexOf(QStringLiteral("Строка"), from + 1);
                to = to < 0 ? w.size() : to;
                const QStringList block = w.mid(from, to - from);
                for (const auto& [n, v] : lines[std::size_t(k)]->attrs)
                    QVERIFY2(block.contains(v),
                             qPrintable(QString("line %1 %2").arg(k + 1).arg(n)));
            }
        }
        // Income by source: each rate on its own sheet with its sources.
        for (const Node* sheet : root.all("ДоходИстРФ")) {
            const QString rate = QString::number(sheet->attr("Ставка").toInt());
            int page = 0;
            while (page < text.size() &&
                   !(pageWith({text[page]}, words("Лист А.")) == 0 &&
                     pageWith({text[page]}, words("ставке " + rate + " процентов")) == 0))
                ++page;
            QVERIFY(page < text.size());
            expectValuesOn(text[page], *sheet, "Лист А " + rate);
            for (const Node* payer : sheet->all("ИстЮЛ"))
                QVERIFY(text[page].contains(payer->attr("ИННЮЛ")));
            for (const Node* payer : sheet->all("ИстФЛИн"))
                QVERIFY(text[page].contains(payer->attr("ИННФЛ")));
        }
    }

    void aLongSheetFlowsOverPagesWithNothingLost() {
        QTemporaryDir dir;
        const QString json = dir.filePath("many.json"), doc = dir.filePath("many.dc1"),
                      pdf = dir.filePath("many.pdf");
        TestKit::writeAll(json, manySources(999));
        QCOMPARE(cli({"build", json, doc}).code, 0);
        const Run made = cli({"pdf", doc, pdf, "--no-check"});
        QVERIFY2(made.code == 0, qPrintable(made.err));
        const QList<QStringList> text = pageWords(pdf);

        std::map<QString, int> seen;
        for (const QStringList& page : text)
            for (const QString& w : page)
                if (w.size() == 10 && w.startsWith("77"))
                    ++seen[w];
        QCOMPARE(int(seen.size()), 999);
        for (const auto& [inn, times] : seen)
            QVERIFY2(times == 1, qPrintable(inn));

        // The sheet starts once and continues under its title on every further page.
        const int first = pageWith(text, words("Лист А."));
        QVERIFY(first >= 0 && !text[first].contains("(продолжение)"));
        int continued = 0;
        for (int i = first + 1; i < text.size() && pageWith({text[i]}, words("Лист А.")) == 0;
             ++i) {
            QVERIFY(text[i].contains("(продолжение)"));
            ++continued;
        }
        QVERIFY2(continued > 100, qPrintable(QString::number(continued)));
        QCOMPARE(text.size(), first + 1 + continued + 1); // then the payment lines

        // The long name wraps inside its cell, unbroken text included; nothing
        // overlaps, nothing leaves the page.
        QSizeF size;
        const auto boxes = wordBoxes(pdf, &size);
        QCOMPARE(boxes.size(), text.size());
        int longWords = 0;
        for (int p = 0; p < boxes.size(); ++p) {
            const QList<Box>& page = boxes[p];
            for (int i = 0; i < page.size(); ++i) {
                const Box& a = page[i];
                if (a.word.startsWith(QStringLiteral("ЖЖЖ")))
                    ++longWords;
                QVERIFY2(a.x0 >= 10 && a.x1 <= size.width() - 10 && a.y0 >= 10 &&
                             a.y1 <= size.height() - 10,
                         qPrintable(QString("page %1 %2").arg(p + 1).arg(a.word)));
                for (int j = i + 1; j < page.size(); ++j) {
                    const Box& b = page[j];
                    const double w = qMin(a.x1, b.x1) - qMax(a.x0, b.x0);
                    const double h = qMin(a.y1, b.y1) - qMax(a.y0, b.y0);
                    QVERIFY2(
                        w <= 0.5 || h <= 0.5,
                        qPrintable(QString("page %1: %2 / %3").arg(p + 1).arg(a.word, b.word)));
                }
            }
        }
        QVERIFY2(longWords >= 2, "the unbroken name is split over lines");
    }

    void commandFailuresAndExitCodes_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("err");
        QTest::newRow("no output") << QStringList{"pdf", "IN"} << 2 << "usage: qarv-cli pdf";
        QTest::newRow("bad date") << QStringList{"pdf", "IN", "OUT", "--date", "2012-13-01"} << 2
                                  << "--date: expected YYYY-MM-DD";
        QTest::newRow("missing document") << QStringList{"pdf", "нет.dc1", "OUT"} << 2 << "";
        QTest::newRow("check finding") << QStringList{"pdf", "NEW", "OUT"} << 1 << "";
        QTest::newRow("folder that does not exist")
            << QStringList{"pdf", "NEW", "нет/x.pdf", "--no-check"} << 2
            << "Не удалось записать файл PDF";
    }
    void commandFailuresAndExitCodes() {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, err);
        QTemporaryDir dir;
        QCOMPARE(cli({"new", dir.filePath("new.dc1"), "--date", "2012-03-01"}).code, 0);
        for (QString& a : args) {
            if (a == "NEW")
                a = dir.filePath("new.dc1");
            else if (a != "pdf" && !a.startsWith("--") && !a.startsWith("2012"))
                a = dir.filePath(a);
        }
        const Run r = cli(args);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(err), qPrintable(r.err));
        QVERIFY(!QFile::exists(args.size() > 2 ? args[2] : QString()) || args.size() <= 2);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"new.dc1"});
    }
};

QTEST_GUILESS_MAIN(TestPrintPdf)
#include "test_print_pdf.moc"
