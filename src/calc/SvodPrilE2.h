#pragma once

#include "SvodItem.h"
#include "storage/Money.h"

#include <QString>
#include <vector>

// Social deductions without the common limit ("РасчВычСоцБез219.2").
struct SocialUnlimited {
    Money СумБлагЦел; // charity, at most 25 percent of income
    Money СумОбуч;    // children's education, at most 50000 per child
    Money СумЛечен;   // expensive treatment
    Money ИтогВычСоциал;
};

// Social deductions limited together to 120000 roubles ("РасчВычСоц219.2").
struct SocialLimited {
    Money СумОбуч;  // own education
    Money СумЛечен; // treatment
    Money СумЛичСтрах;
    Money СумПенсСтрахДр;
    Money СумНгПенсСтрахДр;
    Money СумДопСтрахФЗ;
    Money ИтогВычСоциал;
};

// Social deductions ("ВычСоциал"). Computes the pension contract sheet itself.
class kTSvodSumPrilE2 : public kTSvodSumResettable<kTSvodSumPrilE2> {
public:
    SocialUnlimited РасчВычСоцБез219_2;
    SocialLimited РасчВычСоц219_2;
    Money ИтогВычСоциал;

    CalcJson ToJson() const override;
    bool Compute(const mTDeclaration& d, kTSvodSum& sum);
};

// One pension contract ("РасчСумПВВыч" or "РасчСумСВВыч").
struct PensionRow {
    int contractIndex = 0;
    int sign = 0; // 1 in one's own favour, 2 in a relative's
    QString orgName;
    QString orgInn;
    QString orgKpp;
    QString contractNumber;
    double contractDate = 0;
    Money contributionPaid; // "СумПВОбщПер" / "СумСВОбщПер"
    Money forDeduction;     // "СумПВВыч" / "СумСВВыч"
    Money agentDeduction;   // "СумВычПВПерНА" / "СумВычСВПерНА"
};

// Pension contract deductions ("ВычДогНПО_ДПС"): non-state pension provision and
// voluntary pension insurance.
class kTSvodSumPrilE3 : public kTSvodSumResettable<kTSvodSumPrilE3> {
public:
    std::vector<PensionRow> РасчСумПВВыч;
    std::vector<PensionRow> РасчСумСВВыч;
    Money СумПВВычОбщ;
    Money СумСВВычОбщ;
    Money agentTotalPension;   // deducted by agents on non-state pension provision
    Money agentTotalInsurance; // deducted by agents on voluntary pension insurance
    Money СумВычОбщ;

    CalcJson ToJson() const override;
    bool Compute(const mTDeclaration& d);
};
