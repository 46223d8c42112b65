#include "SvodPrilE1.h"

#include "RateMath.h"
#include "model/DeclClasses.h"

#include <bit>

namespace {

constexpr Money kPersonalLimit = Money::fromRoubles(40000);
constexpr Money kChildLimit = Money::fromRoubles(280000);

// The child deduction kinds: first and second children, from the third on,
// disabled children. Amounts per child and month, to a parent / a single parent.
struct ChildKind {
    quint8 mTStandartDeduct::*isConst;
    qint32 mTStandartDeduct::*count;
    std::array<qint32, 12> mTStandartDeduct::*byMonth;
    qint64 parentRate;
    Money kTSvodSumPrilE1::*parentTarget;
    Money kTSvodSumPrilE1::*singleTarget;
};

const ChildKind kChildKinds[] = {
    {&mTStandartDeduct::childrenConst, &mTStandartDeduct::childrenCount,
     &mTStandartDeduct::childrenByMonth, 1000, &kTSvodSumPrilE1::ВычСтандРеб,
     &kTSvodSumPrilE1::ВычСтРебОпек},
    {&mTStandartDeduct::thirdConst, &mTStandartDeduct::thirdCount, &mTStandartDeduct::thirdByMonth,
     3000, &kTSvodSumPrilE1::ВычСтандРеб, &kTSvodSumPrilE1::ВычСтРебОпек},
    {&mTStandartDeduct::disabledConst, &mTStandartDeduct::disabledCount,
     &mTStandartDeduct::disabledByMonth, 3000, &kTSvodSumPrilE1::ВычСтРебИнв,
     &kTSvodSumPrilE1::ВычСтРебИнвОпек},
};

constexpr qint32 kChildOrdinary = 101;
constexpr qint32 kChildSingleByMonth = 103;

} // namespace

const std::array<const char16_t*, 12> kTSvodSumPrilE1::kCumulativeNames = {
    u"ИтогЯнв",    u"ИтогЯнвФевр", u"ИтогЯнвМарт", u"ИтогЯнвАпр", u"ИтогЯнвМай",  u"ИтогЯнвИюн",
    u"ИтогЯнвИюл", u"ИтогЯнвАвг",  u"ИтогЯнвСент", u"ИтогЯнвОкт", u"ИтогЯнвНояб", u"ИтогЯнвДек"};

bool kTSvodSumPrilE1::Compute(const mTDeclaration& d) {
    const mTStandartDeduct& sd = d.standardDeduction;
    КолМес40000 = КолМес280000 = 0;
    ИтогВычСтанд = Money();
    if (sd.granted && d.formKind == 0) {
        bool counted = true;
        if (sd.ownMonthlyData) {
            // A loss is carried forward: it shows as 0 but lowers the next months.
            Money running;
            for (int m = 1; m <= 12; ++m) {
                monthIncome[m - 1] = sd.monthIncome[m - 1];
                monthExpense[m - 1] = sd.monthExpense[m - 1];
                if (sd.monthTicked[m - 1])
                    incomeMonths |= quint16(1u << (m - 1));
                running += monthIncome[m - 1] - monthExpense[m - 1];
                cumulative[m - 1] = qMax(running, Money());
            }
        } else {
            counted = false;
            for (const mTThirteenPercent& s : d.thirteenSources) {
                if (!s.stdDeductionsHere)
                    continue;
                for (const mTThirteenPercent::IncomeRow& r : s.rows()) {
                    if (r.month < 1 || r.month > 12)
                        continue;
                    monthIncome[r.month - 1] += r.amount - r.deductionAmount;
                    incomeMonths |= quint16(1u << (r.month - 1));
                    counted = true;
                }
            }
            Money running;
            for (int m = 1; m <= 12; ++m) {
                running += monthIncome[m - 1];
                cumulative[m - 1] = running;
            }
        }
        int lastChildMonth = 0;
        if (counted) {
            int walked = 0;
            КолМес40000 = countWithin(kPersonalLimit, walked);
            КолМес280000 = countWithin(kChildLimit, lastChildMonth);
        }
        personal(sd);
        children(sd, lastChildMonth);
    }
    const Money total = ВычСтанд218_1_1 + ВычСтанд218_1_2 + ВычСтанд218_1_3 + ВычСтандРеб +
                        ВычСтРебОпек + ВычСтРебИнв + ВычСтРебИнвОпек;
    ИтогВычСтанд = cumulative[11] < total ? TruncRoubles(cumulative[11]) : total;
    ИтогВычСтанд = qMax(ИтогВычСтанд, Money());
    return true;
}

int kTSvodSumPrilE1::monthsInSet() const {
    return std::popcount(unsigned(incomeMonths));
}

int kTSvodSumPrilE1::countWithin(Money limit, int& walked) const {
    int count = 0;
    walked = 0;
    for (int m = 1; m <= 11; ++m) {
        if (cumulative[m - 1] > limit)
            return count;
        ++walked;
        if (inSet(m))
            ++count;
    }
    if (inSet(12) && cumulative[11] <= limit) {
        ++walked;
        ++count;
    }
    return count;
}

void kTSvodSumPrilE1::personal(const mTStandartDeduct& sd) {
    switch (sd.personalCode) {
    case 103:
        ВычСтанд218_1_3 = Money::fromRoubles(400) * КолМес40000;
        break;
    case 104:
        ВычСтанд218_1_2 = Money::fromRoubles(500) * monthsInSet();
        break;
    case 105:
        ВычСтанд218_1_1 = Money::fromRoubles(3000) * monthsInSet();
        break;
    case 110: {
        bool exceeded = false;
        for (int m = 1; m <= 12; ++m) {
            exceeded = exceeded || cumulative[m - 1] > kPersonalLimit;
            if (!inSet(m))
                continue;
            switch (sd.monthCombination[m - 1]) {
            case 2:
                ВычСтанд218_1_1 += Money::fromRoubles(3000);
                break;
            case 1:
                ВычСтанд218_1_2 += Money::fromRoubles(500);
                break;
            case 0:
                if (!exceeded)
                    ВычСтанд218_1_3 += Money::fromRoubles(400);
                break;
            }
        }
        break;
    }
    default:
        break;
    }
}

void kTSvodSumPrilE1::children(const mTStandartDeduct& sd, int lastMonth) {
    ВычСтандРеб = ВычСтРебОпек = ВычСтРебИнв = ВычСтРебИнвОпек = Money();
    if (sd.childMode == 0)
        return;
    for (const ChildKind& kind : kChildKinds) {
        const bool isConst = sd.*kind.isConst;
        const qint32 count = sd.*kind.count;
        const auto& byMonth = sd.*kind.byMonth;
        if (sd.childMode == kChildSingleByMonth) {
            // The single-parent status of each month decides rate and target.
            for (int m = 1; m <= lastMonth; ++m) {
                if (!inSet(m))
                    continue;
                const qint32 n = isConst ? count : byMonth[m - 1];
                if (sd.monthSingleParent[m - 1] == 0)
                    this->*kind.singleTarget += Money::fromRoubles(2 * kind.parentRate) * n;
                else
                    this->*kind.parentTarget += Money::fromRoubles(kind.parentRate) * n;
            }
            continue;
        }
        const bool single = sd.childMode != kChildOrdinary;
        const qint64 rate = single ? 2 * kind.parentRate : kind.parentRate;
        Money& target = this->*(single ? kind.singleTarget : kind.parentTarget);
        if (isConst) {
            target += Money::fromRoubles(rate) * (qint64(КолМес280000) * count);
        } else {
            for (int m = 1; m <= lastMonth; ++m)
                if (inSet(m))
                    target += Money::fromRoubles(rate) * byMonth[m - 1];
        }
    }
}

CalcJson kTSvodSumPrilE1::ToJson() const {
    CalcJson j;
    j.money(QStringLiteral("ИтогВычСтанд"), ИтогВычСтанд);
    for (std::size_t m = 0; m < 12; ++m)
        j.money(QString::fromUtf16(kCumulativeNames[m]), cumulative[m]);
    j.number(QStringLiteral("КолМес40000"), КолМес40000)
        .number(QStringLiteral("КолМес280000"), КолМес280000)
        .money(QStringLiteral("ВычСтанд218.1.1"), ВычСтанд218_1_1)
        .money(QStringLiteral("ВычСтанд218.1.2"), ВычСтанд218_1_2)
        .money(QStringLiteral("ВычСтанд218.1.3"), ВычСтанд218_1_3)
        .money(QStringLiteral("ВычСтандРеб"), ВычСтандРеб)
        .money(QStringLiteral("ВычСтРебОпек"), ВычСтРебОпек)
        .money(QStringLiteral("ВычСтРебИнв"), ВычСтРебИнв)
        .money(QStringLiteral("ВычСтРебИнвОпек"), ВычСтРебИнвОпек);
    std::vector<CalcJson> months;
    for (int m = 1; m <= 12; ++m)
        months.push_back(CalcJson()
                             .number(QStringLiteral("month"), m)
                             .money(QStringLiteral("income"), monthIncome[m - 1])
                             .money(QStringLiteral("expense"), monthExpense[m - 1])
                             .flag(QStringLiteral("hasIncome"), inSet(m)));
    j.list(QStringLiteral("months"), std::move(months));
    return j;
}
