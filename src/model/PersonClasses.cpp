#include "PersonClasses.h"

#include "JsonIO.h"
#include "storage/DateTime.h"
#include "storage/StgClasses.h"

namespace {

constexpr quint16 kSaveContext = 370;
constexpr quint16 kLoadContext = 371;

// What each edition stored, by the header's signature.
enum class Edition { Current, Recent, Oldest, Other };

Edition editionOf(const QString& signature) {
    if (signature == QLatin1String("Qarv2011"))
        return Edition::Current;
    for (int year = 2005; year <= 2010; ++year) {
        if (signature == QStringLiteral("Qarv%1").arg(year))
            return Edition::Recent;
    }
    if (signature == QLatin1String("Qarv2004"))
        return Edition::Oldest;
    return Edition::Other;
}

} // namespace

mTPersonInformation::mTPersonInformation()
    : reservedText2(QStringLiteral("0")), idDocIssueDate(TDateTime::fromYmd(1990, 1, 1)),
      birthDate(TDateTime::fromYmd(1977, 1, 1)), citizenshipCountry(QStringLiteral("РОССИЯ")),
      citizenshipCode(QStringLiteral("643")) {}

void mTPersonInformation::SaveToStorage(mTDocumentStorage& s) const {
    try {
        s.BeginStream(QStringLiteral("@PersonName"));
        for (const QString* t :
             {&surname, &firstName, &patronymic, &inn, &reservedText1, &reservedText2})
            s.WriteText(*t);
        s.BeginStream(QStringLiteral("@PersonDocument"));
        s.WriteInt16(idDocKind);
        s.WriteText(idDocName);
        s.WriteText(idDocSeriesNumber);
        s.WriteReal(idDocIssueDate);
        s.WriteReal(birthDate);
        s.WriteText(idDocIssuer);
        s.WriteText(birthPlace);
        s.WriteByte(reservedFlag);
        s.BeginStream(QStringLiteral("@Foreigner"));
        for (const QString* t :
             {&citizenshipKind, &citizenshipCountry, &foreignAddress, &citizenshipCode})
            s.WriteText(*t);
        s.BeginStream(QStringLiteral("@PhoneForeignerHome"));
        s.WriteText(foreignHomePhone1);
        s.WriteText(foreignHomePhone2);
        s.BeginStream(QStringLiteral("@PhoneForeignerWork"));
        s.WriteText(foreignWorkPhone1);
        s.WriteText(foreignWorkPhone2);
        s.BeginStream(QStringLiteral("@PersonAddress"));
        s.WriteByte(addressKind);
        s.WriteText(postIndex);
        s.WriteInt16(regionCode);
        for (const QString* t :
             {&regionName, &district, &city, &locality, &street, &house, &building, &flat, &okato})
            s.WriteText(*t);
        s.BeginStream(QStringLiteral("@HomePhone"));
        s.WriteText(homePhoneExtra);
        s.WriteText(homePhone);
        s.BeginStream(QStringLiteral("@WorkPhone"));
        s.WriteText(workPhoneExtra);
        s.WriteText(workPhone);
    } catch (mEPrivBase& e) {
        e.setContextCode(kSaveContext);
        throw;
    }
}

void mTPersonInformation::LoadFromStorage(mTDocumentStorage& s) {
    const Edition edition = editionOf(s.signature());
    const bool other = edition == Edition::Other;
    const bool oldest = edition == Edition::Oldest;
    try {
        s.OpenStream(QStringLiteral("@PersonName"));
        surname = s.ReadText();
        firstName = s.ReadText();
        patronymic = s.ReadText();
        inn = s.ReadText();
        if (!other) {
            reservedText1 = s.ReadText();
            reservedText2 = s.ReadText();
        } else {
            reservedText2 = QStringLiteral("0");
        }

        s.OpenStream(QStringLiteral("@PersonDocument"));
        idDocKind = s.ReadInt16();
        idDocName = s.ReadText();
        idDocSeriesNumber = s.ReadText();
        idDocIssueDate = s.ReadReal();
        birthDate = s.ReadReal();
        if (!other) {
            idDocIssuer = s.ReadText();
            birthPlace = s.ReadText();
        }
        if (!other && !oldest)
            reservedFlag = s.ReadByte();

        // Files without the foreign block still load; the rest of it is skipped.
        try {
            s.OpenStream(QStringLiteral("@Foreigner"));
            citizenshipKind = s.ReadText();
            citizenshipCountry = s.ReadText();
            if (!other) {
                foreignAddress = s.ReadText();
                citizenshipCode = s.ReadText();
            }
            if (!other && !oldest) {
                s.OpenStream(QStringLiteral("@PhoneForeignerHome"));
                foreignHomePhone1 = s.ReadText();
                foreignHomePhone2 = s.ReadText();
                s.OpenStream(QStringLiteral("@PhoneForeignerWork"));
                foreignWorkPhone1 = s.ReadText();
                foreignWorkPhone2 = s.ReadText();
            }
        } catch (const mEOpenStream&) {
        }

        s.OpenStream(QStringLiteral("@PersonAddress"));
        if (!other && !oldest)
            addressKind = s.ReadByte();
        postIndex = s.ReadText();
        regionCode = s.ReadInt16();
        for (QString* t :
             {&regionName, &district, &city, &locality, &street, &house, &building, &flat})
            *t = s.ReadText();
        if (!other && !oldest) {
            okato = s.ReadText();
            s.OpenStream(QStringLiteral("@HomePhone"));
            homePhoneExtra = s.ReadText();
            homePhone = s.ReadText();
            s.OpenStream(QStringLiteral("@WorkPhone"));
            workPhoneExtra = s.ReadText();
            workPhone = s.ReadText();
        }
    } catch (mEPrivBase& e) {
        e.setContextCode(kLoadContext);
        throw;
    }
}

qint64 mTPersonInformation::StorageSize() const {
    return mTDocumentStorage::SizeOf([this](mTDocumentStorage& s) { SaveToStorage(s); });
}

namespace {

struct TextField {
    const char* key;
    QString mTPersonInformation::*field;
};

const TextField kTextFields[] = {
    {"surname", &mTPersonInformation::surname},
    {"firstName", &mTPersonInformation::firstName},
    {"patronymic", &mTPersonInformation::patronymic},
    {"inn", &mTPersonInformation::inn},
    {"reservedText1", &mTPersonInformation::reservedText1},
    {"reservedText2", &mTPersonInformation::reservedText2},
    {"idDocName", &mTPersonInformation::idDocName},
    {"idDocSeriesNumber", &mTPersonInformation::idDocSeriesNumber},
    {"idDocIssuer", &mTPersonInformation::idDocIssuer},
    {"birthPlace", &mTPersonInformation::birthPlace},
    {"citizenshipKind", &mTPersonInformation::citizenshipKind},
    {"citizenshipCountry", &mTPersonInformation::citizenshipCountry},
    {"foreignAddress", &mTPersonInformation::foreignAddress},
    {"citizenshipCode", &mTPersonInformation::citizenshipCode},
    {"foreignHomePhone1", &mTPersonInformation::foreignHomePhone1},
    {"foreignHomePhone2", &mTPersonInformation::foreignHomePhone2},
    {"foreignWorkPhone1", &mTPersonInformation::foreignWorkPhone1},
    {"foreignWorkPhone2", &mTPersonInformation::foreignWorkPhone2},
    {"postIndex", &mTPersonInformation::postIndex},
    {"regionName", &mTPersonInformation::regionName},
    {"district", &mTPersonInformation::district},
    {"city", &mTPersonInformation::city},
    {"locality", &mTPersonInformation::locality},
    {"street", &mTPersonInformation::street},
    {"house", &mTPersonInformation::house},
    {"building", &mTPersonInformation::building},
    {"flat", &mTPersonInformation::flat},
    {"okato", &mTPersonInformation::okato},
    {"homePhoneExtra", &mTPersonInformation::homePhoneExtra},
    {"homePhone", &mTPersonInformation::homePhone},
    {"workPhoneExtra", &mTPersonInformation::workPhoneExtra},
    {"workPhone", &mTPersonInformation::workPhone},
};

} // namespace

QJsonObject mTPersonInformation::ToJson() const {
    QJsonObject o;
    for (const TextField& f : kTextFields)
        o.insert(QLatin1String(f.key), this->*f.field);
    o.insert(QStringLiteral("idDocKind"), idDocKind);
    o.insert(QStringLiteral("idDocIssueDate"), JsonIO::date(idDocIssueDate));
    o.insert(QStringLiteral("birthDate"), JsonIO::date(birthDate));
    o.insert(QStringLiteral("reservedFlag"), JsonIO::flag(reservedFlag));
    o.insert(QStringLiteral("addressKind"), addressKind);
    o.insert(QStringLiteral("regionCode"), regionCode);
    return o;
}

void mTPersonInformation::FromJson(const QJsonObject& o, const QString& path) {
    JsonIO::Reader r(o, path);
    for (const TextField& f : kTextFields)
        r.text(f.key, this->*f.field);
    r.int16("idDocKind", idDocKind);
    r.date("idDocIssueDate", idDocIssueDate);
    r.date("birthDate", birthDate);
    r.flag("reservedFlag", reservedFlag);
    r.byte("addressKind", addressKind);
    r.int16("regionCode", regionCode);
    r.finish();
}
