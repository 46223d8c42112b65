#include "Directories.h"

#include "RefXml.h"

#include <QDir>
#include <QDomElement>
#include <QFileInfo>
#include <functional>

QString InspectionsLanguageMessage() {
    return QStringLiteral("Поменяйте язык и региональные стандарты ОС на русские. Или обратитесь "
                          "на горячую линию программы: ") +
           QString::fromUtf16(kSupportEmail);
}

QDate ParseRuDate(const QString& text) {
    return QDate::fromString(text.trimmed(), QStringLiteral("d.M.yyyy"));
}

QDate RateEntry::dateValue() const {
    return ParseRuDate(date);
}

std::optional<Money> ParseRate(const QString& text) {
    QString t = text.trimmed();
    t.replace(u',', u'.');
    // Rounding a rate to fit would change every amount converted with it.
    const qsizetype point = t.indexOf(u'.');
    if (point >= 0 && t.size() - point - 1 > 4)
        return std::nullopt;
    return Money::parse(t);
}

std::optional<Money> RateEntry::rateValue() const {
    return ParseRate(rate);
}

int Currency::quantityValue() const {
    bool ok = false;
    const int value = quantity.trimmed().toInt(&ok);
    return ok && value > 0 ? value : 0;
}

QList<CodeName> ReadCodeNames(const QDomElement& root) {
    QList<CodeName> rows;
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        rows.append({e.attribute(QStringLiteral("Code")), e.text()});
    return rows;
}

QList<OkvedEntry> ReadOkved(const QDomElement& root) {
    QList<OkvedEntry> rows;
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        rows.append({e.attribute(QStringLiteral("GRUP")), e.attribute(QStringLiteral("Kod")),
                     e.attribute(QStringLiteral("Name")), e.attribute(QStringLiteral("OKVED"))});
    return rows;
}

QList<Currency> ReadCurrencies(const QDomElement& root) {
    QList<Currency> rows;
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        Currency c{e.attribute(QStringLiteral("Code")),
                   e.attribute(QStringLiteral("Name")),
                   e.attribute(QStringLiteral("Quantity")),
                   {}};
        for (QDomElement r = e.firstChildElement(); !r.isNull(); r = r.nextSiblingElement())
            c.rates.append(
                {r.attribute(QStringLiteral("Date")), r.attribute(QStringLiteral("Rate"))});
        rows.append(c);
    }
    return rows;
}

int FindCodeRow(const QList<CodeName>& rows, const QString& code) {
    for (int i = 0; i < rows.size(); ++i) {
        if (rows.at(i).code == code)
            return i;
    }
    return -1;
}

int CurrencyPreselectRow(const QList<Currency>& rows, const QString& code) {
    const QString wanted = code.isEmpty() ? QStringLiteral("0") : code;
    for (int i = 0; i < rows.size(); ++i) {
        if (rows.at(i).code == wanted)
            return i;
    }
    return rows.isEmpty() ? -1 : 0;
}

namespace {

RefDirectories loadFiles(const std::function<QString(const QString&)>& locate) {
    RefDirectories dirs;
    auto read = [&](const char16_t* name, bool* broken) -> std::optional<QDomDocument> {
        const QString path = locate(QString::fromUtf16(name));
        if (path.isEmpty() || !QFileInfo::exists(path))
            return std::nullopt;
        auto doc = RefXml::load(path);
        if (!doc && broken)
            *broken = true;
        return doc;
    };
    bool inspectionsBroken = false;
    if (const auto doc = read(kInspectionsFile, &inspectionsBroken))
        dirs.inspections = ReadCodeNames(doc->documentElement());
    if (inspectionsBroken) {
        dirs.fatalMessage = InspectionsLanguageMessage();
        return dirs;
    }
    if (const auto doc = read(kCountriesFile, nullptr))
        dirs.countries = ReadCodeNames(doc->documentElement());
    if (const auto doc = read(kOkvedFile, nullptr))
        dirs.okved = ReadOkved(doc->documentElement());
    if (const auto doc = read(kCurrencyRatesFile, nullptr))
        dirs.currencies = ReadCurrencies(doc->documentElement());
    return dirs;
}

} // namespace

RefDirectories RefDirectories::load(const QString& folder) {
    const QDir dir(folder);
    return loadFiles([&](const QString& name) { return dir.filePath(name); });
}

RefDirectories RefDirectories::load(const DataFolders& folders) {
    return loadFiles([&](const QString& name) { return folders.find(name); });
}

const Currency* RefDirectories::FindCurrency(const QString& code) const {
    if (code.isEmpty() || !currencies)
        return nullptr;
    for (const Currency& c : *currencies) {
        if (c.code == code)
            return &c;
    }
    return nullptr;
}

std::optional<RateEntry> RefDirectories::FindRate(const QString& code, QDate date) const {
    const Currency* currency = FindCurrency(code);
    if (!currency || !date.isValid())
        return std::nullopt;
    const QString wanted = date.toString(QStringLiteral("dd.MM.yyyy"));
    std::optional<RateEntry> choice;
    for (const RateEntry& entry : currency->rates) {
        // A date written without leading zeros still counts as the same day.
        const QDate entryDate = entry.dateValue();
        if (entry.date == wanted || entryDate == date)
            return entry;
        if (entryDate.isValid() && entryDate < date)
            choice = entry;
    }
    return choice;
}
