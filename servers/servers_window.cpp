#include "servers/servers_window.h"

#include "core/setting_keys.h"
#include "frame/app_context.h"
#include "frame/controls.h"
#include "frame/menu_window.h"
#include "frame/window_registry.h"
#include "servers/api_key.h"
#include "servers/join_command.h"
#include "servers/query_engine.h"
#include "servers/server_table_model.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace gravelock::servers {

namespace {

QString text(const std::string& utf8) {
    return fromUtf8(utf8);
}

std::string utf8(const QString& text) {
    return text.toStdString();
}

// Default widths of the columns, at 100 %: lock, name, map, players, ping, game,
// address, played.
constexpr std::array<int, kColumnCount> kColumnWidths = {28, 240, 100, 90, 50, 150, 140, 120};

QLabel* plainLabel(QWidget* parent, const char* name, const QString& caption) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

template <class Control> Control* named(Control* control, const char* name) {
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

} // namespace

// One source's table and the state of its refresh.
struct ServersWindow::Tab {
    ServerTableModel* model = nullptr;
    QueryEngine* engine = nullptr;
    bool everRefreshed = false;
    bool running = false;
    bool cancelled = false;
    int total = 0; // servers asked; 0 while the list is still coming
    int answered = 0;
    int done = 0; // answered or given up
    QString failure;
};

std::optional<QString> QtServerPrompts::askPassword(QWidget* parent, const QString& serverName) {
    bool ok = false;
    QInputDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Passwort"));
    dialog.setLabelText(QStringLiteral("Der Server „%1“ verlangt ein Passwort:").arg(serverName));
    dialog.setTextEchoMode(QLineEdit::Password);
    ok = dialog.exec() == QDialog::Accepted;
    return ok ? std::optional<QString>(dialog.textValue()) : std::nullopt;
}

std::optional<QString> QtServerPrompts::askAddress(QWidget* parent) {
    bool ok = false;
    const QString address =
        QInputDialog::getText(parent, QStringLiteral("Server hinzufügen"),
                              QStringLiteral("Adresse des Servers (a.b.c.d oder a.b.c.d:Port):"),
                              QLineEdit::Normal, {}, &ok);
    return ok ? std::optional<QString>(address) : std::nullopt;
}

ServersWindow::ServersWindow(AppContext& context, const ServerListServices& services)
    : context_(context), services_(services) {
    setWindowTitle(QStringLiteral("Gravelock Serverliste"));
    for (auto& tab : tabs_) {
        tab = std::make_unique<Tab>();
        tab->model = new ServerTableModel(this);
        tab->engine = new QueryEngine(this);
        tab->engine->setKeyFolder(services_.keyFolder);
    }
    details_ = new QueryEngine(this);
    for (QueryEngine* engine :
         {tabs_[0]->engine, tabs_[1]->engine, tabs_[2]->engine, tabs_[3]->engine, details_}) {
        if (services_.answerTimeoutMs > 0)
            engine->setTimeout(services_.answerTimeoutMs);
        if (services_.lanWindowMs > 0)
            engine->setLanWindow(services_.lanWindowMs);
    }
    for (int i = 0; i < kSourceCount; ++i)
        connectEngine(static_cast<Source>(i));
    connect(details_, &QueryEngine::detailsAnswered, this, &ServersWindow::showDetails);
    connect(details_, &QueryEngine::noAnswer, this, [this](const QString& address) {
        if (address == detailsFor_)
            lblDetails->setText(QStringLiteral("%1: keine Antwort").arg(address));
    });
    buildControls();
    load();
}

ServersWindow::~ServersWindow() = default;

void ServersWindow::buildControls() {
    auto* client = new QWidget(this);
    setCentralWidget(client);
    auto* layout = new QVBoxLayout(client);

    // Filters, shared by every tab.
    auto* filters = new QHBoxLayout;
    auto* gameLabel = plainLabel(client, "lblGame", QStringLiteral("&Spiel:"));
    cmbGame = named(new QComboBox(client), "cmbGame");
    cmbGame->addItems({QStringLiteral("Alle"), QStringLiteral("Half-Life"),
                       QStringLiteral("Team Fortress Classic")});
    gameLabel->setBuddy(cmbGame);
    chkNotEmpty = named(new QCheckBox(QStringLiteral("&Nicht leer"), client), "chkNotEmpty");
    chkNotFull = named(new QCheckBox(QStringLiteral("Nicht v&oll"), client), "chkNotFull");
    chkNoPassword = named(new QCheckBox(QStringLiteral("Ohne &Passwort"), client), "chkNoPassword");
    auto* filterLabel = plainLabel(client, "lblFilter", QStringLiteral("Na&me oder Karte:"));
    txtFilter = named(new QLineEdit(client), "txtFilter");
    txtFilter->setClearButtonEnabled(true);
    filterLabel->setBuddy(txtFilter);
    for (QWidget* w : std::initializer_list<QWidget*>{gameLabel, cmbGame, chkNotEmpty, chkNotFull,
                                                      chkNoPassword, filterLabel})
        filters->addWidget(w);
    filters->addWidget(txtFilter, 1);
    layout->addLayout(filters);

    auto* splitter = named(new QSplitter(Qt::Vertical, client), "splDetails");
    tabSources = named(new QTabWidget(splitter), "tabSources");
    const std::array<QString, kSourceCount> captions = {
        QStringLiteral("&Internet"), QStringLiteral("&LAN"), QStringLiteral("Favori&ten"),
        QStringLiteral("Verla&uf")};
    const std::array<const char*, kSourceCount> names = {"grdInternet", "grdLan", "grdFavourites",
                                                         "grdHistory"};
    for (int i = 0; i < kSourceCount; ++i) {
        auto* page = new QWidget;
        auto* pageLayout = new QVBoxLayout(page);
        pageLayout->setContentsMargins(4, 4, 4, 4);
        if (static_cast<Source>(i) == Source::Internet)
            buildKeyArea(page);
        auto* view = named(new QTableView(page), names.at(static_cast<std::size_t>(i)));
        view->setModel(tabs_.at(static_cast<std::size_t>(i))->model);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setSortingEnabled(true);
        view->sortByColumn(static_cast<int>(Column::Name), Qt::AscendingOrder);
        view->setAlternatingRowColors(true);
        view->setWordWrap(false);
        view->setTabKeyNavigation(false); // Tab leaves the table for the next control
        view->verticalHeader()->hide();
        view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
        view->horizontalHeader()->setHighlightSections(false);
        view->horizontalHeader()->setStretchLastSection(true);
        for (int c = 0; c < kColumnCount; ++c)
            view->setColumnWidth(c, kColumnWidths.at(static_cast<std::size_t>(c)));
        view->setColumnHidden(static_cast<int>(Column::Played),
                              static_cast<Source>(i) != Source::History);
        if (static_cast<Source>(i) == Source::History) {
            // The address stays last everywhere: the last column takes the spare width.
            view->horizontalHeader()->moveSection(static_cast<int>(Column::Played),
                                                  static_cast<int>(Column::Address));
            view->sortByColumn(static_cast<int>(Column::Played), Qt::DescendingOrder);
        }
        view->setAccessibleName(
            QString(captions.at(static_cast<std::size_t>(i))).remove(QLatin1Char('&')));
        connect(view, &QTableView::activated, this, &ServersWindow::join);
        connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                &ServersWindow::selectionChanged);
        // A reset drops the selection without telling the selection's listeners.
        connect(view->model(), &QAbstractItemModel::modelReset, this,
                &ServersWindow::selectionChanged);
        connect(view->horizontalHeader(), &QHeaderView::sectionResized, this,
                [this](int section, int, int width) { copyColumnWidths(section, width); });
        pageLayout->addWidget(view);
        grdServers.at(static_cast<std::size_t>(i)) = view;
        tabSources->addTab(page, captions.at(static_cast<std::size_t>(i)));
    }
    connect(tabSources, &QTabWidget::currentChanged, this, &ServersWindow::tabShown);

    // The selected server's players and rules.
    auto* details = new QWidget(splitter);
    auto* detailsLayout = new QVBoxLayout(details);
    detailsLayout->setContentsMargins(0, 0, 0, 0);
    lblDetails = plainLabel(details, "lblDetails", QStringLiteral("Kein Server ausgewählt"));
    detailsLayout->addWidget(lblDetails);
    auto* lists = new QHBoxLayout;
    const auto makeList = [&](const char* name, const QString& caption,
                              const QStringList& headers) {
        auto* column = new QVBoxLayout;
        auto* label = plainLabel(details, "", caption);
        auto* list = named(new QTreeWidget(details), name);
        list->setRootIsDecorated(false);
        list->setHeaderLabels(headers);
        list->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
        label->setBuddy(list);
        column->addWidget(label);
        column->addWidget(list);
        lists->addLayout(column, 1);
        return list;
    };
    lstPlayers =
        makeList("lstPlayers", QStringLiteral("Spiele&r"),
                 {QStringLiteral("Name"), QStringLiteral("Punkte"), QStringLiteral("Zeit")});
    lstPlayers->setColumnWidth(0, 200);
    lstRules = makeList("lstRules", QStringLiteral("Re&geln"),
                        {QStringLiteral("Name"), QStringLiteral("Wert")});
    lstRules->setColumnWidth(0, 180);
    detailsLayout->addLayout(lists);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter, 1);

    // Progress of the refresh.
    auto* status = new QHBoxLayout;
    lblStatus = plainLabel(client, "lblStatus", {});
    prgRefresh = named(new QProgressBar(client), "prgRefresh");
    prgRefresh->setTextVisible(false);
    prgRefresh->setMaximumWidth(200);
    cmdCancel = named(new QPushButton(QStringLiteral("&Abbrechen"), client), "cmdCancel");
    status->addWidget(lblStatus, 1);
    status->addWidget(prgRefresh);
    status->addWidget(cmdCancel);
    layout->addLayout(status);

    auto* buttons = new QHBoxLayout;
    cmdRefresh = named(new QPushButton(QStringLiteral("&Aktualisieren"), client), "cmdRefresh");
    cmdJoin = named(new QPushButton(QStringLiteral("&Verbinden"), client), "cmdJoin");
    cmdJoin->setDefault(true);
    cmdFavourite = named(new QPushButton(QStringLiteral("Zu &Favoriten"), client), "cmdFavourite");
    cmdAdd = named(new QPushButton(QStringLiteral("&Hinzufügen ..."), client), "cmdAdd");
    buttons->addWidget(cmdRefresh);
    buttons->addStretch(1);
    buttons->addWidget(cmdFavourite);
    buttons->addWidget(cmdAdd);
    buttons->addWidget(cmdJoin);
    layout->addLayout(buttons);

    connect(cmdRefresh, &QPushButton::clicked, this, qOverload<>(&ServersWindow::refresh));
    connect(cmdCancel, &QPushButton::clicked, this, &ServersWindow::cancel);
    connect(cmdJoin, &QPushButton::clicked, this, &ServersWindow::join);
    connect(cmdFavourite, &QPushButton::clicked, this, &ServersWindow::toggleFavourite);
    connect(cmdAdd, &QPushButton::clicked, this, &ServersWindow::addFavouriteByAddress);
    connect(cmbGame, &QComboBox::currentIndexChanged, this, &ServersWindow::applyFilter);
    for (QCheckBox* box : {chkNotEmpty, chkNotFull, chkNoPassword})
        connect(box, &QCheckBox::toggled, this, &ServersWindow::applyFilter);
    connect(txtFilter, &QLineEdit::textChanged, this, &ServersWindow::applyFilter);

    mnuFile = addMenu(this, "mnuFile", QStringLiteral("&Datei"));
    mnuFileitmORVO = addMenuItem(mnuFile, "mnuFileitmORVO", QStringLiteral("&Gravelock"));
    connect(mnuFileitmORVO, &QAction::triggered, this,
            [this] { context_.returnToMainWindow(this); });

    // Tab order follows the reading order: filters, tabs, table, details, buttons.
    QWidget* previous = cmbGame;
    for (QWidget* next : std::initializer_list<QWidget*>{
             chkNotEmpty, chkNotFull, chkNoPassword, txtFilter, tabSources, txtKey, cmdSaveKey,
             cmdChangeKey, grdServers[0], grdServers[1], grdServers[2], grdServers[3], lstPlayers,
             lstRules, cmdCancel, cmdRefresh, cmdFavourite, cmdAdd, cmdJoin}) {
        setTabOrder(previous, next);
        previous = next;
    }
}

void ServersWindow::buildKeyArea(QWidget* page) {
    fraKey = named(new QWidget(page), "fraKey");
    auto* keyLayout = new QGridLayout(fraKey);
    keyLayout->setContentsMargins(0, 0, 0, 4);
    lblKey = plainLabel(fraKey, "lblKey", {});
    lblKey->setWordWrap(true);
    auto* keyLabel = plainLabel(fraKey, "lblKeyField", QStringLiteral("Web-API-&Key:"));
    txtKey = named(new QLineEdit(fraKey), "txtKey");
    txtKey->setEchoMode(QLineEdit::Password);
    txtKey->setMaxLength(64);
    keyLabel->setBuddy(txtKey);
    cmdSaveKey = named(new QPushButton(QStringLiteral("Spei&chern"), fraKey), "cmdSaveKey");
    cmdChangeKey =
        named(new QPushButton(QStringLiteral("Schlüssel &wechseln"), fraKey), "cmdChangeKey");
    keyLayout->addWidget(lblKey, 0, 0, 1, 4);
    keyLayout->addWidget(keyLabel, 1, 0);
    keyLayout->addWidget(txtKey, 1, 1);
    keyLayout->addWidget(cmdSaveKey, 1, 2);
    keyLayout->addWidget(cmdChangeKey, 1, 3);
    keyLayout->setColumnStretch(1, 1);
    page->layout()->addWidget(fraKey);
    connect(cmdSaveKey, &QPushButton::clicked, this, &ServersWindow::saveKey);
    connect(txtKey, &QLineEdit::returnPressed, this, &ServersWindow::saveKey);
    connect(cmdChangeKey, &QPushButton::clicked, this, [this] {
        txtKey->setVisible(true);
        cmdSaveKey->setVisible(true);
        cmdChangeKey->setVisible(false);
        txtKey->setFocus();
    });
}

void ServersWindow::load() {
    const BookRead read = loadBook(bookFile());
    book_ = read.book;
    if (!read.problem.empty())
        context_.message(this, text(read.problem), {}, MsgButtons::Ok, MsgIcon::Exclamation);

    resize(book_.layout.width > 0 ? QSize(book_.layout.width, book_.layout.height)
                                  : QSize(1040, 680));
    for (std::size_t c = 0; c < book_.layout.columns.size() && c < kColumnWidths.size(); ++c)
        if (book_.layout.columns[c] > 0)
            copyColumnWidths(static_cast<int>(c), book_.layout.columns[c]);

    {
        const QSignalBlocker block(cmbGame);
        cmbGame->setCurrentIndex(
            static_cast<int>(defaultGameChoice(context_.settings().read(setting::tfc))));
    }
    model(Source::Favourites).setRows(ownRows(Source::Favourites));
    model(Source::History).setRows(ownRows(Source::History));
    applyFilter();
    showKeyState();
    updateStatus();
    updateButtons();
}

ServerTableModel& ServersWindow::model(Source source) const {
    return *tabs_.at(static_cast<std::size_t>(source))->model;
}

Source ServersWindow::currentSource() const {
    return static_cast<Source>(std::max(0, tabSources->currentIndex()));
}

const ServerRow* ServersWindow::selectedRow() const {
    const QTableView* view = grdServers.at(static_cast<std::size_t>(currentSource()));
    const QModelIndexList rows = view->selectionModel()->selectedRows();
    return rows.isEmpty() ? nullptr : model(currentSource()).shownRow(rows.first().row());
}

std::string ServersWindow::bookFile() const {
    return bookPathBeside(context_.settings().file());
}

std::vector<ServerRow> ServersWindow::ownRows(Source source) const {
    const bool history = source == Source::History;
    const ServerTableModel& known = model(source);
    std::vector<ServerRow> rows;
    for (const BookEntry& entry : history ? book_.history : book_.favourites) {
        ServerRow row;
        if (const ServerRow* before = known.find(entry.address)) {
            row = *before;
        } else {
            row.info.address = entry.address;
            row.info.name = entry.name;
            row.info.game = entry.game;
            row.state = RowState::Waiting;
        }
        row.playedAt = entry.time;
        foldRow(row);
        rows.push_back(std::move(row));
    }
    return rows;
}

void ServersWindow::connectEngine(Source source) {
    Tab& tab = *tabs_.at(static_cast<std::size_t>(source));
    QueryEngine* engine = tab.engine;
    connect(engine, &QueryEngine::listed, this, [this, &tab](int total) {
        tab.total = total;
        updateStatus();
    });
    connect(engine, &QueryEngine::answered, this, [this, &tab](const ServerInfo& info) {
        tab.model->answer(info);
        ++tab.answered;
        ++tab.done;
        updateStatus();
    });
    connect(engine, &QueryEngine::noAnswer, this, [this, &tab](const QString& address) {
        tab.model->noAnswer(utf8(address));
        ++tab.done;
        updateStatus();
    });
    connect(engine, &QueryEngine::failed, this, [this, &tab](const QString& reason) {
        tab.failure = reason;
        updateStatus();
    });
    connect(engine, &QueryEngine::finished, this, [this, &tab] {
        tab.running = false;
        updateStatus();
        updateButtons();
    });
}

void ServersWindow::refresh() {
    refresh(currentSource());
}

void ServersWindow::refresh(Source source) {
    Tab& tab = *tabs_.at(static_cast<std::size_t>(source));
    tab.engine->cancel();
    tab.everRefreshed = true;
    tab.running = true;
    tab.cancelled = false;
    tab.failure.clear();
    tab.total = 0;
    tab.answered = 0;
    tab.done = 0;
    updateButtons();
    switch (source) {
    case Source::Internet:
        tab.model->clear();
        updateStatus();
        tab.engine->listInternet(listFolder(static_cast<GameChoice>(cmbGame->currentIndex())));
        break;
    case Source::Lan:
        tab.model->clear();
        updateStatus();
        tab.engine->scanLan();
        break;
    case Source::Favourites:
    case Source::History: {
        std::vector<ServerRow> rows = ownRows(source);
        std::vector<std::string> addresses;
        for (ServerRow& row : rows) {
            row.state = RowState::Waiting;
            addresses.push_back(row.info.address);
        }
        tab.model->setRows(std::move(rows));
        tab.total = static_cast<int>(addresses.size());
        updateStatus();
        if (addresses.empty()) {
            tab.running = false;
            updateButtons();
            updateStatus();
            return;
        }
        tab.engine->queryInfo(addresses);
        break;
    }
    }
}

void ServersWindow::cancel() {
    Tab& tab = *tabs_.at(static_cast<std::size_t>(currentSource()));
    if (!tab.running)
        return;
    tab.engine->cancel();
    tab.running = false;
    tab.cancelled = true;
    updateStatus();
    updateButtons();
}

void ServersWindow::updateStatus() {
    const Source source = currentSource();
    const Tab& tab = *tabs_.at(static_cast<std::size_t>(source));
    QString status;
    if (!tab.failure.isEmpty()) {
        status = tab.failure;
    } else if (!tab.everRefreshed) {
        status = source == Source::Internet || source == Source::Lan
                     ? QStringLiteral("„Aktualisieren“ sucht die Server.")
                     : QString();
    } else if (source == Source::Lan) {
        status =
            tab.running
                ? QStringLiteral("Suche im LAN ... %1 Server gefunden")
                      .arg(text(germanCount(tab.answered)))
                : QStringLiteral("%1 Server im LAN gefunden").arg(text(germanCount(tab.answered)));
    } else if (tab.running && tab.total == 0 && source == Source::Internet) {
        status = QStringLiteral("Die Serverliste wird geholt ...");
    } else if (!tab.running && tab.model->knownCount() == 0 && source == Source::Favourites) {
        status = QStringLiteral("Noch keine Favoriten: „Zu Favoriten“ oder „Hinzufügen ...“ "
                                "nimmt einen Server auf.");
    } else if (!tab.running && tab.model->knownCount() == 0 && source == Source::History) {
        status = QStringLiteral("Noch auf keinem Server gespielt.");
    } else if (!tab.running && tab.total == 0) {
        status = QStringLiteral("%1 Server")
                     .arg(text(germanCount(static_cast<std::int64_t>(tab.model->knownCount()))));
    } else {
        status = text(progressText(tab.answered, tab.total));
    }
    if (tab.cancelled)
        status = QStringLiteral("Abgebrochen: ") + status;
    lblStatus->setText(status);
    prgRefresh->setVisible(tab.running);
    cmdCancel->setVisible(tab.running);
    prgRefresh->setMaximum(tab.total > 0 ? tab.total : 0); // 0: busy while the list comes
    prgRefresh->setValue(std::min(tab.done, tab.total));
}

void ServersWindow::updateButtons() {
    const Tab& tab = *tabs_.at(static_cast<std::size_t>(currentSource()));
    // Refresh and cancel share their Alt letter: only one of them is there at a time.
    cmdRefresh->setEnabled(!tab.running);
    const ServerRow* row = selectedRow();
    cmdJoin->setEnabled(row != nullptr);
    cmdFavourite->setEnabled(row != nullptr);
    const bool favourite = row && isFavourite(book_, row->info.address);
    cmdFavourite->setText(favourite ? QStringLiteral("Aus Favoriten &entfernen")
                                    : QStringLiteral("Zu &Favoriten"));
}

void ServersWindow::applyFilter() {
    ServerFilter filter;
    filter.game = static_cast<GameChoice>(std::max(0, cmbGame->currentIndex()));
    filter.notEmpty = chkNotEmpty->isChecked();
    filter.notFull = chkNotFull->isChecked();
    filter.noPassword = chkNoPassword->isChecked();
    filter.text = utf8(txtFilter->text());
    for (int i = 0; i < kSourceCount; ++i) {
        // The selection survives the filter when its server still passes.
        QTableView* view = grdServers.at(static_cast<std::size_t>(i));
        ServerTableModel& m = model(static_cast<Source>(i));
        const QModelIndexList selected = view->selectionModel()->selectedRows();
        const ServerRow* row = selected.isEmpty() ? nullptr : m.shownRow(selected.first().row());
        const std::string address = row ? row->info.address : std::string();
        m.setFilter(filter);
        if (const int at = address.empty() ? -1 : m.shownIndexOf(address); at >= 0)
            view->selectRow(at);
    }
    selectionChanged();
}

void ServersWindow::tabShown(int) {
    const Source source = currentSource();
    if ((source == Source::Favourites || source == Source::History) &&
        !tabs_.at(static_cast<std::size_t>(source))->everRefreshed)
        refresh(source); // the player's own servers: their state is wanted at once
    updateStatus();
    selectionChanged();
}

void ServersWindow::selectionChanged() {
    updateButtons();
    const ServerRow* row = selectedRow();
    const QString address = row ? text(row->info.address) : QString();
    if (address == detailsFor_)
        return;
    detailsFor_ = address;
    lstPlayers->clear();
    lstRules->clear();
    details_->cancel();
    if (!row) {
        lblDetails->setText(QStringLiteral("Kein Server ausgewählt"));
        return;
    }
    const QString name = text(row->info.name.empty() ? row->info.address : row->info.name);
    lblDetails->setText(QStringLiteral("%1: Spieler und Regeln werden gefragt ...").arg(name));
    details_->queryDetails(row->info.address, true, true);
}

void ServersWindow::showDetails(const QString& address, const ServerDetails& details) {
    if (address != detailsFor_)
        return; // an answer for a server no longer selected
    const ServerRow* row = selectedRow();
    lblDetails->setText(row && !row->info.name.empty() ? text(row->info.name) : address);
    lstPlayers->clear();
    lstRules->clear();
    QList<QTreeWidgetItem*> players;
    for (const PlayerInfo& p : details.players)
        players.append(new QTreeWidgetItem(
            QStringList{text(p.name), QString::number(p.score), text(durationText(p.seconds))}));
    lstPlayers->addTopLevelItems(players);
    QList<QTreeWidgetItem*> rules;
    for (const auto& [name, value] : details.rules)
        rules.append(new QTreeWidgetItem(QStringList{text(name), text(value)}));
    lstRules->addTopLevelItems(rules);
}

void ServersWindow::join() {
    const ServerRow* row = selectedRow();
    if (!row)
        return;
    const ServerInfo info = row->info;
    std::string password;
    if (info.password) {
        const auto typed =
            services_.prompts.askPassword(this, text(info.name.empty() ? info.address : info.name));
        if (!typed)
            return;
        password = utf8(*typed);
    }
    const JoinCommand command = buildJoinCommand(
        {context_.settings().read(setting::program), info.address, info.game, password});
    if (!command.problem.empty()) {
        context_.message(this, text(command.problem), {}, MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    if (!context_.startGame(this, text(command.text), WindowStyle::MaximisedWithFocus))
        return;
    const BookEntry entry{info.address, info.game, info.name, QDateTime::currentSecsSinceEpoch()};
    if (changeBook([&](ServerBook& book) { recordJoin(book, entry); },
                   QStringLiteral("Der Verlauf")))
        model(Source::History).setRows(ownRows(Source::History));
}

void ServersWindow::toggleFavourite() {
    const ServerRow* row = selectedRow();
    if (!row)
        return;
    const ServerInfo info = row->info;
    const bool remove = isFavourite(book_, info.address);
    const bool saved = changeBook(
        [&](ServerBook& book) {
            if (remove)
                removeFavourite(book, info.address);
            else
                addFavourite(book, {info.address, info.game, info.name, 0});
        },
        QStringLiteral("Die Favoriten"));
    if (!saved)
        return;
    ServerTableModel& favourites = model(Source::Favourites);
    if (!remove && row->state == RowState::Answered)
        favourites.answer(info); // known already: no need to ask again
    favourites.setRows(ownRows(Source::Favourites));
    updateButtons();
}

void ServersWindow::addFavouriteByAddress() {
    const auto typed = services_.prompts.askAddress(this);
    if (!typed)
        return;
    const auto address = parseServerAddress(utf8(*typed));
    if (!address) {
        context_.message(this,
                         QStringLiteral("„%1“ ist keine Serveradresse. Gib sie als a.b.c.d oder "
                                        "a.b.c.d:Port ein.")
                             .arg(typed->trimmed()),
                         {}, MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    if (!changeBook(
            [&](ServerBook& book) {
                addFavourite(book, {*address, {}, {}, 0});
            },
            QStringLiteral("Die Favoriten")))
        return;
    tabSources->setCurrentIndex(static_cast<int>(Source::Favourites));
    refresh(Source::Favourites);
    if (const int at = model(Source::Favourites).shownIndexOf(*address); at >= 0)
        grdServers.at(static_cast<std::size_t>(Source::Favourites))->selectRow(at);
}

bool ServersWindow::changeBook(const std::function<void(ServerBook&)>& change,
                               const QString& what) {
    ServerBook updated;
    const WriteResult result = updateBook(bookFile(), [&](ServerBook& book) {
        change(book);
        updated = book;
    });
    if (!result) {
        context_.message(this,
                         QStringLiteral("%1 kann nicht gespeichert werden in %2:\n%3")
                             .arg(what, text(bookFile()), text(result.reason)),
                         {}, MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    book_ = std::move(updated);
    return true;
}

void ServersWindow::showKeyState() {
    const std::string key = readApiKey(services_.keyFolder);
    const bool known = !key.empty();
    lblKey->setText(
        known ? QStringLiteral("Die Internetliste kommt über die Steam Web API mit deinem "
                               "Schlüssel …%1.")
                    .arg(text(key.substr(key.size() - std::min<std::size_t>(4, key.size()))))
              : QStringLiteral(
                    "Ohne Web-API-Schlüssel fragt Gravelock den Master-Server, der oft nicht "
                    "antwortet. Mit einem eigenen Schlüssel kommt die Liste über die Steam Web "
                    "API: mit deinem Steam-Konto kostenlos unter "
                    "steamcommunity.com/dev/apikey. Er bleibt auf diesem Rechner, nur für dich "
                    "lesbar."));
    txtKey->clear();
    txtKey->setVisible(!known);
    cmdSaveKey->setVisible(!known);
    cmdChangeKey->setVisible(known);
    for (QWidget* w : fraKey->findChildren<QWidget*>(QStringLiteral("lblKeyField")))
        w->setVisible(!known);
}

void ServersWindow::saveKey() {
    const std::string key = utf8(txtKey->text().trimmed());
    const WriteResult result = writeApiKey(services_.keyFolder, key);
    if (!result) {
        context_.message(
            this,
            QStringLiteral("Der Schlüssel wurde nicht gespeichert: %1").arg(text(result.reason)),
            {}, MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    showKeyState();
}

void ServersWindow::copyColumnWidths(int section, int width) {
    // Hiding the played column reports a width of 0, and the address, last,
    // takes whatever its table has to spare: neither is a width to copy.
    if (syncingWidths_ || width <= 0 || section == static_cast<int>(Column::Address))
        return;
    syncingWidths_ = true;
    for (QTableView* view : grdServers)
        if (view && view->columnWidth(section) != width)
            view->setColumnWidth(section, width);
    syncingWidths_ = false;
}

void ServersWindow::closeEvent(QCloseEvent* event) {
    for (auto& tab : tabs_)
        tab->engine->cancel();
    details_->cancel();
    WindowLayout layout{width(), height(), {}};
    // The history shows every column.
    const QTableView* view = grdServers.at(static_cast<std::size_t>(Source::History));
    for (int c = 0; c < kColumnCount; ++c)
        layout.columns.push_back(view->columnWidth(c));
    if (layout != book_.layout) {
        // A size that cannot be remembered is no reason to keep the window open.
        updateBook(bookFile(), [&](ServerBook& book) { book.layout = layout; });
    }
    QMainWindow::closeEvent(event);
}

} // namespace gravelock::servers
