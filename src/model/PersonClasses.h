#pragma once

#include <QJsonObject>
#include <QString>

class mTDocumentStorage;

// The declarant. The only part of a document that is also read from the files of
// older editions, so the loader knows what each edition stored.
class mTPersonInformation {
public:
    mTPersonInformation();

    // "@PersonName"
    QString surname;
    QString firstName;
    QString patronymic;
    QString inn;
    QString reservedText1;
    QString reservedText2;
    // "@PersonDocument"
    qint16 idDocKind = 0;
    QString idDocName;
    QString idDocSeriesNumber;
    double idDocIssueDate = 0;
    double birthDate = 0;
    QString idDocIssuer;
    QString birthPlace;
    quint8 reservedFlag = 0;
    // "@Foreigner"
    QString citizenshipKind;
    QString citizenshipCountry;
    QString foreignAddress;
    QString citizenshipCode;
    // "@PhoneForeignerHome", "@PhoneForeignerWork"
    QString foreignHomePhone1;
    QString foreignHomePhone2;
    QString foreignWorkPhone1;
    QString foreignWorkPhone2;
    // "@PersonAddress"
    quint8 addressKind = 0; // 0 residence, 1 stay
    QString postIndex;
    qint16 regionCode = 0;
    QString regionName;
    QString district;
    QString city;
    QString locality;
    QString street;
    QString house;
    QString building;
    QString flat;
    QString okato;
    // "@HomePhone", "@WorkPhone"
    QString homePhoneExtra;
    QString homePhone;
    QString workPhoneExtra;
    QString workPhone;

    void SaveToStorage(mTDocumentStorage& s) const;
    void LoadFromStorage(mTDocumentStorage& s);
    qint64 StorageSize() const;

    QJsonObject ToJson() const;
    void FromJson(const QJsonObject& o, const QString& path);
};
