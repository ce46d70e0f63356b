// The rows of one tab of the server list: every server known to it, and the
// ones the filter lets through in the chosen order. Answers go in one by one
// at their sorted place, so rows appear while a refresh runs.
#pragma once

#include "servers/server_list.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <string>
#include <unordered_map>
#include <vector>

namespace gravelock::servers {

class ServerTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ServerTableModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

    // Replaces every row, e.g. with the player's own servers before they answer.
    void setRows(std::vector<ServerRow> rows);
    void clear() { setRows({}); }
    // A server's answer: a new row, or the known row brought up to date.
    void answer(const ServerInfo& info);
    // Known rows are kept and marked; the lists of the internet and the LAN
    // show no server that did not answer.
    void noAnswer(const std::string& address);
    void setFilter(const ServerFilter& filter);

    // The shown row's data; nullptr when there is none.
    const ServerRow* shownRow(int row) const;
    // Where the server is shown; -1 when hidden or unknown.
    int shownIndexOf(const std::string& address) const;
    const ServerRow* find(const std::string& address) const;
    std::size_t knownCount() const { return rows_.size(); }
    std::size_t shownCount() const { return order_.size(); }

private:
    bool before(int a, int b) const;
    // Puts a known row where the filter and order want it now.
    void place(int index);

    std::vector<ServerRow> rows_;
    std::unordered_map<std::string, int> byAddress_;
    std::vector<int> order_; // shown rows, indices into rows_
    ServerFilter filter_;
    std::string foldedText_;
    Column column_ = Column::Name;
    bool descending_ = false;
    QIcon lock_;
};

// A padlock drawn here at every scale, for the password column.
QIcon makeLockIcon();

} // namespace gravelock::servers
