#include "PlaceholderPage.h"

#include <QLabel>
#include <QVBoxLayout>

TfrPlaceholder::TfrPlaceholder(TPageHost& host, QWidget* parent, const QString& caption)
    : TThinkingFrame(host, parent) {
    auto* title = new QLabel(QStringLiteral("<h3>%1</h3>").arg(caption.toHtmlEscaped()), this);
    auto* note = new QLabel(
        QStringLiteral("Ввод этих сведений появится в следующей версии программы."), this);
    note->setObjectName(QStringLiteral("lbNotYet"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(note);
    layout->addStretch();
}
