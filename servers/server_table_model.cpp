#include "servers/server_table_model.h"

#include <QApplication>
#include <QDateTime>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>
#include <algorithm>

namespace gravelock::servers {

namespace {

QString text(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

const char* const kHeaders[kColumnCount] = {"",     "Name",  "Karte",   "Spieler",
                                            "Ping", "Spiel", "Adresse", "Gespielt"};

} // namespace

QIcon makeLockIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal u = size / 16.0;
        p.setPen(QPen(QColor(90, 90, 90), 1.6 * u));
        p.setBrush(Qt::NoBrush);
        QPainterPath shackle;
        shackle.moveTo(5 * u, 8 * u);
        shackle.lineTo(5 * u, 5.5 * u);
        shackle.arcTo(QRectF(5 * u, 2 * u, 6 * u, 7 * u), 180, -180);
        shackle.lineTo(11 * u, 8 * u);
        p.drawPath(shackle);
        p.setPen(QPen(QColor(120, 90, 20), 1 * u));
        p.setBrush(QColor(222, 176, 48));
        p.drawRoundedRect(QRectF(3 * u, 7.5 * u, 10 * u, 7.5 * u), 1.2 * u, 1.2 * u);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(90, 60, 10));
        p.drawEllipse(QPointF(8 * u, 10.6 * u), 1.2 * u, 1.2 * u);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

ServerTableModel::ServerTableModel(QObject* parent)
    : QAbstractTableModel(parent), lock_(makeLockIcon()) {}

int ServerTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(order_.size());
}

int ServerTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant ServerTableModel::data(const QModelIndex& index, int role) const {
    const ServerRow* row = shownRow(index.row());
    if (!row || !index.isValid())
        return {};
    const ServerInfo& info = row->info;
    const auto column = static_cast<Column>(index.column());
    const bool answered = row->state == RowState::Answered;
    switch (role) {
    case Qt::DisplayRole:
        switch (column) {
        case Column::Lock:
            return {};
        case Column::Name:
            return text(info.name.empty() ? info.address : info.name);
        case Column::Map:
            return row->state == RowState::NoAnswer ? QStringLiteral("keine Antwort")
                                                    : text(info.map);
        case Column::Players:
            return answered ? text(playersText(info)) : QString();
        case Column::Ping:
            return text(pingText(*row));
        case Column::Game:
            return text(gameText(info));
        case Column::Address:
            return text(info.address);
        case Column::Played:
            return row->playedAt > 0 ? QDateTime::fromSecsSinceEpoch(row->playedAt)
                                           .toLocalTime()
                                           .toString(QStringLiteral("dd.MM.yyyy HH:mm"))
                                     : QString();
        }
        return {};
    case Qt::DecorationRole:
        return column == Column::Lock && info.password ? QVariant(lock_) : QVariant();
    case Qt::AccessibleTextRole:
        if (column == Column::Lock)
            return info.password ? QStringLiteral("Mit Passwort") : QStringLiteral("Ohne Passwort");
        return data(index, Qt::DisplayRole);
    case Qt::ForegroundRole:
        if (!answered)
            return QApplication::palette().brush(QPalette::Disabled, QPalette::Text);
        return {};
    case Qt::TextAlignmentRole:
        if (column == Column::Players || column == Column::Ping)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

QVariant ServerTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    const bool lock = section == static_cast<int>(Column::Lock);
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromUtf8(kHeaders[section]);
    case Qt::DecorationRole:
        return lock ? QVariant(lock_) : QVariant();
    case Qt::ToolTipRole:
    case Qt::AccessibleTextRole:
        return lock ? QStringLiteral("Passwort") : QString::fromUtf8(kHeaders[section]);
    default:
        return {};
    }
}

bool ServerTableModel::before(int a, int b) const {
    const ServerRow& ra = rows_[static_cast<std::size_t>(a)];
    const ServerRow& rb = rows_[static_cast<std::size_t>(b)];
    return descending_ ? comesBefore(rb, ra, column_) : comesBefore(ra, rb, column_);
}

void ServerTableModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= kColumnCount)
        return;
    column_ = static_cast<Column>(column);
    descending_ = order == Qt::DescendingOrder;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // Selections and the current row follow their server to its new place.
    const QModelIndexList before = persistentIndexList();
    std::vector<int> rowsBefore;
    rowsBefore.reserve(static_cast<std::size_t>(before.size()));
    for (const QModelIndex& index : before)
        rowsBefore.push_back(order_.at(static_cast<std::size_t>(index.row())));
    order_ = arrange(rows_, filter_, column_, descending_);
    std::vector<int> placeOf(rows_.size(), -1);
    for (std::size_t i = 0; i < order_.size(); ++i)
        placeOf[static_cast<std::size_t>(order_[i])] = static_cast<int>(i);
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i)
        after.append(
            index(placeOf[static_cast<std::size_t>(rowsBefore[static_cast<std::size_t>(i)])],
                  before[i].column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ServerTableModel::setRows(std::vector<ServerRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    byAddress_.clear();
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].folded.empty())
            foldRow(rows_[i]);
        byAddress_.emplace(rows_[i].info.address, static_cast<int>(i));
    }
    order_ = arrange(rows_, filter_, column_, descending_);
    endResetModel();
}

void ServerTableModel::setFilter(const ServerFilter& filter) {
    filter_ = filter;
    foldedText_ = foldCase(filter.text);
    beginResetModel();
    order_ = arrange(rows_, filter_, column_, descending_);
    endResetModel();
}

void ServerTableModel::answer(const ServerInfo& info) {
    const auto known = byAddress_.find(info.address);
    if (known == byAddress_.end()) {
        ServerRow row;
        row.info = info;
        foldRow(row);
        rows_.push_back(std::move(row));
        const int index = static_cast<int>(rows_.size() - 1);
        byAddress_.emplace(info.address, index);
        place(index);
        return;
    }
    ServerRow& row = rows_[static_cast<std::size_t>(known->second)];
    row.info = info;
    row.state = RowState::Answered;
    foldRow(row);
    place(known->second);
}

void ServerTableModel::noAnswer(const std::string& address) {
    const auto known = byAddress_.find(address);
    if (known == byAddress_.end())
        return;
    rows_[static_cast<std::size_t>(known->second)].state = RowState::NoAnswer;
    place(known->second);
}

void ServerTableModel::place(int index) {
    const auto shownAt = std::find(order_.begin(), order_.end(), index);
    const bool shown = shownAt != order_.end();
    const bool passing = passes(rows_[static_cast<std::size_t>(index)], filter_, foldedText_);
    if (!passing) {
        if (shown) {
            const int at = static_cast<int>(shownAt - order_.begin());
            beginRemoveRows({}, at, at);
            order_.erase(shownAt);
            endRemoveRows();
        }
        return;
    }
    if (!shown) {
        const auto at = std::upper_bound(order_.begin(), order_.end(), index,
                                         [this](int a, int b) { return before(a, b); });
        const int row = static_cast<int>(at - order_.begin());
        beginInsertRows({}, row, row);
        order_.insert(at, index);
        endInsertRows();
        return;
    }
    // Shown already: move it where the order now wants it, keeping selections.
    const int from = static_cast<int>(shownAt - order_.begin());
    order_.erase(shownAt);
    const auto at = std::upper_bound(order_.begin(), order_.end(), index,
                                     [this](int a, int b) { return before(a, b); });
    const int to = static_cast<int>(at - order_.begin());
    order_.insert(order_.begin() + from, index);
    if (to != from) {
        beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
        order_.erase(order_.begin() + from);
        order_.insert(order_.begin() + to, index);
        endMoveRows();
    }
    emit dataChanged(this->index(to, 0), this->index(to, kColumnCount - 1));
}

const ServerRow* ServerTableModel::shownRow(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= order_.size())
        return nullptr;
    return &rows_[static_cast<std::size_t>(order_[static_cast<std::size_t>(row)])];
}

int ServerTableModel::shownIndexOf(const std::string& address) const {
    const auto known = byAddress_.find(address);
    if (known == byAddress_.end())
        return -1;
    const auto at = std::find(order_.begin(), order_.end(), known->second);
    return at == order_.end() ? -1 : static_cast<int>(at - order_.begin());
}

const ServerRow* ServerTableModel::find(const std::string& address) const {
    const auto known = byAddress_.find(address);
    return known == byAddress_.end() ? nullptr : &rows_[static_cast<std::size_t>(known->second)];
}

} // namespace gravelock::servers
