#include "LargeDeclaration.h"

#include "storage/DateTime.h"

std::unique_ptr<mTDeclaration> MakeLargeDeclaration() {
    auto d = std::make_unique<mTDeclaration>();
    d->InitAsNewDocument(TDateTime::fromYmd(2012, 4, 2));
    d->SetIncomeFlags(15);
    d->inspectionCode = QStringLiteral("7701");
    d->person.surname = QStringLiteral("Иванов");
    d->person.firstName = QStringLiteral("Иван");
    d->person.patronymic = QStringLiteral("Иванович");
    d->person.inn = QStringLiteral("500100732259");
    for (int i = 0; i < 999; ++i) {
        mTThirteenPercent& p = d->thirteenSources.Get(d->thirteenSources.Add());
        p.sourceInn = QStringLiteral("7707083893");
        p.sourceKpp = QStringLiteral("773601001");
        p.sourceOkato = QStringLiteral("45293554000");
        p.sourceName = QStringLiteral("ООО «Источник выплат № %1»").arg(i);
        p.taxWithheld = Money::fromRoubles(6500 * 50);
        for (int r = 0; r < 50; ++r) {
            mTThirteenPercent::IncomeRow row;
            row.incomeCode = 2000;
            row.incomeName = QStringLiteral("Вознаграждение за выполнение трудовых обязанностей");
            row.amount = Money::fromRaw(500000000 + r * 1234);
            row.month = qint16(r % 12 + 1);
            p.AddRow(row);
        }
    }
    for (int i = 0; i < 999; ++i) {
        mTCurrencyIncome& c = d->currencyIncomes.Get(d->currencyIncomes.Add());
        c.incomeName = QStringLiteral("Дивиденды");
        c.sourceName = QStringLiteral("Иностранная компания %1").arg(i);
        c.countryCode = QStringLiteral("840");
        c.currencyCode = QStringLiteral("840");
        c.currencyName = QStringLiteral("Доллар США");
        c.SetRateOnIncomeDate(Money::fromRaw(315000), 1);
        c.SetIncomeInCurrency(Money::fromRoubles(1000 + i));
    }
    for (int i = 0; i < 999; ++i) {
        mTBusinessNew& b = d->businessActivities.Get(d->businessActivities.Add());
        b.activityKind = QStringLiteral("1");
        b.activityCode = QStringLiteral("52.11.1");
        b.income = Money::fromRoubles(100000 + i);
        b.expensesTotal = Money::fromRoubles(40000);
        b.materialExpenses = Money::fromRoubles(30000);
        b.otherExpenses = Money::fromRoubles(10000);
    }
    for (int i = 0; i < 100; ++i) {
        mTPens& p = d->socialDeduction.GetPensionContract(d->socialDeduction.AddPensionContract());
        p.contractKind = 1;
        p.orgName = QStringLiteral("НПФ «Пенсионный фонд %1»").arg(i);
        p.orgInn = QStringLiteral("7704007011");
        p.orgKpp = QStringLiteral("770401001");
        p.contractNumber = QStringLiteral("Д-%1").arg(i);
        p.contractDate = TDateTime::fromYmd(2010, 5, 1);
        p.contributionPaid = Money::fromRoubles(12000);
        p.contributionClaimed = Money::fromRoubles(12000);
    }
    return d;
}

void GrantEverything(mTDeclaration& d) {
    for (mTThirteenPercent& s : d.thirteenSources)
        s.stdDeductionsHere = 1;
    for (mTCurrencyIncome& c : d.currencyIncomes)
        c.incomeRate = 13;
    d.standardDeduction.granted = 1;
    d.standardDeduction.childrenCount = 2;
    d.socialDeduction.granted = 1;
    d.propertyDeduction.granted = 1;
    d.propertyDeduction.objectKind = 2;
    d.propertyDeduction.ownershipKind = 1;
    d.propertyDeduction.taxpayerSign = 1;
    d.propertyDeduction.objectCost = Money::fromRoubles(3000000);
    d.propertyDeduction.shareNumerator = d.propertyDeduction.shareDenominator = 1;
}
