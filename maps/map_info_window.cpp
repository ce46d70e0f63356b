#include "maps/map_info_window.h"

#include "frame/caption_fit.h"
#include "frame/controls.h"
#include "maps/bsp_reader.h"
#include "maps/map_assets.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace gravelock {

namespace {

// Overview pictures of the game are a few hundred kilobytes; a larger file is
// not taken as one.
constexpr qint64 kLargestOverview = qint64{32} * 1024 * 1024;

QString germanSize(qint64 bytes) {
    return QLocale(QLocale::German).formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

} // namespace

QImage drawFloorPlan(const FloorPlan& plan, QSize size, qreal pixelRatio, const QColor& background,
                     const QColor& lines) {
    QImage image(size * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(background);
    if (plan.lines.empty())
        return image;

    const double margin = 8;
    const double width = std::max(1.0, size.width() - 2 * margin);
    const double height = std::max(1.0, size.height() - 2 * margin);
    const double spanX = double(plan.maxX) - plan.minX;
    const double spanY = double(plan.maxY) - plan.minY;
    const double scale =
        std::min(spanX > 0 ? width / spanX : HUGE_VAL, spanY > 0 ? height / spanY : HUGE_VAL);
    // Centred in the box; y turns so that north is up.
    const double left = margin + (width - spanX * scale) / 2;
    const double top = margin + (height - spanY * scale) / 2;
    const auto place = [&](std::uint16_t index) {
        const auto& p = plan.points[index];
        return QPointF(left + (double(p[0]) - plan.minX) * scale,
                       top + (double(plan.maxY) - p[1]) * scale);
    };

    // Floors and ceilings put many edges on the same spot seen from above, and
    // small rooms shrink below a pixel: each line is drawn once, to an eighth
    // of a device pixel.
    const double grid = 8 * pixelRatio;
    std::vector<std::array<std::int32_t, 4>> ends;
    ends.reserve(plan.lines.size());
    for (const auto& line : plan.lines) {
        const QPointF p = place(line[0]) * grid;
        const QPointF q = place(line[1]) * grid;
        std::array<std::int32_t, 4> e{
            std::int32_t(std::lround(p.x())), std::int32_t(std::lround(p.y())),
            std::int32_t(std::lround(q.x())), std::int32_t(std::lround(q.y()))};
        if (std::make_pair(e[2], e[3]) < std::make_pair(e[0], e[1]))
            e = {e[2], e[3], e[0], e[1]};
        if (e[0] != e[2] || e[1] != e[3])
            ends.push_back(e);
    }
    std::sort(ends.begin(), ends.end());
    ends.erase(std::unique(ends.begin(), ends.end()), ends.end());

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(lines, 1.0);
    pen.setCosmetic(true);
    painter.setPen(pen);
    QList<QLineF> batch;
    batch.reserve(4096);
    for (const auto& e : ends) {
        batch.append(QLineF(e[0] / grid, e[1] / grid, e[2] / grid, e[3] / grid));
        if (batch.size() == batch.capacity()) {
            painter.drawLines(batch);
            batch.clear();
        }
    }
    painter.drawLines(batch);
    return image;
}

MapInfoWindow::MapInfoWindow(AppContext&) {
    setWindowTitle(QStringLiteral("Karteninfo"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint);
    setClientSizeTwips(this, 9000, 5475);

    picMap = makeControl<QLabel>(this, "picMap", 120, 120, 4800, 4800);
    picMap->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    picMap->setAlignment(Qt::AlignCenter);
    lblPicture = makeLabel(this, "lblPicture", {}, 120, 4980, 4800, 255);

    lblTitle = makeLabel(this, "lblTitle", {}, 5040, 120, 3840, 495);
    QFont bold = lblTitle->font();
    bold.setBold(true);
    lblTitle->setFont(bold);
    lblTitle->setWordWrap(true);
    lblFile = makeLabel(this, "lblFile", {}, 5040, 660, 3840, 255);
    lblSize = makeLabel(this, "lblSize", {}, 5040, 930, 3840, 255);
    lblSpawns = makeLabel(this, "lblSpawns", {}, 5040, 1200, 3840, 495);
    lblSpawns->setWordWrap(true);
    lblSky = makeLabel(this, "lblSky", {}, 5040, 1710, 3840, 255);
    lblState = makeLabel(this, "lblState", {}, 5040, 1980, 3840, 495);
    lblState->setWordWrap(true);
    lblState->setStyleSheet(QStringLiteral("color: #b00000"));
    lblWads = makeLabel(this, "lblWads", QStringLiteral("Texturdateien:"), 5040, 2490, 3840, 255);
    lstWads = makeControl<QListWidget>(this, "lstWads", 5040, 2730, 3840, 855);
    lstWads->setSelectionMode(QAbstractItemView::NoSelection);
    lstWads->setFocusPolicy(Qt::NoFocus);
    lblDescription =
        makeLabel(this, "lblDescription", QStringLiteral("Beschreibung:"), 5040, 3660, 3840, 255);
    txtDescription = makeControl<QPlainTextEdit>(this, "txtDescription", 5040, 3900, 3840, 1020);
    txtDescription->setReadOnly(true);
    txtDescription->setPlaceholderText(QStringLiteral("Keine Beschreibung"));
    cmdClose = makeButton(this, "cmdClose", QStringLiteral("&Schließen"), 7680, 4980, 1200, 375);

    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    fitCaptions(this);
}

void MapInfoWindow::keyPressEvent(QKeyEvent* event) {
    // Only looked at: Escape puts it away.
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void MapInfoWindow::showMap(const QString& path) {
    path_ = path;
    const std::string file = path.toStdString();
    const QFileInfo info(path);
    const MapSummary summary = readMapSummary(file);
    const MapPlace place = placeOfMap(file);

    lblTitle->setText(summary.title.empty() ? info.fileName() : fromUtf8(summary.title));
    lblFile->setText(QStringLiteral("Datei: ") + info.fileName());
    lblSize->setText(
        QStringLiteral("Größe: %1, geändert am %2")
            .arg(germanSize(info.size()),
                 QLocale(QLocale::German)
                     .toString(info.lastModified(), QStringLiteral("dd.MM.yyyy HH:mm"))));
    const bool isMap = summary.kind == MapKind::halfLife;
    lblSpawns->setText(isMap ? QStringLiteral("Startpunkte: %1\n(Einzelspieler %2, Deathmatch %3, "
                                              "Teams %4)")
                                   .arg(summary.spawnPoints())
                                   .arg(summary.playerStarts)
                                   .arg(summary.deathmatchStarts)
                                   .arg(summary.teamStarts)
                             : QString());
    lblSky->setText(summary.skyname.empty()
                        ? QString()
                        : QStringLiteral("Himmel: ") + fromUtf8(summary.skyname));

    QStringList state;
    if (summary.kind == MapKind::unreadable)
        state << QStringLiteral("Nicht lesbar: ") + fromUtf8(summary.unreadableReason);
    else if (summary.kind == MapKind::other)
        state << QStringLiteral("Keine Half-Life-Karte");
    for (const MapDamage damage : summary.damage)
        state << QStringLiteral("Beschädigt: ") + fromUtf8(describeDamage(damage));
    lblState->setText(state.join(QLatin1Char('\n')));

    lstWads->clear();
    for (const WadFile& wad : lookUpWads(summary.wads, place)) {
        lstWads->addItem(fromUtf8(wad.name) + (wad.found ? QString() : QStringLiteral(" (fehlt)")));
        if (!wad.found)
            lstWads->item(lstWads->count() - 1)->setForeground(QColor(0xb0, 0, 0));
    }
    if (lstWads->count() == 0 && isMap)
        lstWads->addItem(QStringLiteral("keine (alle Texturen in der Karte)"));

    const auto description = readDescription(place);
    txtDescription->setPlainText(description ? fromUtf8(*description) : QString());

    const auto overview = findOverview(place);
    showPicture(path, overview ? *overview : std::string());
}

void MapInfoWindow::showPicture(const QString& path, const std::string& overview) {
    const QSize box = picMap->contentsRect().size();
    const qreal ratio = picMap->devicePixelRatioF();
    if (!overview.empty() && QFileInfo(fromUtf8(overview)).size() <= kLargestOverview) {
        QImageReader reader(fromUtf8(overview));
        QImage picture = reader.read();
        if (!picture.isNull()) {
            picture = picture.scaled(box * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
            picture.setDevicePixelRatio(ratio);
            picMap->setPixmap(QPixmap::fromImage(picture));
            lblPicture->setText(QStringLiteral("Übersichtsbild des Spiels"));
            return;
        }
    }
    std::error_code error;
    const auto source = FileSource::open(path.toStdString(), error);
    const FloorPlan plan = source ? readFloorPlan(*source) : FloorPlan{};
    if (plan.lines.empty()) {
        picMap->setPixmap({});
        picMap->setText(QStringLiteral("Kein Bild"));
        lblPicture->setText({});
        return;
    }
    const QPalette colours = palette();
    QColor ink = colours.color(QPalette::Text);
    ink.setAlpha(150);
    picMap->setPixmap(
        QPixmap::fromImage(drawFloorPlan(plan, box, ratio, colours.color(QPalette::Base), ink)));
    lblPicture->setText(QStringLiteral("Grundriss aus der Kartengeometrie"));
}

} // namespace gravelock
