#include "DOMXML_unit.h"

#include "XmlForms.h"
#include "XmlNdfl3.h"
#include "XmlTree.h"
#include "calc/BMLogik.h"
#include "model/DeclClasses.h"

#include <QDir>
#include <QSaveFile>

namespace {

const QString kVersProg = QStringLiteral("1.4.0");

bool isNdfl4(const mTDeclaration& d) {
    return d.formKind == 2;
}

// Kinds 0-3 are the business taxpayers of both forms; 4-NDFL knows no others.
QString docPredst(const mTDeclaration& d) {
    static const char* const kNdfl3[] = {"720", "770", "730", "740", "750", "760"};
    if (isNdfl4(d))
        return d.taxpayerKind <= 3 ? QLatin1String(kNdfl3[d.taxpayerKind]) : QStringLiteral("000");
    return QLatin1String(kNdfl3[qMin<int>(d.taxpayerKind, 5)]);
}

void appendAddress(XmlElement& parent, const mTPersonInformation& p) {
    XmlElement& adr = AddXmlElement(parent, QStringLiteral("АдрРФ"));
    SetXmlAttributeIfNotBlank(adr, QStringLiteral("Индекс"), p.postIndex);
    SetXmlAttribute(adr, QStringLiteral("КодРегион"), PadCode(p.regionCode, 2));
    SetXmlAttributeIfNotBlank(adr, QStringLiteral("Район"), p.district);
    SetXmlAttributeIfNotBlank(adr, QStringLiteral("Город"), p.city);
    SetXmlAttributeIfNotBlank(adr, QStringLiteral("НаселПункт"), p.locality);
    SetXmlAttributeIfNotBlank(adr, QStringLiteral("Улица"), p.street);
    SetXmlAttributeIfNotBlank(adr, QStringLiteral("Дом"), p.house);
    SetXmlAttributeIfNotBlank(adr, QStringLiteral("Корпус"), p.building);
    SetXmlAttributeIfNotBlank(adr, QStringLiteral("Кварт"), p.flat);
}

// СведФЛ1 when the INN is known, else СведФЛ2, which always carries the place of
// birth and the identity document.
void appendPersonDetails(XmlElement& parent, const mTPersonInformation& p) {
    const bool withInn = !IsBlank(p.inn);
    XmlElement& sved =
        AddXmlElement(parent, withInn ? QStringLiteral("СведФЛ1") : QStringLiteral("СведФЛ2"));
    if (withInn)
        SetXmlAttribute(sved, QStringLiteral("ИННФЛ"), p.inn);
    SetXmlAttribute(sved, QStringLiteral("ДатаРожд"), DateText(p.birthDate));
    if (withInn)
        SetXmlAttributeIfNotBlank(sved, QStringLiteral("МестоРожд"), p.birthPlace);
    else
        SetXmlAttribute(sved, QStringLiteral("МестоРожд"), p.birthPlace);
    SetXmlAttribute(sved, QStringLiteral("ПрГражд"), p.citizenshipKind);
    SetXmlAttribute(
        sved, QStringLiteral("ОКСМ"),
        PadCode(IsBlank(p.citizenshipCode) ? QStringLiteral("643") : p.citizenshipCode, 3));
    if (withInn && p.idDocKind == 0)
        return;
    XmlElement& doc = AddXmlElement(sved, QStringLiteral("УдЛичн"));
    SetXmlAttribute(doc, QStringLiteral("КодВидДок"), PadCode(p.idDocKind, 2));
    SetXmlAttribute(doc, QStringLiteral("СерНомДок"), p.idDocSeriesNumber);
    SetXmlAttribute(doc, QStringLiteral("ДатаДок"), DateText(p.idDocIssueDate));
    SetXmlAttribute(doc, QStringLiteral("ВыдДок"), p.idDocIssuer);
}

void appendTaxpayer4(XmlElement& svNp, const mTDeclaration& d) {
    const mTPersonInformation& p = d.person;
    XmlElement& np = AddXmlElement(svNp, QStringLiteral("НПФЛ"));
    SetXmlAttribute(np, QStringLiteral("ДокПредст"), docPredst(d));
    SetXmlAttribute(np, QStringLiteral("ИННФЛ"), p.inn);
    SetXmlAttribute(np, QStringLiteral("ОКАТО"), p.okato);
    SetXmlAttributeIfNotBlank(np, QStringLiteral("Тлф"), p.homePhone);
    XmlElement& fio = AddXmlElement(np, QStringLiteral("ФИО"));
    SetXmlAttribute(fio, QStringLiteral("Фамилия"), p.surname);
    SetXmlAttribute(fio, QStringLiteral("Имя"), p.firstName);
    SetXmlAttributeIfNotBlank(fio, QStringLiteral("Отчество"), p.patronymic);
}

void appendTaxpayer3(XmlElement& svNp, const mTDeclaration& d) {
    const mTPersonInformation& p = d.person;
    XmlElement& np = AddXmlElement(svNp, QStringLiteral("НПФЛ3"));
    SetXmlAttribute(np, QStringLiteral("ОКАТО"), p.okato);
    if (!p.homePhone.isEmpty())
        SetXmlAttribute(np, QStringLiteral("Тлф"), p.homePhone);
    SetXmlAttribute(np, QStringLiteral("ДокПредст"), docPredst(d));
    SetXmlAttribute(np, QStringLiteral("Статус"),
                    d.formKind == 0 ? QStringLiteral("1") : QStringLiteral("2"));
    SetXmlAttributeIfNotBlank(np, QStringLiteral("АдрИно"), p.foreignAddress);
    XmlElement& fio = AddXmlElement(np, QStringLiteral("ФИОФЛ"));
    SetXmlAttribute(fio, QStringLiteral("Фамилия"), p.surname);
    SetXmlAttribute(fio, QStringLiteral("Имя"), p.firstName);
    SetXmlAttributeIfNotBlank(fio, QStringLiteral("Отчество"), p.patronymic);
    XmlElement& svAdr = AddXmlElement(np, QStringLiteral("СвАдрРФ"));
    SetXmlAttribute(svAdr, QStringLiteral("ПрАдр"),
                    p.addressKind ? QStringLiteral("2") : QStringLiteral("1"));
    appendAddress(svAdr, p);
    appendPersonDetails(np, p);
}

void appendSigner(XmlElement& document, const mTDeclaration& d) {
    XmlElement& signer = AddXmlElement(document, QStringLiteral("Подписант"));
    const bool representative = d.signerKind == 1 || d.signerKind == 2;
    SetXmlAttribute(signer, QStringLiteral("ПрПодп"),
                    representative ? QStringLiteral("2") : QStringLiteral("1"));
    if (!representative)
        return;
    const RepresentativeName name = SplitRepresentativeName(d.representativeName);
    XmlElement& fio = AddXmlElement(signer, QStringLiteral("ФИО"));
    SetXmlAttribute(fio, QStringLiteral("Фамилия"), name.surname);
    SetXmlAttribute(fio, QStringLiteral("Имя"), name.firstName);
    if (!name.patronymic.isEmpty())
        SetXmlAttribute(fio, QStringLiteral("Отчество"), name.patronymic);
    XmlElement& svPred = AddXmlElement(signer, QStringLiteral("СвПред"));
    SetXmlAttribute(svPred, QStringLiteral("НаимДок"), d.representativeDocument);
    SetXmlAttributeIfNotBlank(svPred, QStringLiteral("НаимОрг"), d.representativeOrgName);
}

// The part before the first blank, at most limit characters; all of it without one.
QString upToBlank(const QString& s, int limit) {
    const qsizetype blank = s.indexOf(QLatin1Char(' '));
    return blank < 0 ? s : s.left(qMin<qsizetype>(blank, limit));
}

void writeFile(const QString& folder, const QString& fileName, const QByteArray& bytes) {
    // Written beside the target and renamed when complete: no half file is left.
    QSaveFile file(QDir(folder).filePath(fileName));
    if (!file.open(QIODevice::WriteOnly))
        throw EXmlExport(file.fileName() + QStringLiteral(": ") + file.errorString());
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw EXmlExport(file.fileName() + QStringLiteral(": ") + file.errorString());
}

// The identifier becomes the file name: every part taken from the document must be
// digits, so no name can leave the chosen folder.
void requireSafeIdentifier(const mTDeclaration& d) {
    if (!IsDigitsOnly(d.inspectionCode))
        throw EXmlExport(
            QStringLiteral("the inspection code \"%1\" is not digits only").arg(d.inspectionCode));
    if (!IsDigitsOnly(d.person.inn))
        throw EXmlExport(QStringLiteral("the INN \"%1\" is not digits only").arg(d.person.inn));
}

} // namespace

QString FileIdentifier(const mTDeclaration& d, QDate today, const QString& guidText) {
    const QString& code = d.inspectionCode;
    const QString inn =
        isNdfl4(d) || !d.person.inn.isEmpty() ? d.person.inn : QStringLiteral("000000000000");
    return (isNdfl4(d) ? QStringLiteral("NO_NDFL4_") : QStringLiteral("NO_NDFL3_")) + code +
           QLatin1Char('_') + code + QLatin1Char('_') + inn + QLatin1Char('_') +
           today.toString(QStringLiteral("yyyyMMdd")) + QLatin1Char('_') + guidText;
}

RepresentativeName SplitRepresentativeName(const QString& fullName) {
    const QString s = fullName.trimmed();
    const QString surname = upToBlank(s, 60).trimmed();
    const QString rest = s.mid(surname.size(), 1000).trimmed();
    const QString firstName = upToBlank(rest, 60).trimmed();
    const QString patronymic = rest.mid(firstName.size(), 60).trimmed();
    const QString blank = QStringLiteral(" ");
    return {surname.isEmpty() ? blank : surname, firstName.isEmpty() ? blank : firstName,
            patronymic};
}

std::unique_ptr<XmlElement> BuildDeclarationTree(const mTDeclaration& d, const kTSvodSum& sum,
                                                 const QString& identifier, QDate today) {
    const bool four = isNdfl4(d);
    auto file = std::make_unique<XmlElement>(QStringLiteral("Файл"));
    file->setAttribute(QStringLiteral("ИдФайл"), identifier);
    file->setAttribute(QStringLiteral("ВерсПрог"), kVersProg);
    file->setAttribute(QStringLiteral("ВерсФорм"),
                       four ? QStringLiteral("5.01") : QStringLiteral("5.07"));

    XmlElement& document = AddXmlElement(*file, QStringLiteral("Документ"));
    SetXmlAttribute(document, QStringLiteral("КНД"),
                    four ? QStringLiteral("1151021") : QStringLiteral("1151020"));
    SetXmlAttribute(document, QStringLiteral("ДатаДок"),
                    today.toString(QStringLiteral("dd.MM.yyyy")));
    if (!four)
        SetXmlAttribute(document, QStringLiteral("Период"), QStringLiteral("34"));
    SetXmlAttribute(document, QStringLiteral("ОтчетГод"),
                    four ? QStringLiteral("2012") : QStringLiteral("2011"));
    SetXmlAttribute(document, QStringLiteral("КодНО"), d.inspectionCode);
    SetXmlAttribute(document, QStringLiteral("НомКорр"), QString::number(d.correctionNumber));

    XmlElement& svNp = AddXmlElement(document, QStringLiteral("СвНП"));
    if (four)
        appendTaxpayer4(svNp, d);
    else
        appendTaxpayer3(svNp, d);
    appendSigner(document, d);

    if (four) {
        XmlElement& body = AddXmlElement(document, QStringLiteral("НДФЛ4"));
        SetXmlAttribute(body, QStringLiteral("ПредДоход"), RubText(d.expectedIncome));
    } else {
        AppendNdfl3(document, d, sum);
    }
    return file;
}

QString BuildDeclarationXml(const QString& folder, const mTDeclaration& declaration, int mode,
                            const XmlExportOptions& options) {
    const auto show = [&](const QString& message) {
        if (options.showMessage)
            options.showMessage(message);
    };
    kTSvodSum sum;
    try {
        sum.Calculate(declaration);
    } catch (...) {
        // The export goes on with what the calculation got to.
        show(XmlExport::kCalcFailed);
    }

    QString failure;
    try {
        const QDate today = options.today.isValid() ? options.today : QDate::currentDate();
        const QString guid = options.guid.isNull() ? NewFileGuid() : FileGuidText(options.guid);
        const QString identifier = FileIdentifier(declaration, today, guid);
        if (mode == SaveToFolder)
            requireSafeIdentifier(declaration);
        const std::unique_ptr<XmlElement> tree =
            BuildDeclarationTree(declaration, sum, identifier, today);
        if (mode != SaveToFolder)
            return XmlDocumentText(*tree);
        const QString fileName = identifier + QStringLiteral(".xml");
        writeFile(folder, fileName, XmlFileBytes(*tree));
        return fileName;
    } catch (const EXmlExport& e) {
        failure = e.detail();
    } catch (const std::exception& e) {
        failure = QString::fromUtf8(e.what());
    } catch (...) {
        failure = QStringLiteral("unknown failure");
    }
    if (options.failureDetail)
        *options.failureDetail = failure;
    show(XmlExport::kExportFailed);
    return XmlExport::kErrorResult;
}

QString ExportResultMessage(const QString& result) {
    return result == XmlExport::kErrorResult ? XmlExport::kWriteFailed
                                             : XmlExport::kFileWritten + result;
}
