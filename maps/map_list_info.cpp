#include "maps/map_list_info.h"

#include "app/window_id.h"
#include "frame/app_context.h"
#include "frame/controls.h"
#include "frame/file_list_box.h"
#include "maps/map_assets.h"
#include "maps/map_info_window.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

namespace gravelock {

namespace {

// A map cycle names its maps without ".bsp".
QString mapFile(const QString& path) {
    return !QFileInfo::exists(path) && QFileInfo::exists(path + QStringLiteral(".bsp"))
               ? path + QStringLiteral(".bsp")
               : path;
}

} // namespace

QString mapToolTipOf(const QString& listed) {
    const QString path = mapFile(listed);
    const std::string file = path.toStdString();
    const MapSummary summary = readMapSummary(file);
    const auto wads = lookUpWads(summary.wads, placeOfMap(file));
    return fromUtf8(mapToolTip(QFileInfo(path).fileName().toStdString(), summary, wads));
}

QAction* showMapInfoOn(FileListBox* list, AppContext& context) {
    list->setToolTipSource(mapToolTipOf);

    auto* info = new QAction(QStringLiteral("&Karteninfo ..."), list);
    info->setObjectName(QStringLiteral("itmMapInfo"));
    QObject::connect(info, &QAction::triggered, list, [list, &context] {
        const QString name = list->selectedFileName();
        if (name.isEmpty())
            return;
        if (auto* window = qobject_cast<MapInfoWindow*>(context.windows().show(WindowId::mapinfo)))
            window->showMap(mapFile(list->filePath(name)));
    });

    // A right click selects the row under it first, so the item acts on what
    // the player pointed at; off the rows it is offered greyed.
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(list, &QWidget::customContextMenuRequested, list, [list, info](QPoint at) {
        const QModelIndex row = list->indexAt(at);
        if (row.isValid())
            list->setCurrentIndex(row);
        info->setEnabled(!list->selectedFileName().isEmpty());
        QMenu menu(list);
        menu.addAction(info);
        menu.exec(list->viewport()->mapToGlobal(at));
        info->setEnabled(true);
    });
    return info;
}

} // namespace gravelock
