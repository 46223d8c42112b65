#include "PageFactory.h"

#include "FrameInitialData.h"
#include "FramePersonData.h"
#include "PlaceholderPage.h"
#include "business/FrameBusinessNew.h"
#include "currency/FrameCurrency.h"
#include "deductions/FrameDeductData.h"
#include "income/RussianIncome.h"

QString PageCaption(TPageId page) {
    switch (page) {
    case TPageId::InitialData:
        return QStringLiteral("Задание условий");
    case TPageId::PersonInfo:
        return QStringLiteral("Сведения о декларанте");
    case TPageId::RussianIncome:
        return QStringLiteral("Доходы, полученные в РФ");
    case TPageId::ForeignIncome:
        return QStringLiteral("Доходы за пределами РФ");
    case TPageId::Business:
        return QStringLiteral("Предприниматели");
    case TPageId::Deduction:
        return QStringLiteral("Вычеты");
    }
    return QString();
}

QString PageHint(TPageId page) {
    switch (page) {
    case TPageId::InitialData:
        return QStringLiteral("Выбор режима ввода");
    case TPageId::PersonInfo:
        return QStringLiteral("Персональные данные налогоплательщика");
    case TPageId::RussianIncome:
        return QStringLiteral("Доходы, полученные от налоговых агентов или иных источников, в т.ч. "
                              "физлиц");
    case TPageId::ForeignIncome:
        return QStringLiteral("Доходы, полученные в иностранной валюте");
    case TPageId::Business:
        return QStringLiteral("Доходы, полученные от проедпринимательской деятельности без "
                              "образования юридического лица и частной практики");
    case TPageId::Deduction:
        return QStringLiteral("Стандартные, социальные и имущественный налоговые вычеты");
    }
    return QString();
}

TThinkingFrame* CreatePage(TPageId page, TPageHost& host, QWidget* parent) {
    switch (page) {
    case TPageId::InitialData:
        return new TfrInitialData(host, parent);
    case TPageId::PersonInfo:
        return new TfrPersonData(host, parent);
    case TPageId::ForeignIncome:
        return new TfrCurrency(host, parent);
    case TPageId::RussianIncome:
        return new TfrRussianIncome(host, parent);
    case TPageId::Deduction:
        return new TfrFrameDeductData(host, parent);
    case TPageId::Business:
        return new TfrBusinessNew(host, parent);
    }
    return new TfrPlaceholder(host, parent, PageCaption(page));
}
