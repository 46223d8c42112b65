#include "FormSheets.h"

namespace {

struct Section {
    const char* element;
    const char* title;
};

// In the form's order of sections.
const Section kSections[] = {
    {"НалБаза13", "Раздел 1. Расчет налоговой базы и суммы налога по доходам, облагаемым по "
                  "ставке 13 процентов"},
    {"НалБаза30", "Раздел 2. Расчет налоговой базы и суммы налога по доходам, облагаемым по "
                  "ставке 30 процентов"},
    {"НалБаза9", "Раздел 3. Расчет налоговой базы и суммы налога по доходам, облагаемым по "
                 "ставке 9 процентов"},
    {"НалБаза35", "Раздел 4. Расчет налоговой базы и суммы налога по доходам, облагаемым по "
                  "ставке 35 процентов"},
    {"НалБаза15", "Раздел 5. Расчет налоговой базы и суммы налога по доходам, облагаемым по "
                  "ставке 15 процентов"},
};

} // namespace

void AddSections(std::vector<TFormSheet>& sheets, const TXmlNode& document) {
    const TXmlNode* totals = document.find("ИтогУплВозв");
    if (totals)
        for (const Section& section : kSections)
            if (const TXmlNode* node = totals->child(QString::fromUtf8(section.element))) {
                TFormSheet s;
                s.title = QString::fromUtf8(section.title);
                AddElementRows(s, *node, 0);
                sheets.push_back(std::move(s));
            }
    const TXmlNode* ndfl3 = document.child("НДФЛ3");
    if (!ndfl3)
        return;
    TFormSheet payments;
    payments.title = QStringLiteral("Раздел 6. Суммы налога, подлежащие уплате (доплате) в "
                                    "бюджет или возврату из бюджета");
    int line = 0;
    for (const TXmlNode& c : ndfl3->children)
        if (c.name == QStringLiteral("ПодлУплВозв")) {
            payments.group(QStringLiteral("Строка %1").arg(++line));
            AddElementRows(payments, c, 1);
        }
    if (line > 0)
        sheets.push_back(std::move(payments));
}
