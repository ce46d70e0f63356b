// Draws the program's pictures. Run once by hand when a picture changes; the
// results are committed beside this file (the icons are installed from there):
//   gravelock-draw-pictures resources/pictures
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QString>
#include <cstdio>

namespace {

const QColor kRust(196, 92, 28);
const QColor kAmber(255, 176, 48);
const QColor kNight(18, 20, 26);
const QColor kSteel(64, 72, 84);

// Little stones scattered over an area: the "gravel" of the name.
void drawGravel(QPainter& p, const QRectF& area, int count, quint32 seed) {
    QRandomGenerator random(seed);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const double x = area.left() + random.bounded(area.width());
        const double y = area.top() + random.bounded(area.height());
        const double r = 1.0 + random.bounded(4.0);
        const int shade = 60 + random.bounded(80);
        p.setBrush(QColor(shade, shade - 8, shade - 16, 200));
        p.drawEllipse(QPointF(x, y), r * 1.3, r);
    }
}

// A padlock whose shackle is a half ring: the program's mark.
void drawLock(QPainter& p, const QPointF& centre, double size) {
    p.save();
    p.translate(centre);
    QPen shackle(kSteel.lighter(170), size * 0.12, Qt::SolidLine, Qt::RoundCap);
    p.setPen(shackle);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(-size * 0.3, -size * 0.75, size * 0.6, size * 0.7), 0, 180 * 16);
    p.drawLine(QPointF(-size * 0.3, -size * 0.4), QPointF(-size * 0.3, -size * 0.1));
    p.drawLine(QPointF(size * 0.3, -size * 0.4), QPointF(size * 0.3, -size * 0.1));
    QLinearGradient body(0, -size * 0.1, 0, size * 0.55);
    body.setColorAt(0, kAmber);
    body.setColorAt(1, kRust);
    p.setPen(QPen(kRust.darker(160), size * 0.03));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(-size * 0.45, -size * 0.12, size * 0.9, size * 0.66), size * 0.08,
                      size * 0.08);
    p.setBrush(kNight);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(0, size * 0.14), size * 0.08, size * 0.08);
    p.drawRect(QRectF(-size * 0.03, size * 0.16, size * 0.06, size * 0.2));
    p.restore();
}

QImage background(int width, int height, quint32 seed) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, kNight);
    sky.setColorAt(0.7, QColor(46, 38, 34));
    sky.setColorAt(1, QColor(86, 60, 40));
    p.fillRect(image.rect(), sky);
    drawGravel(p, QRectF(0, height * 0.72, width, height * 0.28), width / 2, seed);
    return image;
}

QImage splashLogo() {
    QImage image = background(611, 360, 7);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(150, 160, 140);
    glow.setColorAt(0, QColor(255, 150, 40, 90));
    glow.setColorAt(1, QColor(255, 150, 40, 0));
    p.fillRect(image.rect(), glow);
    drawLock(p, QPointF(150, 170), 170);

    QFont title(QStringLiteral("DejaVu Sans"), 32, QFont::Black);
    title.setLetterSpacing(QFont::PercentageSpacing, 104);
    p.setFont(title);
    QPainterPath path;
    path.addText(262, 180, title, QStringLiteral("GRAVELOCK"));
    p.setPen(QPen(kRust.darker(180), 3));
    p.setBrush(kAmber);
    p.drawPath(path);

    QFont sub(QStringLiteral("DejaVu Sans"), 14, QFont::Bold);
    p.setFont(sub);
    p.setPen(QColor(230, 220, 200));
    p.drawText(QRectF(262, 196, 340, 30), Qt::AlignLeft, QStringLiteral("Karten Starter"));
    p.drawText(QRectF(262, 222, 340, 30), Qt::AlignLeft, QStringLiteral("& Deathmatch Maker"));
    QFont version(QStringLiteral("DejaVu Sans"), 10);
    p.setFont(version);
    p.setPen(QColor(200, 190, 170));
    p.drawText(QRectF(0, 330, 600, 24), Qt::AlignRight, QStringLiteral("Version 2.0"));
    return image;
}

// The wizard's side pictures: the lock with the page's step drawn beneath.
QImage wizardPicture(int step) {
    QImage image = background(150, 260, 20 + step);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawLock(p, QPointF(75, 90), 90);
    for (int i = 1; i <= 4; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(i <= step ? kAmber : kSteel);
        p.drawEllipse(QPointF(30 + (i - 1) * 30, 175), 8, 8);
    }
    QFont font(QStringLiteral("DejaVu Sans"), 11, QFont::Bold);
    p.setFont(font);
    p.setPen(QColor(235, 225, 205));
    p.drawText(QRectF(0, 195, 150, 24), Qt::AlignHCenter,
               QStringLiteral("Schritt %1 / 4").arg(step));
    return image;
}

QImage aboutPicture() {
    QImage image = background(96, 96, 42);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawLock(p, QPointF(48, 48), 62);
    return image;
}

// Behind the scrolling credits: a night sky over a gravel field.
QImage creditsPicture() {
    QImage image = background(346, 212, 99);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRandomGenerator random(5);
    for (int i = 0; i < 90; ++i) {
        const int shade = 150 + random.bounded(105);
        p.setPen(QColor(shade, shade, shade - 20));
        p.drawPoint(random.bounded(346), random.bounded(140));
    }
    p.setOpacity(0.35);
    drawLock(p, QPointF(173, 110), 120);
    return image;
}

// The program's icon for menus and task bars: the lock on a rounded tile of night
// and gravel, transparent around the tile.
QImage icon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF tile(size * 0.04, size * 0.04, size * 0.92, size * 0.92);
    QPainterPath rounded;
    rounded.addRoundedRect(tile, size * 0.18, size * 0.18);
    p.setClipPath(rounded);
    p.drawImage(tile, background(size, size, 3));
    QRadialGradient glow(size * 0.5, size * 0.5, size * 0.5);
    glow.setColorAt(0, QColor(255, 150, 40, 110));
    glow.setColorAt(1, QColor(255, 150, 40, 0));
    p.fillRect(tile, glow);
    drawLock(p, QPointF(size * 0.5, size * 0.565), size * 0.62);
    p.setClipping(false);
    p.setPen(QPen(kRust.darker(200), qMax(1.0, size / 48.0)));
    p.setBrush(Qt::NoBrush);
    p.drawPath(rounded);
    return image;
}

bool save(const QImage& image, const QString& folder, const QString& name) {
    const QString path = folder + QLatin1Char('/') + name;
    if (!image.save(path, nullptr, 92)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: gravelock-draw-pictures FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    bool ok = save(splashLogo(), folder, QStringLiteral("splash_logo.ppm"));
    for (int step = 1; step <= 4; ++step)
        ok = save(wizardPicture(step), folder, QStringLiteral("wizard%1.jpg").arg(step)) && ok;
    ok = save(aboutPicture(), folder, QStringLiteral("about.jpg")) && ok;
    ok = save(creditsPicture(), folder, QStringLiteral("credits.bmp")) && ok;
    for (const int size : {48, 256})
        ok = save(icon(size), folder, QStringLiteral("icon_%1.png").arg(size)) && ok;
    return ok ? 0 : 1;
}
