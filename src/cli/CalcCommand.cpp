#include "CalcCommand.h"

#include "calc/BMLogik.h"
#include "calc/CalcReport.h"
#include "model/DeclClasses.h"
#include "storage/StreamDef.h"

#include <exception>

namespace {

const QString kCalcFailed = QStringLiteral(
    "Ошибка в рассчетах. Пожалуйста, свяжитесь с разработчиками через службу поддержки");

} // namespace

int RunCalc(const QString& file, QTextStream& out, QTextStream& err, bool report) {
    mTDeclaration declaration;
    try {
        declaration.LoadFromFile(file);
    } catch (const mEPrivBase& e) {
        err << e.message() << Qt::endl;
        return 2;
    } catch (const EConvertError&) {
        err << StorageMessages::kBadFormat << Qt::endl;
        return 2;
    } catch (const std::exception& e) {
        err << QString::fromUtf8(e.what()) << Qt::endl;
        return 2;
    }
    kTSvodSum sum;
    try {
        sum.Calculate(declaration);
    } catch (const std::exception&) {
        err << kCalcFailed << Qt::endl;
        return 2;
    }
    if (report)
        out << CalcReportText(BuildCalcReport(declaration, sum));
    else
        out << QString::fromUtf8(sum.ToJson().toJson());
    out.flush();
    return 0;
}
