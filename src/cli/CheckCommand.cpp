#include "CheckCommand.h"

#include "DocumentCommands.h"
#include "checks/DocumentCheck.h"
#include "model/DeclClasses.h"

int RunCheck(const QString& file, QTextStream& out, QTextStream& err) {
    return RunGuarded(err, [&] {
        mTDeclaration declaration;
        declaration.LoadFromFile(file);
        const CheckResult finding = FirstFinding(declaration);
        if (finding.passed()) {
            out << QStringLiteral("Проверка декларации завершена успешно") << Qt::endl;
            return 0;
        }
        out << FindingLine(finding) << Qt::endl;
        return 1;
    });
}

int RunCheckAll(const QString& file, QTextStream& out, QTextStream& err) {
    return RunGuarded(err, [&] {
        mTDeclaration declaration;
        declaration.LoadFromFile(file);
        const std::vector<CheckResult> findings = AllFindings(declaration);
        if (findings.empty()) {
            out << QStringLiteral("Проверка декларации завершена успешно") << Qt::endl;
            return 0;
        }
        for (const CheckResult& finding : findings)
            out << FindingLine(finding) << '\n';
        out.flush();
        return 1;
    });
}

QString FindingLine(const CheckResult& finding) {
    return QStringLiteral("%1\t%2\t%3\t%4")
        .arg(finding.targetPage)
        .arg(finding.targetField)
        .arg(finding.caption, finding.message);
}
