#include "pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cmath>

namespace velmar::datagen {

namespace {

QImage blank(int width, int height, QColor fill) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

// Segments a..g of a seven-segment digit, as bit masks of the lit ones.
constexpr std::array<int, 10> kSegments = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

void drawSegment(QPainter& p, int segment, bool lit) {
    const QColor on(255, 190, 40);
    const QColor off(60, 45, 20);
    p.setBrush(lit ? on : off);
    p.setPen(Qt::NoPen);
    const int w = 20, t = 4, x = 5, y = 4, h = 16;
    QRectF r;
    switch (segment) {
    case 0:
        r = QRectF(x + 1, y, w - 2, t);
        break; // a
    case 1:
        r = QRectF(x + w - t / 2, y + 1, t, h - 2);
        break; // b
    case 2:
        r = QRectF(x + w - t / 2, y + h + 1, t, h - 2);
        break; // c
    case 3:
        r = QRectF(x + 1, y + 2 * h - t / 2, w - 2, t);
        break; // d
    case 4:
        r = QRectF(x - t / 2, y + h + 1, t, h - 2);
        break; // e
    case 5:
        r = QRectF(x - t / 2, y + 1, t, h - 2);
        break; // f
    default:
        r = QRectF(x + 1, y + h - t / 2, w - 2, t);
        break; // g
    }
    p.drawRoundedRect(r, 1.5, 1.5);
}

void drawDisc(QPainter& p, QColor rim, QColor shine) {
    QRadialGradient g(QPointF(16, 16), 15, QPointF(11, 10));
    g.setColorAt(0, shine);
    g.setColorAt(1, rim);
    p.setBrush(g);
    p.setPen(QPen(rim.darker(150), 1));
    p.drawEllipse(QPointF(16, 16), 14, 14);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 16), 3.5, 3.5);
}

void drawDrive(QPainter& p, QColor body, bool dashed) {
    p.setPen(QPen(body.darker(170), 1.5, dashed ? Qt::DashLine : Qt::SolidLine));
    QLinearGradient g(0, 8, 0, 26);
    g.setColorAt(0, body.lighter(130));
    g.setColorAt(1, body);
    p.setBrush(dashed ? QBrush(Qt::NoBrush) : QBrush(g));
    p.drawRoundedRect(QRectF(3, 9, 26, 15), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 220, 80));
    p.drawEllipse(QPointF(24, 19), 1.8, 1.8);
}

} // namespace

QImage gaugeFrame(int frame) {
    QImage image = blank(200, 18, QColor(235, 235, 235));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(120, 120, 120));
    p.drawRect(0, 0, 199, 17);
    const int filled = (frame - 1) * 196 / (kGaugeFrames - 1);
    if (filled > 0) {
        QLinearGradient g(0, 2, 0, 16);
        g.setColorAt(0, QColor(120, 170, 255));
        g.setColorAt(1, QColor(20, 70, 180));
        p.fillRect(QRect(2, 2, filled, 14), g);
    }
    return image;
}

QImage digit(int value) {
    QImage image = blank(30, 44, QColor(20, 15, 10));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (int s = 0; s < 7; ++s)
        drawSegment(p, s, (kSegments[static_cast<std::size_t>(value % 10)] >> s) & 1);
    return image;
}

QImage supportIcon(const QString& keyword) {
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(QColor(255, 255, 255));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (keyword == QLatin1String("CD")) {
        drawDisc(p, QColor(150, 150, 160), QColor(245, 245, 255));
    } else if (keyword == QLatin1String("DVD")) {
        drawDisc(p, QColor(120, 60, 150), QColor(250, 220, 255));
    } else if (keyword == QLatin1String("AMOVIBLE")) {
        p.setPen(QPen(QColor(30, 60, 120), 1.2));
        p.setBrush(QColor(60, 110, 200));
        p.drawRoundedRect(QRectF(4, 10, 19, 12), 2, 2);
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(23, 12, 6, 8));
    } else if (keyword == QLatin1String("RESEAU")) {
        drawDrive(p, QColor(90, 150, 90), false);
        p.setPen(QPen(QColor(40, 40, 40), 2));
        p.drawLine(QPointF(16, 24), QPointF(16, 30));
        p.drawLine(QPointF(6, 30), QPointF(26, 30));
    } else if (keyword == QLatin1String("VIRTUEL")) {
        drawDrive(p, QColor(140, 140, 140), true);
    } else {
        drawDrive(p, QColor(150, 150, 150), false);
    }
    return image;
}

QImage background(int variant) {
    QImage image(1280, 800, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 1280, 800);
    g.setColorAt(0, variant == 0 ? QColor(222, 232, 245) : QColor(236, 232, 222));
    g.setColorAt(1, variant == 0 ? QColor(170, 190, 220) : QColor(205, 195, 175));
    p.fillRect(image.rect(), g);
    // Faint concentric discs, a nod to the media being catalogued.
    p.setBrush(Qt::NoBrush);
    for (int ring = 0; ring < 14; ++ring) {
        p.setPen(QPen(QColor(255, 255, 255, 40 - ring * 2), 2));
        const double r = 80 + ring * 38.0;
        p.drawEllipse(QPointF(variant == 0 ? 1000 : 300, 560), r, r);
    }
    return image;
}

} // namespace velmar::datagen
