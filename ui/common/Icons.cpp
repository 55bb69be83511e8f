#include "ui/common/Icons.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace zendrik::Icons {

namespace {

constexpr int kSize = 64;

const QColor kInk(0x33, 0x41, 0x55);
const QColor kAccent(0x25, 0x63, 0xEB);
const QColor kAmber(0xF5, 0xB4, 0x00);
const QColor kMuted(0x94, 0xA3, 0xB8);

QPixmap canvas()
{
    QPixmap pm(kSize, kSize);
    pm.fill(Qt::transparent);
    return pm;
}

QPen pen(const QColor& c, qreal width = 4.0)
{
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPixmap funnel(bool on)
{
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.moveTo(8, 10);
    path.lineTo(56, 10);
    path.lineTo(37, 33);
    path.lineTo(37, 52);
    path.lineTo(27, 58);
    path.lineTo(27, 33);
    path.closeSubpath();
    p.setPen(pen(on ? kInk : kMuted));
    p.setBrush(on ? kAmber : QColor(Qt::transparent));
    p.drawPath(path);
    if (!on) {
        p.setPen(pen(QColor(0xDC, 0x26, 0x26), 5));
        p.drawLine(10, 56, 54, 8);
    }
    return pm;
}

QPixmap padlock(bool closed)
{
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor body = closed ? QColor(0xB9, 0x1C, 0x1C) : QColor(0x16, 0xA3, 0x4A);
    p.setPen(pen(kInk, 5));
    p.setBrush(Qt::NoBrush);
    QPainterPath shackle;
    if (closed) {
        shackle.moveTo(20, 30);
        shackle.lineTo(20, 20);
        shackle.arcTo(20, 6, 24, 26, 180, -180);
        shackle.lineTo(44, 30);
    } else {
        shackle.moveTo(20, 30);
        shackle.lineTo(20, 16);
        shackle.arcTo(20, 2, 24, 26, 180, -180);
        shackle.lineTo(44, 20);
    }
    p.drawPath(shackle);
    p.setPen(pen(kInk, 3));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(12, 28, 40, 30), 6, 6);
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(32, 41), 4, 4);
    p.drawRect(QRectF(30.5, 42, 3, 9));
    return pm;
}

} // namespace

QIcon Filter(bool on)
{
    return QIcon(funnel(on));
}

QIcon Lock()
{
    QIcon icon;
    icon.addPixmap(padlock(false), QIcon::Normal, QIcon::Off);
    icon.addPixmap(padlock(true), QIcon::Normal, QIcon::On);
    return icon;
}

QIcon Save()
{
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(pen(kInk, 3));
    p.setBrush(kAccent);
    QPainterPath disk;
    disk.moveTo(8, 8);
    disk.lineTo(46, 8);
    disk.lineTo(56, 18);
    disk.lineTo(56, 56);
    disk.lineTo(8, 56);
    disk.closeSubpath();
    p.drawPath(disk);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(18, 8, 24, 15));
    p.drawRoundedRect(QRectF(15, 34, 34, 22), 2, 2);
    p.setBrush(kInk);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(33, 11, 6, 10));
    return QIcon(pm);
}

QIcon Print()
{
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(pen(kInk, 3));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(18, 6, 28, 18));
    p.setBrush(kAccent);
    p.drawRoundedRect(QRectF(6, 22, 52, 24), 4, 4);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(18, 38, 28, 20));
    p.drawLine(QPointF(23, 46), QPointF(41, 46));
    p.drawLine(QPointF(23, 52), QPointF(37, 52));
    return QIcon(pm);
}

QIcon Play()
{
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(pen(kAccent, 4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(32, 32), 26, 26);
    QPainterPath tri;
    tri.moveTo(26, 20);
    tri.lineTo(46, 32);
    tri.lineTo(26, 44);
    tri.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawPath(tri);
    return QIcon(pm);
}

QIcon Globe()
{
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(pen(kAccent, 3.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(32, 32), 26, 26);
    p.drawEllipse(QPointF(32, 32), 11, 26);
    p.drawLine(QPointF(6, 32), QPointF(58, 32));
    p.drawLine(QPointF(32, 6), QPointF(32, 58));
    p.drawLine(QPointF(11, 19), QPointF(53, 19));
    p.drawLine(QPointF(11, 45), QPointF(53, 45));
    return QIcon(pm);
}

QIcon CheckMark()
{
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x16, 0xA3, 0x4A));
    p.drawEllipse(QPointF(32, 32), 28, 28);
    p.setPen(pen(Qt::white, 7));
    QPainterPath tick;
    tick.moveTo(19, 33);
    tick.lineTo(28, 42);
    tick.lineTo(46, 22);
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
    return QIcon(pm);
}

QPixmap Banner(const QString& title, const QString& subtitle, QSize size)
{
    QPixmap pm(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, size.width(), size.height());
    bg.setColorAt(0.0, QColor(0x1E, 0x3A, 0x8A));
    bg.setColorAt(1.0, QColor(0x0F, 0x76, 0x6E));
    p.fillRect(pm.rect(), bg);

    // A clock face on the right: hour marks and two hands.
    const qreal r = size.height() * 0.36;
    const QPointF c(size.width() - r - size.height() * 0.18, size.height() / 2.0);
    p.setPen(QPen(QColor(255, 255, 255, 200), 3));
    p.setBrush(QColor(255, 255, 255, 30));
    p.drawEllipse(c, r, r);
    for (int h = 0; h < 12; ++h) {
        const qreal a = h * M_PI / 6.0;
        const qreal inner = h % 3 == 0 ? r * 0.78 : r * 0.86;
        p.drawLine(QPointF(c.x() + inner * std::sin(a), c.y() - inner * std::cos(a)),
                   QPointF(c.x() + r * 0.95 * std::sin(a), c.y() - r * 0.95 * std::cos(a)));
    }
    p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, QPointF(c.x() + r * 0.45 * std::sin(M_PI * 10 / 6), c.y() - r * 0.45 * std::cos(M_PI * 10 / 6)));
    p.setPen(QPen(kAmber, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, QPointF(c.x(), c.y() - r * 0.7));
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    p.drawEllipse(c, 5, 5);

    QFont big = p.font();
    big.setPixelSize(size.height() / 4);
    big.setBold(true);
    p.setFont(big);
    p.setPen(Qt::white);
    const int left = size.height() / 5;
    p.drawText(QRect(left, size.height() / 5, size.width(), size.height() / 3), Qt::AlignLeft | Qt::AlignVCenter,
               title);
    QFont small = p.font();
    small.setPixelSize(size.height() / 10);
    small.setBold(false);
    p.setFont(small);
    p.setPen(QColor(255, 255, 255, 210));
    p.drawText(QRect(left, size.height() / 2 + size.height() / 20, size.width(), size.height() / 5),
               Qt::AlignLeft | Qt::AlignVCenter, subtitle);
    return pm;
}

} // namespace zendrik::Icons
