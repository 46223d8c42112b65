#include "StartForm.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>

QPixmap StartPicture() {
    QPixmap pm(460, 104);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 460, 104);
    sky.setColorAt(0, QColor(24, 64, 122));
    sky.setColorAt(1, QColor(70, 130, 190));
    p.fillRect(pm.rect(), sky);
    // A stylised form sheet with a seal at the left.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 250, 245));
    p.drawRoundedRect(QRectF(18, 14, 58, 76), 4, 4);
    p.setPen(QPen(QColor(120, 140, 170), 2));
    for (int y = 30; y <= 70; y += 10)
        p.drawLine(28, y, 66, y);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 40, 40));
    p.drawEllipse(QPointF(62, 78), 9, 9);
    p.setPen(Qt::white);
    QFont title(QStringLiteral("Sans Serif"), 26, QFont::Bold);
    p.setFont(title);
    p.drawText(QRect(96, 8, 350, 48), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Qarv 2011"));
    QFont sub(QStringLiteral("Sans Serif"), 9);
    p.setFont(sub);
    p.drawText(QRect(96, 56, 350, 40), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               QStringLiteral("Декларация по налогу на доходы физических лиц за 2011 год"));
    return pm;
}

TfmStart::TfmStart(int showMs) : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setFixedSize(460, 104);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    QTimer::singleShot(showMs, this, [this] { fired_ = true; });
}

void TfmStart::paintEvent(QPaintEvent*) {
    static const QPixmap picture = StartPicture();
    QPainter(this).drawPixmap(0, 0, picture);
}
