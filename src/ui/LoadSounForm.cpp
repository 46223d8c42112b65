#include "LoadSounForm.h"

#include "Dialogs.h"
#include "HelpWindow.h"
#include "refdata/DataFolders.h"
#include "refdata/LoadSoun.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {
QLabel* link(QWidget* parent, const QString& text) {
    auto* l = new QLabel(QStringLiteral("<a href=\"#\">%1</a>").arg(text.toHtmlEscaped()), parent);
    l->setTextFormat(Qt::RichText);
    l->setCursor(Qt::PointingHandCursor);
    l->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    return l;
}
} // namespace

TfmLoadSoun::TfmLoadSoun(QWidget* parent, const QString& programFolder)
    : QDialog(parent), programFolder_(programFolder) {
    setWindowTitle(QStringLiteral("Загрузка СОУН"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto line = [&](const QString& text) { layout->addWidget(new QLabel(text, this)); };
    line(QStringLiteral("Инспекция может отсутствовать в справочнике по двум причинам:"));
    line(QStringLiteral("- у инспекции изменился код и название, а вы не в курсе"));
    line(QStringLiteral("- справочник устарел"));
    line(QStringLiteral("Возможно два решения проблемы: простое и более сложное"));
    line(QStringLiteral("Простое: отредактировать справочник вручную. Как это сделать,"));
    lbHelpLink = link(this, QStringLiteral("подробно расписано в Справке"));
    layout->addWidget(lbHelpLink);
    line(QStringLiteral("Сложное:"));
    lbSiteLink = link(this, QStringLiteral("- скачать справочник СОУН с сайта программы"));
    layout->addWidget(lbSiteLink);
    line(QStringLiteral("- извлечь из скаченного архива SOUN_DBF.ARJ файл soun1.dbf"));
    line(QStringLiteral("- указать путь к файлу soun1.dbf и обновить справочник"));
    mePath = new QLineEdit(this);
    mePath->setReadOnly(true);
    mePath->setAccessibleName(QStringLiteral("Путь к файлу soun1.dbf"));
    bnBrowse = new QPushButton(QStringLiteral("..."), this);
    bnBrowse->setFixedWidth(30);
    bnBrowse->setAccessibleName(QStringLiteral("Выбрать файл soun1.dbf"));
    bnBrowse->setToolTip(bnBrowse->accessibleName());
    bnImport = new QPushButton(QStringLiteral("&Импорт СОУН"), this);
    bnImport->setEnabled(false);
    auto* row = new QHBoxLayout;
    row->addWidget(mePath, 1);
    row->addWidget(bnBrowse);
    row->addWidget(bnImport);
    layout->addLayout(row);
    line(QStringLiteral("- перезапустить программу \"Qarv 2011\""));
    bnOk = new QPushButton(QStringLiteral("OK"), this);
    layout->addWidget(bnOk, 0, Qt::AlignRight);

    connect(lbHelpLink, &QLabel::linkActivated, this,
            [this] { emit helpRequested(THelpWindow::kSounTopic); });
    connect(lbSiteLink, &QLabel::linkActivated, this, [this] {
        if (!Dialogs().openUrl(QUrl(kSiteUrl)))
            ShowMessage(this, QStringLiteral("Не удалось запустить браузер"),
                        QMessageBox::Critical);
    });
    connect(bnBrowse, &QPushButton::clicked, this, &TfmLoadSoun::browse);
    connect(bnImport, &QPushButton::clicked, this, &TfmLoadSoun::import);
    connect(bnOk, &QPushButton::clicked, this, &QDialog::accept);
}

void TfmLoadSoun::browse() {
    const QString file =
        Dialogs().openFileName(this, programFolder_, QStringLiteral("*.dbf (soun1.dbf)"));
    if (file.isEmpty())
        return;
    mePath->setText(file);
    bnImport->setEnabled(true);
    bnOk->setEnabled(false);
}

void TfmLoadSoun::import() {
    bnOk->setEnabled(true);
    const QString path = mePath->text().trimmed();
    if (path.isEmpty()) {
        ShowMessage(this, QStringLiteral("Укажите путь к файлу soun1.dbf"),
                    QMessageBox::Information);
        return;
    }
    const SounImportResult r = ImportSounForUser(path, DataFolders::forProgram(programFolder_));
    if (r.ok)
        ShowMessage(
            this,
            QStringLiteral("Данные успешно импортированы. Не забудьте перезапустить программу."),
            QMessageBox::Information);
    else
        ShowMessage(this, QStringLiteral("Импортировать данные не удалось"), QMessageBox::Critical);
}
