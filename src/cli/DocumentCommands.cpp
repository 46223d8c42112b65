#include "DocumentCommands.h"

#include "model/DeclClasses.h"
#include "model/JsonIO.h"
#include "storage/DateTime.h"
#include "ui/session/DocumentLock.h"

#include <QFile>
#include <QJsonDocument>
#include <functional>

namespace {

class EUsage : public std::runtime_error {
public:
    explicit EUsage(const QString& text) : std::runtime_error(text.toStdString()) {}
};

const QString kUsage = QStringLiteral("usage: ");

// A document open in a window is not written over behind its back; the lock is
// held while writing so that no window opens it half-way.
void saveUnlocked(const mTDeclaration& declaration, const QString& file) {
    TDocumentLock lock;
    if (lock.acquire(file) == TDocumentLock::Result::HeldByOther)
        throw EUsage(TDocumentLock::lockedMessage(lock.other()));
    declaration.SaveToFile(file);
}

} // namespace

int RunGuarded(QTextStream& err, const std::function<int()>& body) {
    try {
        return body();
    } catch (const mEPrivBase& e) {
        err << e.message() << Qt::endl;
    } catch (const EConvertError&) {
        err << StorageMessages::kBadFormat << Qt::endl;
    } catch (const EJsonError& e) {
        err << e.message() << Qt::endl;
    } catch (const std::exception& e) {
        err << QString::fromUtf8(e.what()) << Qt::endl;
    }
    return 2;
}

int RunNew(const QStringList& args, QTextStream& out, QTextStream& err) {
    Q_UNUSED(out);
    return RunGuarded(err, [&] {
        QString file;
        QDate date = QDate::currentDate();
        for (int i = 0; i < args.size(); ++i) {
            if (args[i] == QLatin1String("--date") && i + 1 < args.size()) {
                date = QDate::fromString(args[++i], QStringLiteral("yyyy-MM-dd"));
                if (!date.isValid())
                    throw EUsage(QStringLiteral("--date: expected YYYY-MM-DD"));
            } else if (file.isEmpty()) {
                file = args[i];
            } else {
                throw EUsage(kUsage + QStringLiteral("qarv-cli new OUT.dc1 [--date YYYY-MM-DD]"));
            }
        }
        if (file.isEmpty())
            throw EUsage(kUsage + QStringLiteral("qarv-cli new OUT.dc1 [--date YYYY-MM-DD]"));
        mTDeclaration declaration;
        declaration.InitAsNewDocument(TDateTime::fromDate(date));
        saveUnlocked(declaration, file);
        return 0;
    });
}

int RunSave(const QStringList& args, QTextStream& out, QTextStream& err) {
    Q_UNUSED(out);
    return RunGuarded(err, [&] {
        if (args.size() != 2)
            throw EUsage(kUsage + QStringLiteral("qarv-cli save IN OUT.dc1"));
        mTDeclaration declaration;
        declaration.LoadFromFile(args[0]);
        saveUnlocked(declaration, args[1]);
        return 0;
    });
}

int RunJson(const QStringList& args, QTextStream& out, QTextStream& err) {
    return RunGuarded(err, [&] {
        if (args.size() != 1)
            throw EUsage(kUsage + QStringLiteral("qarv-cli json IN"));
        mTDeclaration declaration;
        declaration.LoadFromFile(args[0]);
        out << QString::fromUtf8(
            QJsonDocument(declaration.ToJson()).toJson(QJsonDocument::Indented));
        return 0;
    });
}

int RunBuild(const QStringList& args, QTextStream& out, QTextStream& err) {
    Q_UNUSED(out);
    return RunGuarded(err, [&] {
        if (args.size() != 2)
            throw EUsage(kUsage + QStringLiteral("qarv-cli build IN.json OUT.dc1"));
        QFile in(args[0]);
        if (!in.open(QIODevice::ReadOnly))
            throw EUsage(QStringLiteral("%1: %2").arg(args[0], in.errorString()));
        QJsonParseError parseError;
        const QJsonDocument doc = QJsonDocument::fromJson(in.readAll(), &parseError);
        if (doc.isNull())
            throw EUsage(QStringLiteral("%1: %2 at offset %3")
                             .arg(args[0], parseError.errorString())
                             .arg(parseError.offset));
        if (!doc.isObject())
            throw EUsage(QStringLiteral("%1: expected an object").arg(args[0]));
        // Keys not given keep what the New command would make.
        mTDeclaration declaration;
        declaration.InitAsNewDocument(TDateTime::today());
        declaration.FromJson(doc.object());
        saveUnlocked(declaration, args[1]);
        return 0;
    });
}
