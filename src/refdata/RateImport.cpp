#include "RateImport.h"

#include "Directories.h"
#include "RefXml.h"

#include <QDir>
#include <QDomDocument>
#include <QFileInfo>
#include <QHash>
#include <QMap>

namespace {

const QString kCbId = QStringLiteral("CbId");

struct Quote {
    QString cbId;
    QString code; // empty until resolved through cbId
    QString name;
    QDate date;
    int nominal = 0;
    Money value;
};

QString childText(const QDomElement& e, const char* name) {
    return e.firstChildElement(QString::fromLatin1(name)).text().trimmed();
}

QDate bankDate(const QString& text) {
    QString t = text.trimmed();
    t.replace(u'/', u'.');
    return ParseRuDate(t);
}

bool readQuote(const QDomElement& e, Quote* q) {
    bool ok = false;
    q->nominal = childText(e, "Nominal").toInt(&ok);
    const auto value = ParseRate(childText(e, "Value"));
    if (!ok || q->nominal <= 0 || !value || *value <= Money())
        return false;
    q->value = *value;
    return true;
}

// The quotes of one file; false with error when the file is not a rate file.
bool readBankFile(const QString& path, QList<Quote>* quotes, QHash<QString, QString>* codeById,
                  QString* error) {
    QString parseError;
    const auto doc = RefXml::load(path, &parseError);
    const QString name = QFileInfo(path).fileName();
    if (!doc) {
        *error = QStringLiteral("%1: %2").arg(name, parseError);
        return false;
    }
    const QDomElement root = doc->documentElement();
    if (root.tagName() != u"ValCurs") {
        *error = QStringLiteral("%1: нет элемента ValCurs").arg(name);
        return false;
    }
    const QDate fileDate = bankDate(root.attribute(QStringLiteral("Date")));
    int found = 0;
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        Quote q;
        if (e.tagName() == u"Valute") {
            q.cbId = e.attribute(QStringLiteral("ID"));
            q.code = childText(e, "NumCode");
            q.name = childText(e, "Name");
            q.date = fileDate;
            if (q.code.size() == 3 && !q.cbId.isEmpty())
                codeById->insert(q.cbId, q.code);
        } else if (e.tagName() == u"Record") {
            q.cbId = e.attribute(QStringLiteral("Id"), root.attribute(QStringLiteral("ID")));
            q.date = bankDate(e.attribute(QStringLiteral("Date")));
        } else {
            continue;
        }
        if (!q.date.isValid() || !readQuote(e, &q)) {
            *error = QStringLiteral("%1: неверная запись курса (строка %2)")
                         .arg(name)
                         .arg(e.lineNumber());
            return false;
        }
        quotes->append(q);
        ++found;
    }
    if (found == 0) {
        *error = QStringLiteral("%1: курсов в файле нет").arg(name);
        return false;
    }
    return true;
}

// A currency element with its entries by date, built once per import: the
// files of a few years hold tens of thousands of quotes.
struct CurrencyIndex {
    QDomElement element;
    QMap<QDate, QDomElement> entries; // the first entry of each date
};

CurrencyIndex indexCurrency(const QDomElement& currency) {
    CurrencyIndex index{currency, {}};
    for (QDomElement r = currency.firstChildElement(); !r.isNull(); r = r.nextSiblingElement()) {
        const QDate d = ParseRuDate(r.attribute(QStringLiteral("Date")));
        if (d.isValid() && !index.entries.contains(d))
            index.entries.insert(d, r);
    }
    return index;
}

// Roubles for the directory's Quantity units; nothing when the bank's nominal
// cannot be brought to it without losing digits.
std::optional<Money> scaled(const Quote& q, int quantity) {
    if (quantity == q.nominal)
        return q.value;
    const qint64 raw = q.value.raw() * quantity;
    if (raw % q.nominal != 0)
        return std::nullopt;
    return Money::fromRaw(raw / q.nominal);
}

} // namespace

RateImportResult ImportRateFiles(const QStringList& files, const QString& ratesPath,
                                 const RateImportProgress& progress) {
    RateImportResult result;
    QList<Quote> quotes;
    QHash<QString, QString> codeById;

    QDomDocument doc;
    if (QFileInfo::exists(ratesPath)) {
        QString parseError;
        auto existing = RefXml::load(ratesPath, &parseError);
        if (!existing) {
            result.error =
                QStringLiteral("%1: %2").arg(QFileInfo(ratesPath).fileName(), parseError);
            return result;
        }
        doc = *existing;
    } else {
        doc.appendChild(doc.createElement(QStringLiteral("CurrencyRates")));
    }
    QDomElement root = doc.documentElement();
    QHash<QString, CurrencyIndex> byCode;
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.hasAttribute(kCbId))
            codeById.insert(e.attribute(kCbId), e.attribute(QStringLiteral("Code")));
        const QString code = e.attribute(QStringLiteral("Code"));
        if (!byCode.contains(code))
            byCode.insert(code, indexCurrency(e));
    }
    for (int i = 0; i < files.size(); ++i) {
        if (!readBankFile(files[i], &quotes, &codeById, &result.error))
            return result;
        if (progress && !progress(i + 1, int(files.size()))) {
            result.cancelled = true;
            return result;
        }
    }

    for (Quote& q : quotes) {
        if (q.code.isEmpty())
            q.code = codeById.value(q.cbId);
        if (q.code.isEmpty()) {
            result.error = QStringLiteral("Неизвестная валюта %1: загрузите сначала ежедневный "
                                          "файл курсов, где она есть")
                               .arg(q.cbId);
            return result;
        }
        auto found = byCode.find(q.code);
        if (found == byCode.end()) {
            QDomElement created = doc.createElement(QStringLiteral("Currency"));
            created.setAttribute(QStringLiteral("Code"), q.code);
            created.setAttribute(QStringLiteral("Name"), q.name);
            root.appendChild(created);
            found = byCode.insert(q.code, CurrencyIndex{created, {}});
            ++result.newCurrencies;
        }
        QDomElement currency = found->element;
        if (!q.cbId.isEmpty() && !currency.hasAttribute(kCbId))
            currency.setAttribute(kCbId, q.cbId);
        bool quantityOk = false;
        int quantity = currency.attribute(QStringLiteral("Quantity")).trimmed().toInt(&quantityOk);
        if (!quantityOk || quantity <= 0) {
            if (!currency.firstChildElement().isNull()) {
                result.error =
                    QStringLiteral("Валюта %1: у записей курса нет числа единиц (Quantity)")
                        .arg(q.code);
                return result;
            }
            quantity = q.nominal;
            currency.setAttribute(QStringLiteral("Quantity"), quantity);
        }
        const auto rate = scaled(q, quantity);
        if (!rate) {
            result.error =
                QStringLiteral("Валюта %1 на %2: курс за %3 ед. не приводится к %4 ед. без "
                               "потери точности")
                    .arg(q.code, q.date.toString(QStringLiteral("dd.MM.yyyy")))
                    .arg(q.nominal)
                    .arg(quantity);
            return result;
        }
        const QString rateText = rate->toString(u',');
        const auto same = found->entries.constFind(q.date);
        if (same != found->entries.constEnd()) {
            QDomElement r = same.value();
            const auto old = ParseRate(r.attribute(QStringLiteral("Rate")));
            if (old && *old == *rate) {
                ++result.unchanged;
            } else {
                result.notes.append(QStringLiteral("%1 %2: %3 -> %4")
                                        .arg(q.code, r.attribute(QStringLiteral("Date")),
                                             r.attribute(QStringLiteral("Rate")), rateText));
                r.setAttribute(QStringLiteral("Rate"), rateText);
                ++result.replaced;
            }
            continue;
        }
        QDomElement entry = doc.createElement(QStringLiteral("Rate"));
        entry.setAttribute(QStringLiteral("Date"), q.date.toString(QStringLiteral("dd.MM.yyyy")));
        entry.setAttribute(QStringLiteral("Rate"), rateText);
        const auto later = found->entries.upperBound(q.date);
        if (later == found->entries.end())
            currency.appendChild(entry);
        else
            currency.insertBefore(entry, later.value());
        found->entries.insert(q.date, entry);
        ++result.added;
    }
    if (!RefXml::save(doc, ratesPath, &result.error))
        return result;
    result.ok = true;
    return result;
}

QString CurrencyRatesPath(const QString& folder) {
    return QDir(folder).filePath(QString::fromUtf16(kCurrencyRatesFile));
}

RateImportResult ImportRatesToFolder(const QStringList& files, const QString& folder,
                                     const RateImportProgress& progress) {
    return ImportRateFiles(files, CurrencyRatesPath(folder), progress);
}
