#include "DirectoryPickers.h"

#include "MyFrame.h"
#include "refdata/Directories.h"

#include <QPushButton>

TfmInputInspectionNumber::TfmInputInspectionNumber(QWidget* parent, const QList<TPickRow>& rows)
    : TfmCodePicker(parent, QStringLiteral("Справочник инспекций"), QStringLiteral("lvInspection"),
                    QStringLiteral("Код"), QStringLiteral("Наименование инспекции"), rows) {
    bnMissing =
        addExtraButton(QStringLiteral("Пролистал весь справочник, моя &инспекция отсутствует..."));
    bnMissing->setObjectName(QStringLiteral("bnMissing"));
}

TfmGrazhd::TfmGrazhd(QWidget* parent, const QList<TPickRow>& rows)
    : TfmCodePicker(parent, QStringLiteral("Справочник стран"), QStringLiteral("lvGrazhd"),
                    QStringLiteral("Код"), QStringLiteral("Наименование государства"), rows) {}

TfmInputCurrencyCode::TfmInputCurrencyCode(QWidget* parent, const QList<TPickRow>& rows)
    : TfmCodePicker(parent, QStringLiteral("Справочник валют"), QStringLiteral("lvCurrency"),
                    QStringLiteral("Код"), QStringLiteral("Наименование валюты"), rows) {}

std::optional<TPickRow> PickInspection(QWidget* parent, TPageHost& host, const QString& current,
                                       const QString& search) {
    const auto& list = host.directories().inspections;
    if (!list)
        return std::nullopt;
    TfmInputInspectionNumber picker(parent, *list);
    QObject::connect(picker.bnMissing, &QPushButton::clicked, &picker,
                     [&host] { host.showLoadSoun(); });
    picker.preselect(FindCodeRow(*list, current));
    if (!search.isEmpty())
        picker.setSearchText(search);
    return RunPicker(picker);
}

std::optional<TPickRow> PickCountry(QWidget* parent, TPageHost& host, const QString& currentCode) {
    const auto& list = host.directories().countries;
    if (!list)
        return std::nullopt;
    TfmGrazhd picker(parent, *list);
    picker.preselect(FindCodeRow(*list, currentCode));
    return RunPicker(picker);
}

std::optional<TPickRow> PickCurrency(QWidget* parent, TPageHost& host, const QString& currentCode) {
    const auto& list = host.directories().currencies;
    if (!list)
        return std::nullopt;
    QList<TPickRow> rows;
    rows.reserve(list->size());
    for (const Currency& c : *list)
        rows.append({c.code, c.name});
    TfmInputCurrencyCode picker(parent, rows);
    picker.preselect(CurrencyPreselectRow(*list, currentCode));
    return RunPicker(picker);
}
