#include "IncomeDict.h"

#include "RefXml.h"

#include <QFile>

// Outside any namespace: the resource initialiser is a global symbol.
static void initIncomeDictResource() {
    Q_INIT_RESOURCE(IncomeDict);
}

QByteArray IncomeDictText() {
    static const QByteArray text = [] {
        // A resource in a static library is not registered until asked for.
        initIncomeDictResource();
        QFile file(QStringLiteral(":/refdata/IncomeDict.xml"));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("The embedded code dictionary is missing");
        return file.readAll();
    }();
    return text;
}

QDomDocument LoadIncomeDict() {
    auto doc = RefXml::parse(IncomeDictText());
    if (!doc)
        qFatal("The embedded code dictionary does not parse");
    return *doc;
}

bool DictFlag(const QDomElement& element, const QString& name) {
    return element.attribute(name) == u"True";
}

namespace {

int percentOf(const QDomElement& element) {
    bool ok = false;
    const int value = element.attribute(QStringLiteral("Stav")).trimmed().toInt(&ok);
    return ok ? value : 0;
}

bool inShortList(const QString& code) {
    return code == u"0" || code.startsWith(u"20") || code.startsWith(u'5');
}

} // namespace

QList<IncomeCodeItem> IncomeCodeList(const QDomElement& root, const QString& rateFilter,
                                     bool nonResident) {
    QList<IncomeCodeItem> items;
    for (QDomElement e = root.firstChildElement(QStringLiteral("Income")); !e.isNull();
         e = e.nextSiblingElement(QStringLiteral("Income"))) {
        if (!rateFilter.isEmpty()) {
            if (e.attribute(QStringLiteral("Stav")) != rateFilter)
                continue;
            if (nonResident && !DictFlag(e, QStringLiteral("NRez13")))
                continue;
        }
        IncomeCodeItem item;
        item.code = e.attribute(QStringLiteral("Code"));
        item.name = e.attribute(QStringLiteral("Name"));
        item.hasDeductions = !e.firstChildElement(QStringLiteral("Deduction")).isNull();
        item.stav = percentOf(e);
        item.saleDate = DictFlag(e, QStringLiteral("SaleDate"));
        items.append(item);
    }
    return items;
}

QList<DeductCodeItem> DeductCodeList(const QDomElement& root, const QString& incomeCode,
                                     bool fullList) {
    QList<DeductCodeItem> items;
    QDomElement income = root.firstChildElement(QStringLiteral("Income"));
    while (!income.isNull() && income.attribute(QStringLiteral("Code")) != incomeCode)
        income = income.nextSiblingElement(QStringLiteral("Income"));
    for (QDomElement e = income.firstChildElement(QStringLiteral("Deduction")); !e.isNull();
         e = e.nextSiblingElement(QStringLiteral("Deduction"))) {
        DeductCodeItem item;
        item.code = e.attribute(QStringLiteral("Code"));
        if (!fullList && !inShortList(item.code))
            continue;
        item.name = e.attribute(QStringLiteral("Name"));
        item.maxSum =
            Money::parse(e.attribute(QStringLiteral("MaxSum")).trimmed()).value_or(Money());
        item.enabled = DictFlag(e, QStringLiteral("Enabled"));
        item.equivalent = DictFlag(e, QStringLiteral("Equivalent"));
        item.visible = DictFlag(e, QStringLiteral("Visible"));
        item.stav = percentOf(e);
        items.append(item);
    }
    return items;
}
