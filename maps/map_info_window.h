// The map info window `mapinfo`: what is inside one map file, with its overview
// or a floor plan drawn from its geometry. One instance, non-modal; each
// request replaces the map shown.
#pragma once

#include <QImage>
#include <QWidget>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace gravelock {

class AppContext;
struct FloorPlan;

class MapInfoWindow : public QWidget {
    Q_OBJECT
public:
    explicit MapInfoWindow(AppContext& context);

    void showMap(const QString& path);
    QString mapPath() const { return path_; }

    QLabel* picMap = nullptr;
    QLabel* lblPicture = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblFile = nullptr;
    QLabel* lblSize = nullptr;
    QLabel* lblSpawns = nullptr;
    QLabel* lblSky = nullptr;
    QLabel* lblState = nullptr;
    QLabel* lblWads = nullptr;
    QListWidget* lstWads = nullptr;
    QLabel* lblDescription = nullptr;
    QPlainTextEdit* txtDescription = nullptr;
    QPushButton* cmdClose = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showPicture(const QString& path, const std::string& overview);

    QString path_;
};

// The floor plan as seen from above, scaled to fit `size` logical pixels with a
// margin, north up, drawn with antialiasing at `pixelRatio`.
QImage drawFloorPlan(const FloorPlan& plan, QSize size, qreal pixelRatio, const QColor& background,
                     const QColor& lines);

} // namespace gravelock
