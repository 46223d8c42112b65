#pragma once

#include <QDate>
#include <QString>
#include <QUuid>
#include <functional>
#include <memory>

class mTDeclaration;
class kTSvodSum;
class XmlElement;

// The exchange file of the tax authority: 3-NDFL in format 5.07, 4-NDFL in 5.01.
namespace XmlExport {
inline const QString kCalcFailed = QStringLiteral(
    "Ошибка в рассчетах. Пожалуйста, свяжитесь с разработчиками через службу поддержки");
inline const QString kExportFailed = QStringLiteral(
    "Ошибка в выгрузке. Пожалуйста, свяжитесь с разработчиками через службу поддержки");
inline const QString kErrorResult = QStringLiteral("ERROR");
// What the export command shows after BuildDeclarationXml.
inline const QString kFileWritten = QStringLiteral("Сформирован файл ");
inline const QString kWriteFailed = QStringLiteral("Ошибка записи. Файл не сформирован.");
} // namespace XmlExport

enum XmlExportMode : int {
    SaveToFolder = 1, // write the file; the result is its name
    ReturnText = 2,   // any other value: the result is the document as text
};

struct XmlExportOptions {
    // The file's date and unique part; the clock and a fresh GUID when not given.
    QDate today;
    QUuid guid;
    // The program's message box; no message when unset.
    std::function<void(const QString&)> showMessage;
    // Receives why the export failed, for qarv-cli; the user sees only the message.
    QString* failureDetail = nullptr;
};

// Calculates the declaration afresh and builds its exchange document. SaveToFolder
// writes it into folder as identifier + ".xml" and returns that name; any other
// mode returns the text. Never raises: a failure shows kExportFailed, writes
// nothing and returns "ERROR".
QString BuildDeclarationXml(const QString& folder, const mTDeclaration& declaration, int mode,
                            const XmlExportOptions& options = {});

// The message of the export command for a result of BuildDeclarationXml.
QString ExportResultMessage(const QString& result);

// "NO_NDFL3_" or "NO_NDFL4_", inspection twice, INN (or twelve zeros), date, GUID.
QString FileIdentifier(const mTDeclaration& declaration, QDate today, const QString& guidText);

struct RepresentativeName {
    QString surname;    // " " when empty
    QString firstName;  // " " when empty
    QString patronymic; // written only when not empty
};
// The representative's full name cut into its three parts at blanks.
RepresentativeName SplitRepresentativeName(const QString& fullName);

// The whole document from the declaration and a finished calculation.
std::unique_ptr<XmlElement> BuildDeclarationTree(const mTDeclaration& declaration,
                                                 const kTSvodSum& sum, const QString& identifier,
                                                 QDate today);
