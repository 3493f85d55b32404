// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the bundle's pictures with Qt painting and writes them as PNG files, each
// at 1× (name.png) and at 2× (name@2x.png) for high-resolution screens.
// Usage: drawpictures OUTPUT_DIR

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdio>
#include <functional>

namespace {

// Pixels per point of the pictures being drawn. Every drawing below is in points:
// the canvas's device pixel ratio makes its painter scale them.
int scale = 1;

QImage canvas(int width, int height)
{
    QImage image(width * scale, height * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    return image;
}

bool save(const QImage& image, const QDir& dir, const QString& name)
{
    const QString path = dir.filePath(name);
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "drawpictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s %dx%d\n", qPrintable(name), image.width(), image.height());
    return true;
}

QFont face(int pixels, bool bold)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// The tab bar's background: a dark glossy strip, 320 × 49.
QImage bottomPanel()
{
    QImage image = canvas(320, 49);
    QPainter p(&image);
    QLinearGradient gloss(0, 0, 0, 49);
    gloss.setColorAt(0.0, QColor(0x4a, 0x4a, 0x4a));
    gloss.setColorAt(0.49, QColor(0x26, 0x26, 0x26));
    gloss.setColorAt(0.5, QColor(0x12, 0x12, 0x12));
    gloss.setColorAt(1.0, QColor(0x02, 0x02, 0x02));
    p.fillRect(QRect(0, 0, 320, 49), gloss);
    // A thin dark-red rule on top ties the bar to the red navigation bars.
    p.fillRect(QRect(0, 0, 320, 1), QColor(0x8a, 0x08, 0x08));
    p.fillRect(QRect(0, 1, 320, 1), QColor(0x5e, 0x5e, 0x5e));
    return image;
}

// The zoom slider's pane, 204 × 50: a dark rounded panel with a pointer at its
// top right towards the zoom button. Centred on (218, 82) it spans x 116–320,
// and the slider at (20, 20, 180, 10) lies inside it.
QImage sliderPane()
{
    QImage image = canvas(204, 50);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF body(1, 8, 202, 41);
    QPainterPath path;
    path.addRoundedRect(body, 8, 8);
    QPainterPath pointer;
    pointer.moveTo(170, 8.5);
    pointer.lineTo(180, 0.5);
    pointer.lineTo(190, 8.5);
    pointer.closeSubpath();
    path = path.united(pointer);
    QLinearGradient fill(0, 0, 0, 50);
    fill.setColorAt(0, QColor(0x3c, 0x3c, 0x3c, 240));
    fill.setColorAt(1, QColor(0x10, 0x10, 0x10, 240));
    p.fillPath(path, fill);
    p.setPen(QPen(QColor(255, 255, 255, 90), 1));
    p.drawPath(path);
    return image;
}

// The zoom button's icon: a small and a large letter, 28 × 20, white.
QImage textSizeIcon()
{
    QImage image = canvas(28, 20);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(Qt::white);
    p.setFont(face(11, true));
    p.drawText(QRectF(0, 4, 12, 16), Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("A"));
    p.setFont(face(19, true));
    p.drawText(QRectF(10, 0, 18, 20), Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("A"));
    return image;
}

// Tab icons are 30 × 30 alpha masks: opaque where the tab bar paints its colour.
QImage icon(const std::function<void(QPainter&)>& draw)
{
    QImage image = canvas(30, 30);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    draw(p);
    return image;
}

// Contents: an open book.
void drawBook(QPainter& p)
{
    QPainterPath left;
    left.moveTo(14, 8);
    left.cubicTo(10, 5, 5, 5, 2, 6);
    left.lineTo(2, 25);
    left.cubicTo(5, 24, 10, 24, 14, 27);
    left.closeSubpath();
    QPainterPath right;
    right.moveTo(16, 8);
    right.cubicTo(20, 5, 25, 5, 28, 6);
    right.lineTo(28, 25);
    right.cubicTo(25, 24, 20, 24, 16, 27);
    right.closeSubpath();
    p.drawPath(left);
    p.drawPath(right);
    // Lines of text cut out of the pages.
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.setPen(QPen(Qt::black, 1.4, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 4; ++i) {
        const double y = 11 + i * 3.6;
        p.drawLine(QPointF(5, y), QPointF(11.5, y + 0.8));
        p.drawLine(QPointF(18.5, y + 0.8), QPointF(25, y));
    }
}

// Scheme: three steps joined by arrows.
void drawScheme(QPainter& p)
{
    p.drawRoundedRect(QRectF(8, 1, 14, 7), 2, 2);
    p.drawRoundedRect(QRectF(8, 12, 14, 7), 2, 2);
    p.drawRoundedRect(QRectF(8, 23, 14, 7), 2, 2);
    p.setPen(QPen(Qt::white, 1.6));
    p.drawLine(QPointF(15, 8), QPointF(15, 12));
    p.drawLine(QPointF(15, 19), QPointF(15, 23));
    p.setPen(Qt::NoPen);
    // A side branch, as the algorithm has.
    p.drawRect(QRectF(22, 15, 4, 1.6));
    p.drawRect(QRectF(24.4, 15, 1.6, 11));
    p.drawRect(QRectF(22, 24.4, 4, 1.6));
}

// Telephones: a handset.
void drawHandset(QPainter& p)
{
    QPainterPath handset;
    handset.moveTo(6, 3);
    handset.cubicTo(3, 4, 1, 7, 2, 11);
    handset.cubicTo(4, 18, 11, 25, 19, 28);
    handset.cubicTo(23, 29, 26, 27, 27, 24);
    handset.lineTo(22, 19);
    handset.cubicTo(21, 18, 19.5, 18, 18.5, 19);
    handset.lineTo(16.5, 21);
    handset.cubicTo(13, 19, 11, 17, 9, 13.5);
    handset.lineTo(11, 11.5);
    handset.cubicTo(12, 10.5, 12, 9, 11, 8);
    handset.closeSubpath();
    p.drawPath(handset);
}

// Card: a medical card with a cross and lines of text.
void drawCard(QPainter& p)
{
    p.drawRoundedRect(QRectF(1, 5, 28, 21), 3, 3);
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.setBrush(Qt::black);
    p.drawRect(QRectF(6.5, 9, 3, 11));
    p.drawRect(QRectF(2.5, 13, 11, 3));
    p.drawRoundedRect(QRectF(16, 10, 10, 2), 1, 1);
    p.drawRoundedRect(QRectF(16, 14.5, 10, 2), 1, 1);
    p.drawRoundedRect(QRectF(16, 19, 7, 2), 1, 1);
}

// SOS: a round badge with the letters cut out.
void drawSos(QPainter& p)
{
    p.drawEllipse(QRectF(0.5, 0.5, 29, 29));
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.setPen(Qt::black);
    p.setFont(face(11, true));
    p.drawText(QRectF(0, 0, 30, 30), Qt::AlignCenter, QStringLiteral("SOS"));
}

// The emergency card's cancel button, 71 × 30: a dark bordered button with its
// caption drawn in, since the button places its title beside the picture and a
// picture of the button's full width leaves the title no room.
QImage cancelButton()
{
    QImage image = canvas(71, 30);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box(0.5, 0.5, 70, 28);
    QLinearGradient fill(0, 0, 0, 30);
    fill.setColorAt(0, QColor(0x6a, 0x6a, 0x6a));
    fill.setColorAt(0.5, QColor(0x3c, 0x3c, 0x3c));
    fill.setColorAt(1, QColor(0x22, 0x22, 0x22));
    p.setPen(QPen(QColor(0, 0, 0, 200), 1));
    p.setBrush(fill);
    p.drawRoundedRect(box, 5, 5);
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    p.drawLine(QPointF(5, 1.5), QPointF(66, 1.5));
    p.setFont(face(13, true));
    p.setPen(QColor(0, 0, 0, 160));
    p.drawText(box.translated(0, -1), Qt::AlignCenter, QStringLiteral("Отмена"));
    p.setPen(Qt::white);
    p.drawText(box, Qt::AlignCenter, QStringLiteral("Отмена"));
    return image;
}

// The photo placeholder, 66 × 66: a grey head-and-shoulders outline.
QImage noPhoto()
{
    QImage image = canvas(66, 66);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xb4, 0xb4, 0xb4), 1));
    p.setBrush(QColor(0xee, 0xee, 0xee));
    p.drawRoundedRect(QRectF(0.5, 0.5, 65, 65), 6, 6);
    p.setClipRect(QRectF(1, 1, 64, 64));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xb8, 0xb8, 0xb8));
    p.drawEllipse(QRectF(21, 11, 24, 26));
    QPainterPath shoulders;
    shoulders.moveTo(8, 66);
    shoulders.cubicTo(8, 48, 20, 41, 33, 41);
    shoulders.cubicTo(46, 41, 58, 48, 58, 66);
    shoulders.closeSubpath();
    p.drawPath(shoulders);
    return image;
}

// A red cross on a white disc, the application's emblem.
void drawEmblem(QPainter& p, const QPointF& centre, double radius)
{
    p.setPen(QPen(QColor(0x8a, 0x08, 0x08), radius * 0.08));
    p.setBrush(Qt::white);
    p.drawEllipse(centre, radius, radius);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xc8, 0x1e, 0x1e));
    const double arm = radius * 0.28;
    const double reach = radius * 0.68;
    p.drawRect(QRectF(centre.x() - arm, centre.y() - reach, 2 * arm, 2 * reach));
    p.drawRect(QRectF(centre.x() - reach, centre.y() - arm, 2 * reach, 2 * arm));
}

// The about screen's background, 320 × 367 (the area below its navigation bar):
// the emblem and the application's name on a pale gradient; the screen's
// controls stand on the lower part.
QImage aboutBackground()
{
    QImage image = canvas(320, 367);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient fill(0, 0, 0, 367);
    fill.setColorAt(0, QColor(0xff, 0xff, 0xff));
    fill.setColorAt(1, QColor(0xf3, 0xe2, 0xe2));
    p.fillRect(QRect(0, 0, 320, 367), fill);
    drawEmblem(p, QPointF(160, 52), 34);
    p.setPen(QColor(0x8a, 0x08, 0x08));
    p.setFont(face(22, true));
    p.drawText(QRectF(0, 94, 320, 28), Qt::AlignCenter, QStringLiteral("Первая помощь"));
    p.setPen(QColor(0x55, 0x55, 0x55));
    p.setFont(face(13, false));
    p.drawText(QRectF(0, 122, 320, 20), Qt::AlignCenter,
               QStringLiteral("Справочник и экстренная карта"));
    p.setPen(QPen(QColor(0xd9, 0xb0, 0xb0), 1));
    p.drawLine(QPointF(40, 152.5), QPointF(280, 152.5));
    return image;
}

// The SOS help button, 180 × 180, in its normal and pressed states.
QImage helpButton(bool pressed)
{
    QImage image = canvas(180, 180);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QPointF centre(90, 90);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawEllipse(centre + QPointF(0, 3), 84, 84);
    QRadialGradient body(centre - QPointF(0, 30), 120);
    body.setColorAt(0, pressed ? QColor(0xc4, 0x1a, 0x1a) : QColor(0xff, 0x5a, 0x4e));
    body.setColorAt(0.6, pressed ? QColor(0x96, 0x0c, 0x0c) : QColor(0xd4, 0x1c, 0x1c));
    body.setColorAt(1, pressed ? QColor(0x6a, 0x04, 0x04) : QColor(0x9a, 0x0a, 0x0a));
    p.setBrush(body);
    p.setPen(QPen(QColor(0x5a, 0x02, 0x02), 2));
    p.drawEllipse(centre, 82, 82);
    if (!pressed) {
        QLinearGradient gloss(0, 10, 0, 90);
        gloss.setColorAt(0, QColor(255, 255, 255, 120));
        gloss.setColorAt(1, QColor(255, 255, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(gloss);
        p.drawEllipse(QRectF(30, 14, 120, 70));
    }
    p.setPen(QColor(0, 0, 0, 90));
    p.setFont(face(52, true));
    p.drawText(QRectF(0, 2, 180, 180), Qt::AlignCenter, QStringLiteral("SOS"));
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, 180, 180), Qt::AlignCenter, QStringLiteral("SOS"));
    return image;
}

// The SOS indicator, 220 × 220: a glowing ring shown around the help button while it is held.
QImage helpIndicator()
{
    QImage image = canvas(220, 220);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(110, 110);
    QRadialGradient glow(centre, 110);
    glow.setColorAt(0.74, QColor(255, 60, 40, 0));
    glow.setColorAt(0.84, QColor(255, 60, 40, 200));
    glow.setColorAt(0.92, QColor(255, 120, 80, 120));
    glow.setColorAt(1.0, QColor(255, 120, 80, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(centre, 110, 110);
    return image;
}

// The information button's icon, 22 × 22: a white "i" in a ring.
QImage infoIcon()
{
    QImage image = canvas(22, 22);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 2));
    p.drawEllipse(QRectF(2, 2, 18, 18));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(9.6, 5.2, 2.8, 2.8));
    p.drawRoundedRect(QRectF(9.7, 9.2, 2.6, 7.6), 1, 1);
    return image;
}

// A service button of the telephones tab, 30 × 88: the service's colour, its
// sign and its number from a mobile phone.
QImage serviceButton(const QColor& tint, const QString& number,
                     const std::function<void(QPainter&)>& sign)
{
    QImage image = canvas(30, 88);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient fill(0, 0, 30, 0);
    fill.setColorAt(0, tint.lighter(135));
    fill.setColorAt(1, tint.darker(110));
    p.setPen(QPen(tint.darker(160), 1));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(1.5, 1.5, 27, 85), 5, 5);
    p.save();
    p.translate(3, 14);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    sign(p);
    p.restore();
    p.setPen(Qt::white);
    p.setFont(face(11, true));
    p.drawText(QRectF(0, 50, 30, 30), Qt::AlignCenter, number);
    return image;
}

// Signs drawn in a 24 × 24 box.
void drawFlame(QPainter& p)
{
    QPainterPath flame;
    flame.moveTo(12, 1);
    flame.cubicTo(16, 7, 20, 10, 20, 15);
    flame.cubicTo(20, 20, 16.5, 23, 12, 23);
    flame.cubicTo(7.5, 23, 4, 20, 4, 15);
    flame.cubicTo(4, 11, 8, 9, 9, 5);
    flame.cubicTo(11, 8, 11, 10, 10.5, 13);
    flame.cubicTo(13, 11, 13, 6, 12, 1);
    flame.closeSubpath();
    p.drawPath(flame);
}

void drawCross(QPainter& p)
{
    p.drawRect(QRectF(8.5, 2, 7, 20));
    p.drawRect(QRectF(2, 8.5, 20, 7));
}

void drawFire(QPainter& p)
{
    QPainterPath fire;
    fire.moveTo(12, 0);
    fire.cubicTo(14, 6, 21, 8, 21, 15);
    fire.cubicTo(21, 20, 17, 24, 12, 24);
    fire.cubicTo(7, 24, 3, 20, 3, 15);
    fire.cubicTo(3, 11, 6, 9, 7, 6);
    fire.cubicTo(9, 9, 9, 11, 8.5, 13);
    fire.cubicTo(11, 10, 13, 5, 12, 0);
    fire.closeSubpath();
    p.drawPath(fire);
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.drawEllipse(QRectF(9, 15, 6, 6));
}

void drawShield(QPainter& p)
{
    QPainterPath shield;
    shield.moveTo(12, 1);
    shield.lineTo(21, 4.5);
    shield.cubicTo(21, 14, 18, 19.5, 12, 23.5);
    shield.cubicTo(6, 19.5, 3, 14, 3, 4.5);
    shield.closeSubpath();
    p.drawPath(shield);
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double angle = -M_PI / 2 + i * M_PI / 5;
        const double radius = i % 2 ? 2.4 : 5.6;
        const QPointF point(12 + radius * std::cos(angle), 11.5 + radius * std::sin(angle));
        i ? star.lineTo(point) : star.moveTo(point);
    }
    star.closeSubpath();
    p.drawPath(star);
}

// An icon of a related application, 57 × 57: a rounded square with its initial.
QImage applicationIcon(const QColor& tint, const QString& initial)
{
    QImage image = canvas(57, 57);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient fill(0, 0, 0, 57);
    fill.setColorAt(0, tint.lighter(140));
    fill.setColorAt(1, tint.darker(120));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(0.5, 0.5, 56, 56), 11, 11);
    QLinearGradient gloss(0, 0, 0, 28);
    gloss.setColorAt(0, QColor(255, 255, 255, 110));
    gloss.setColorAt(1, QColor(255, 255, 255, 20));
    p.setBrush(gloss);
    p.drawRoundedRect(QRectF(0.5, 0.5, 56, 27), 11, 11);
    p.setPen(Qt::white);
    p.setFont(face(30, true));
    p.drawText(QRectF(0, 0, 57, 57), Qt::AlignCenter, initial);
    return image;
}

// The developer's mark, 60 × 28.
QImage developerMark()
{
    QImage image = canvas(60, 28);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(QPen(QColor(0x8a, 0x08, 0x08), 1.5));
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawRoundedRect(QRectF(1, 1, 58, 26), 6, 6);
    p.setPen(QColor(0x8a, 0x08, 0x08));
    p.setFont(face(15, true));
    p.drawText(QRectF(0, 0, 60, 28), Qt::AlignCenter, QStringLiteral("ТКЛ"));
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    // Painting text needs a GUI application; no window is shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: drawpictures OUTPUT_DIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const struct {
        QString name;
        std::function<QImage()> draw;
    } pictures[] = {
        {QStringLiteral("bottomPanelBg.png"), [] { return bottomPanel(); }},
        {QStringLiteral("sliderBackPane.png"), [] { return sliderPane(); }},
        {QStringLiteral("iconBtnTextSize.png"), [] { return textSizeIcon(); }},
        {QStringLiteral("tabContent.png"), [] { return icon(drawBook); }},
        {QStringLiteral("tabSchema.png"), [] { return icon(drawScheme); }},
        {QStringLiteral("tabTelephones.png"), [] { return icon(drawHandset); }},
        {QStringLiteral("tabMap.png"), [] { return icon(drawCard); }},
        {QStringLiteral("tabSOS.png"), [] { return icon(drawSos); }},
        {QStringLiteral("btnCancel.png"), [] { return cancelButton(); }},
        {QStringLiteral("noPhoto.png"), [] { return noPhoto(); }},
        {QStringLiteral("aboutBg.png"), [] { return aboutBackground(); }},
        {QStringLiteral("sosButton.png"), [] { return helpButton(false); }},
        {QStringLiteral("sosButtonPressed.png"), [] { return helpButton(true); }},
        {QStringLiteral("sosIndicator.png"), [] { return helpIndicator(); }},
        {QStringLiteral("iconInfo.png"), [] { return infoIcon(); }},
        {QStringLiteral("btnGas.png"),
         [] {
             return serviceButton(QColor::fromRgbF(0.581f, 0.352f, 0.02f), QStringLiteral("104"),
                                  drawFlame);
         }},
        {QStringLiteral("btnEmerg.png"),
         [] {
             return serviceButton(QColor::fromRgbF(0.581f, 0.581f, 0.581f), QStringLiteral("103"),
                                  drawCross);
         }},
        {QStringLiteral("btnFire.png"),
         [] {
             return serviceButton(QColor::fromRgbF(0.58f, 0.211f, 0.211f), QStringLiteral("101"),
                                  drawFire);
         }},
        {QStringLiteral("btnPolice.png"),
         [] {
             return serviceButton(QColor::fromRgbF(0.313f, 0.314f, 0.58f), QStringLiteral("102"),
                                  drawShield);
         }},
        {QStringLiteral("appRovan.png"),
         [] { return applicationIcon(QColor(0x2e, 0x7d, 0x32), QStringLiteral("R")); }},
        {QStringLiteral("appPex.png"),
         [] { return applicationIcon(QColor(0x15, 0x65, 0xc0), QStringLiteral("P")); }},
        {QStringLiteral("appSulka.png"),
         [] { return applicationIcon(QColor(0xef, 0x6c, 0x00), QStringLiteral("S")); }},
        {QStringLiteral("logoTkl.png"), [] { return developerMark(); }},
    };
    bool ok = true;
    for (const int pass : {1, 2}) {
        scale = pass;
        for (const auto& picture : pictures) {
            QString name = picture.name;
            if (pass > 1)
                name.insert(name.lastIndexOf(QLatin1Char('.')), QStringLiteral("@%1x").arg(pass));
            ok &= save(picture.draw(), dir, name);
        }
    }
    return ok ? 0 : 1;
}
