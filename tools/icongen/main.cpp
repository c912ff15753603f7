// Draws Quorin's icons into PNG files. The pictures are committed under
// resources/icons; run this (target "quorin_icons") only to redraw them.
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cstdio>
#include <functional>

namespace {

using Painter = std::function<void(QPainter &)>;

bool save(const QString &directory, const QString &name, QSize size, const Painter &paint)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    painter.end();
    const QString path = QDir(directory).filePath(name);
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

void page(QPainter &p)
{
    QPainterPath path;
    path.moveTo(7, 3);
    path.lineTo(19, 3);
    path.lineTo(26, 10);
    path.lineTo(26, 29);
    path.lineTo(7, 29);
    path.closeSubpath();
    p.setPen(QPen(QColor(90, 90, 90), 1.5));
    p.setBrush(Qt::white);
    p.drawPath(path);
    p.drawPolyline(QPolygonF({QPointF(19, 3), QPointF(19, 10), QPointF(26, 10)}));
}

void newIcon(QPainter &p)
{
    page(p);
    p.setPen(QPen(QColor(120, 160, 210), 1.5));
    for (int y = 14; y <= 25; y += 4)
        p.drawLine(10, y, 23, y);
}

void openIcon(QPainter &p)
{
    p.setPen(QPen(QColor(150, 110, 30), 1.5));
    p.setBrush(QColor(240, 200, 90));
    p.drawPolygon(QPolygonF({QPointF(3, 8), QPointF(12, 8), QPointF(14, 11), QPointF(28, 11),
                             QPointF(28, 27), QPointF(3, 27)}));
    p.setBrush(QColor(250, 220, 120));
    p.drawPolygon(QPolygonF({QPointF(6, 15), QPointF(31, 15), QPointF(28, 27), QPointF(3, 27)}));
}

void saveIcon(QPainter &p)
{
    p.setPen(QPen(QColor(30, 50, 100), 1.5));
    p.setBrush(QColor(60, 100, 180));
    p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 4, 14, 9));
    p.setBrush(QColor(200, 210, 230));
    p.drawRect(QRectF(8, 18, 16, 10));
}

void exitIcon(QPainter &p)
{
    p.setPen(QPen(QColor(150, 20, 20), 1.5));
    p.setBrush(QColor(220, 60, 60));
    p.drawEllipse(QRectF(3, 3, 26, 26));
    p.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(11, 11, 21, 21);
    p.drawLine(21, 11, 11, 21);
}

void letterInShape(QPainter &p, const QString &letter, const QColor &color, int pixelSize)
{
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(pixelSize);
    p.setFont(font);
    p.setPen(color);
    p.drawText(QRectF(0, 0, 32, 32), Qt::AlignCenter, letter);
}

void infoIcon(QPainter &p)
{
    p.setPen(QPen(QColor(20, 70, 150), 1.5));
    p.setBrush(QColor(70, 130, 210));
    p.drawEllipse(QRectF(3, 3, 26, 26));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(14, 7.5, 4, 4));
    p.drawRoundedRect(QRectF(14, 13, 4, 12), 1, 1);
}

void disclaimerIcon(QPainter &p)
{
    p.setPen(QPen(QColor(140, 100, 0), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(250, 200, 40));
    p.drawPolygon(QPolygonF({QPointF(16, 3), QPointF(30, 28), QPointF(2, 28)}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 30, 0));
    p.drawRoundedRect(QRectF(14.5, 10, 3, 11), 1, 1);
    p.drawEllipse(QRectF(14.5, 22.5, 3, 3));
}

void flashIcon(QPainter &p)
{
    p.setPen(QPen(QColor(170, 110, 0), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QLinearGradient gradient(0, 0, 0, 32);
    gradient.setColorAt(0, QColor(255, 240, 90));
    gradient.setColorAt(1, QColor(250, 170, 20));
    p.setBrush(gradient);
    p.drawPolygon(QPolygonF({QPointF(19, 2), QPointF(7, 18), QPointF(15, 18), QPointF(12, 30),
                             QPointF(25, 13), QPointF(17, 13), QPointF(21, 2)}));
}

void stataIcon(QPainter &p)
{
    p.setPen(QPen(QColor(10, 40, 90), 1.5));
    p.setBrush(QColor(25, 75, 145));
    p.drawRoundedRect(QRectF(3, 3, 26, 26), 5, 5);
    letterInShape(p, QStringLiteral("S"), Qt::white, 20);
}

void formatIcon(QPainter &p)
{
    page(p);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(11);
    p.setFont(font);
    p.setPen(QColor(120, 30, 120));
    p.drawText(QRectF(7, 10, 19, 18), Qt::AlignCenter, QStringLiteral("%.2"));
}

void plusIcon(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 150, 60));
    p.drawRoundedRect(QRectF(13, 5, 6, 22), 2, 2);
    p.drawRoundedRect(QRectF(5, 13, 22, 6), 2, 2);
}

void minusIcon(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 50, 40));
    p.drawRoundedRect(QRectF(5, 13, 22, 6), 2, 2);
}

void areaFrame(QPainter &p)
{
    p.setPen(QPen(QColor(40, 110, 160), 1.5, Qt::DashLine));
    p.setBrush(QColor(216, 238, 252));
    p.drawRect(QRectF(3, 6, 20, 20));
}

void editAreaIcon(QPainter &p)
{
    areaFrame(p);
    p.setPen(QPen(QColor(90, 60, 20), 1.2));
    p.setBrush(QColor(240, 190, 70));
    p.drawPolygon(QPolygonF(
        {QPointF(27, 3), QPointF(30, 6), QPointF(16, 20), QPointF(12, 21), QPointF(13, 17)}));
}

void assignAreaIcon(QPainter &p)
{
    areaFrame(p);
    p.setPen(QPen(QColor(30, 120, 50), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(29, 4, 15, 17);
    p.drawPolyline(QPolygonF({QPointF(14, 10), QPointF(14, 18), QPointF(22, 18)}));
}

void selectAllIcon(QPainter &p)
{
    p.setPen(QPen(QColor(90, 90, 90), 1.2));
    p.setBrush(QColor(216, 238, 252));
    for (int y = 4; y <= 22; y += 9)
        p.drawRect(QRectF(3, y, 26, 6));
    p.setPen(QPen(QColor(30, 120, 50), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (int y = 4; y <= 22; y += 9)
        p.drawPolyline(QPolygonF({QPointF(6, y + 3), QPointF(8, y + 5), QPointF(12, y + 1)}));
}

void gridMotif(QPainter &p, const QRectF &box)
{
    p.setPen(QPen(QColor(40, 110, 160), 1.5));
    p.setBrush(Qt::white);
    p.drawRect(box);
    const qreal w = box.width() / 3, h = box.height() / 3;
    for (int i = 1; i < 3; ++i) {
        p.drawLine(QPointF(box.left() + i * w, box.top()),
                   QPointF(box.left() + i * w, box.bottom()));
        p.drawLine(QPointF(box.left(), box.top() + i * h), QPointF(box.right(), box.top() + i * h));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(128, 0, 128));
    p.drawRect(QRectF(box.left() + w + 2, box.top() + h + 2, w - 3, h - 3));
    p.setBrush(QColor(0, 128, 0));
    p.drawRect(QRectF(box.left() + 2, box.top() + h + 2, w - 3, h - 3));
    p.drawRect(QRectF(box.left() + w + 2, box.top() + 2, w - 3, h - 3));
}

void logo(QPainter &p)
{
    gridMotif(p, QRectF(70, 4, 42, 42));
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(38);
    p.setFont(font);
    p.setPen(QColor(25, 75, 145));
    p.drawText(QRectF(122, 0, 229, 51), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Quorin"));
}

void applicationIcon(QPainter &p)
{
    gridMotif(p, QRectF(4, 4, 56, 56));
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString directory = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(directory);
    const QSize small(32, 32);
    bool ok = true;
    ok &= save(directory, QStringLiteral("new.png"), small, newIcon);
    ok &= save(directory, QStringLiteral("open.png"), small, openIcon);
    ok &= save(directory, QStringLiteral("save.png"), small, saveIcon);
    ok &= save(directory, QStringLiteral("exit.png"), small, exitIcon);
    ok &= save(directory, QStringLiteral("info.png"), small, infoIcon);
    ok &= save(directory, QStringLiteral("disclaimer.png"), small, disclaimerIcon);
    ok &= save(directory, QStringLiteral("flash.png"), small, flashIcon);
    ok &= save(directory, QStringLiteral("stataicon.png"), small, stataIcon);
    ok &= save(directory, QStringLiteral("format icon.png"), small, formatIcon);
    ok &= save(directory, QStringLiteral("plus.png"), small, plusIcon);
    ok &= save(directory, QStringLiteral("minus.png"), small, minusIcon);
    ok &= save(directory, QStringLiteral("edit area.png"), small, editAreaIcon);
    ok &= save(directory, QStringLiteral("assign area.png"), small, assignAreaIcon);
    ok &= save(directory, QStringLiteral("select all.png"), small, selectAllIcon);
    ok &= save(directory, QStringLiteral("Quorin logo.png"), QSize(351, 51), logo);
    ok &= save(directory, QStringLiteral("quorin.png"), QSize(64, 64), applicationIcon);
    return ok ? 0 : 1;
}
