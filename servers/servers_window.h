// The server list `servers`: the servers of the internet, of the LAN, the
// player's favourites and the servers joined before, with filters, the
// players and rules of the selected server, and a join in one click.
#pragma once

#include "servers/server_book.h"
#include "servers/server_list.h"

#include <QMainWindow>
#include <QString>
#include <array>
#include <optional>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableView;
class QTreeWidget;
class QWidget;

namespace gravelock {

class AppContext;

namespace servers {

class QueryEngine;
class ServerTableModel;
struct ServerDetails;
struct ServerInfo;

// The small questions the list asks, behind an interface so tests script them.
class ServerPrompts {
public:
    virtual ~ServerPrompts() = default;
    // The password for a server that has one; nullopt when the player cancels.
    virtual std::optional<QString> askPassword(QWidget* parent, const QString& serverName) = 0;
    // An address typed for the favourites; nullopt when the player cancels.
    virtual std::optional<QString> askAddress(QWidget* parent) = 0;
};

class QtServerPrompts final : public ServerPrompts {
public:
    std::optional<QString> askPassword(QWidget* parent, const QString& serverName) override;
    std::optional<QString> askAddress(QWidget* parent) override;
};

// What the list needs besides the context.
struct ServerListServices {
    ServerPrompts& prompts;
    // The per-user folder that holds the player's Web API key.
    std::string keyFolder;
    // Waits of the engines in milliseconds; 0 keeps theirs. Tests shorten them.
    int answerTimeoutMs = 0;
    int lanWindowMs = 0;
};

enum class Source { Internet, Lan, Favourites, History };
inline constexpr int kSourceCount = 4;

class ServersWindow : public QMainWindow {
    Q_OBJECT
public:
    ServersWindow(AppContext& context, const ServerListServices& services);
    ~ServersWindow() override;

    QComboBox* cmbGame = nullptr;
    QCheckBox* chkNotEmpty = nullptr;
    QCheckBox* chkNotFull = nullptr;
    QCheckBox* chkNoPassword = nullptr;
    QLineEdit* txtFilter = nullptr;
    QTabWidget* tabSources = nullptr;
    // One table per tab, in the order of Source.
    std::array<QTableView*, kSourceCount> grdServers{};
    QWidget* fraKey = nullptr;
    QLabel* lblKey = nullptr;
    QLineEdit* txtKey = nullptr;
    QPushButton* cmdSaveKey = nullptr;
    QPushButton* cmdChangeKey = nullptr;
    QLabel* lblStatus = nullptr;
    QProgressBar* prgRefresh = nullptr;
    QPushButton* cmdCancel = nullptr;
    QLabel* lblDetails = nullptr;
    QTreeWidget* lstPlayers = nullptr;
    QTreeWidget* lstRules = nullptr;
    QPushButton* cmdRefresh = nullptr;
    QPushButton* cmdJoin = nullptr;
    QPushButton* cmdFavourite = nullptr;
    QPushButton* cmdAdd = nullptr;

    QMenu* mnuFile = nullptr;
    QAction* mnuFileitmORVO = nullptr;

    ServerTableModel& model(Source source) const;
    Source currentSource() const;
    // The selected server of the current tab; nullptr when none.
    const ServerRow* selectedRow() const;
    // Shows players and rules, as an answer for the selected server does.
    void showDetails(const QString& address, const ServerDetails& details);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Tab;

    void buildControls();
    void buildKeyArea(QWidget* page);
    void load();

    void refresh();
    void refresh(Source source);
    void cancel();
    void join();
    void toggleFavourite();
    void addFavouriteByAddress();
    void saveKey();
    void showKeyState();
    void applyFilter();
    void tabShown(int index);
    void selectionChanged();
    void updateStatus();
    void updateButtons();
    void copyColumnWidths(int section, int width);
    void connectEngine(Source source);

    // The book's favourites or history as rows, keeping what is already known.
    std::vector<ServerRow> ownRows(Source source) const;
    bool changeBook(const std::function<void(ServerBook&)>& change, const QString& what);
    std::string bookFile() const;

    AppContext& context_;
    ServerListServices services_;
    ServerBook book_;
    std::array<std::unique_ptr<Tab>, kSourceCount> tabs_;
    QueryEngine* details_ = nullptr;
    QString detailsFor_;
    bool syncingWidths_ = false;
};

} // namespace servers
} // namespace gravelock
