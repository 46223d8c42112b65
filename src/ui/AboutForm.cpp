#include "AboutForm.h"

#include "StartForm.h"
#include "refdata/Directories.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfmAbout::TfmAbout(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("О программе"));
    auto* picture = new QLabel(this);
    picture->setPixmap(StartPicture());
    const QString email = QString::fromUtf16(kSupportEmail);
    auto* text = new QLabel(this);
    text->setObjectName(QStringLiteral("lbAbout"));
    text->setTextFormat(Qt::RichText);
    text->setOpenExternalLinks(true);
    text->setText(QStringLiteral("<p><b>Qarv 2011</b>, версия %1</p>"
                                 "<p>Декларация по налогу на доходы физических лиц за 2011 год "
                                 "(формы 3-НДФЛ и 4-НДФЛ).</p>"
                                 "<p>ООО «Ортикс». Служба поддержки: "
                                 "<a href=\"mailto:%2\">%2</a></p>")
                      .arg(QCoreApplication::applicationVersion(), email));
    text->setWordWrap(true);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture);
    layout->addWidget(text);
    layout->addWidget(ok, 0, Qt::AlignRight);
    setFixedWidth(500);
}
