#include "core/start_game.h"
#include "fake_game_servers.h"
#include "fakes.h"
#include "launcher/sp_window.h"
#include "servers/server_book.h"
#include "servers/server_table_model.h"
#include "servers/servers_window.h"

#include <QtTest>
#include <QtWidgets>
#include <deque>

using namespace gravelock;
using namespace gravelock::servers;
using namespace gravelock::test;

namespace {

class FakePrompts final : public ServerPrompts {
public:
    std::optional<QString> askPassword(QWidget*, const QString& serverName) override {
        askedFor.append(serverName);
        return next(passwords);
    }
    std::optional<QString> askAddress(QWidget*) override { return next(addresses); }

    QStringList askedFor;
    std::deque<std::optional<QString>> passwords; // cancel once they run out
    std::deque<std::optional<QString>> addresses;

private:
    static std::optional<QString> next(std::deque<std::optional<QString>>& replies) {
        if (replies.empty())
            return std::nullopt;
        auto reply = replies.front();
        replies.pop_front();
        return reply;
    }
};

ServerInfo server(const std::string& address, const std::string& name, const std::string& game,
                  int players, int max, bool password = false, int ping = 30) {
    ServerInfo info;
    info.address = address;
    info.name = name;
    info.map = game == "tfc" ? "2fort" : "crossfire";
    info.game = game;
    info.players = players;
    info.maxPlayers = max;
    info.password = password;
    info.pingMs = ping;
    return info;
}

QStringList column(const QAbstractItemModel* model, Column c) {
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->index(row, static_cast<int>(c)).data().toString());
    return texts;
}

// The list on a fresh settings file, with its own key folder.
std::string local(quint16 port) {
    return "127.0.0.1:" + std::to_string(port);
}

FakeServerBehaviour behaving(const std::string& name, bool silent = false) {
    FakeServerBehaviour b;
    b.info = server("", name, "tfc", 2, 16);
    b.info.bots = 1;
    b.silent = silent;
    b.details.players = {{"Spieler <i>Eins</i>", 12, 60.5F}, {"Zwei", -1, 3.0F}};
    for (int i = 0; i < 40; ++i)
        b.details.rules.emplace_back("rule_" + std::to_string(i), "Wert " + std::to_string(i));
    return b;
}

// Every server here is on this machine: selecting a row asks it for its players.
struct Fixture {
    explicit Fixture(const std::string& tfc = "true") {
        app.writeSettings("[MISC]\r\ntfc=" + tfc + "\r\n[GAMEDIR]\r\nprogram=" + program + "\r\n");
        const ServerListServices services{prompts, keys.path().toStdString(), 150, 300};
        registerWindows(app.context.windows(), {currentFinderEnvironment, &services},
                        {WindowId::sp, WindowId::servers});
    }
    ServersWindow* open() {
        auto* w = qobject_cast<ServersWindow*>(app.context.windows().show(WindowId::servers));
        return w;
    }
    std::string bookFile() const { return bookPathBeside(app.settingsFile()); }
    bool writeFavourites(const std::vector<std::string>& addresses) const {
        return bool(updateBook(bookFile(), [&](ServerBook& book) {
            for (const std::string& address : addresses)
                addFavourite(book, {address, "tfc", "", 0});
        }));
    }

    // Beside the settings file there is no program: the text starts with this name.
    const std::string program = "hl.exe";
    FakePrompts prompts;
    QTemporaryDir keys;
    TestApp app;
};

} // namespace

class ServersWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // Whatever a case forgets, nothing leaves this machine.
        qputenv("GRAVELOCK_MASTER", "127.0.0.1:9");
        qputenv("GRAVELOCK_STEAM_API", "http://127.0.0.1:9");
        qputenv("GRAVELOCK_LAN_TARGETS", "127.0.0.1");
        qunsetenv("GRAVELOCK_STEAM_KEY");
    }

    void internetRowsAppearWithTheirPlayersAndRules() {
        FakeGameServers fakes;
        std::vector<Endpoint> listed;
        for (const char* name : {"<b>Eins</b>", "Zwei", "Drei"})
            listed.push_back(*parseEndpoint(local(fakes.addServer(behaving(name)))));
        listed.push_back(*parseEndpoint(local(fakes.addServer(behaving("", true)))));
        qputenv("GRAVELOCK_MASTER", QByteArray::fromStdString(local(fakes.addMaster(listed, 2))));
        Fixture f;
        ServersWindow* w = f.open();
        w->cmdRefresh->click();
        QVERIFY(!w->cmdRefresh->isEnabled());
        QVERIFY(w->cmdCancel->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(w->lblStatus->text(),
                                  QStringLiteral("3 von 4 Servern geantwortet"), 5000);
        QTRY_VERIFY(w->cmdRefresh->isEnabled());
        QVERIFY(!w->cmdCancel->isVisible());
        QTableView* view = w->grdServers[0];
        QCOMPARE(column(view->model(), Column::Name), QStringList({"<b>Eins</b>", "Drei", "Zwei"}));
        QCOMPARE(column(view->model(), Column::Players).first(), QStringLiteral("1/16 (1 Bot)"));
        view->selectRow(0);
        QTRY_COMPARE_WITH_TIMEOUT(w->lstPlayers->topLevelItemCount(), 2, 5000);
        QCOMPARE(w->lstPlayers->topLevelItem(0)->text(0), QStringLiteral("Spieler <i>Eins</i>"));
        QCOMPARE(w->lstPlayers->topLevelItem(0)->text(2), QStringLiteral("1:00"));
        QTRY_COMPARE(w->lstRules->topLevelItemCount(), 40);
        QCOMPARE(w->lblDetails->text(), QStringLiteral("<b>Eins</b>"));
        QCOMPARE(w->lblDetails->textFormat(), Qt::PlainText);
        qputenv("GRAVELOCK_MASTER", "127.0.0.1:9");
    }

    void cancelStopsTheRefresh() {
        FakeGameServers fakes;
        std::vector<std::string> slow;
        slow.reserve(5);
        FakeServerBehaviour late = behaving("Spät");
        late.minDelayMs = late.maxDelayMs = 400;
        for (int i = 0; i < 5; ++i)
            slow.push_back(local(fakes.addServer(late)));
        Fixture f;
        QVERIFY(f.writeFavourites(slow));
        ServersWindow* w = f.open();
        w->tabSources->setCurrentIndex(static_cast<int>(Source::Favourites));
        QVERIFY(w->cmdCancel->isVisible());
        w->cmdCancel->click();
        QVERIFY(w->lblStatus->text().startsWith(QStringLiteral("Abgebrochen: 0 von 5")));
        QVERIFY(w->cmdRefresh->isEnabled());
        QTest::qWait(700);
        QCOMPARE(column(w->grdServers[2]->model(), Column::Ping),
                 QStringList(5, QStringLiteral("…")));
    }

    void offlineFavouritesStayGreyedAndTheLanIsFound() {
        FakeGameServers fakes;
        const std::string online = local(fakes.addServer(behaving("Da")));
        const std::string offline = local(fakes.addServer(behaving("Weg", true)));
        quint16 lanPort = 0;
        for (const quint16 port : {26905, 26904, 26903, 27020, 27019})
            if ((lanPort = fakes.addServer(behaving("Im LAN"), port)) != 0)
                break;
        Fixture f;
        QVERIFY(f.writeFavourites({online, offline}));
        ServersWindow* w = f.open();
        w->tabSources->setCurrentIndex(static_cast<int>(Source::Favourites));
        QTRY_COMPARE_WITH_TIMEOUT(w->lblStatus->text(),
                                  QStringLiteral("1 von 2 Servern geantwortet"), 5000);
        const QAbstractItemModel* favourites = w->grdServers[2]->model();
        // Saved without a name, the silent one goes by its address.
        QCOMPARE(column(favourites, Column::Name),
                 QStringList({QString::fromStdString(offline), "Da"}));
        QTRY_COMPARE_WITH_TIMEOUT(column(favourites, Column::Map),
                                  QStringList({"keine Antwort", "2fort"}), 5000);
        QVERIFY(favourites->index(0, 0).data(Qt::ForegroundRole).isValid());
        QVERIFY(!favourites->index(1, 0).data(Qt::ForegroundRole).isValid());
        // Filters hide nothing not known: the offline favourite stays under "Nicht leer".
        w->chkNotEmpty->setChecked(true);
        QCOMPARE(favourites->rowCount(), 2);
        w->chkNotEmpty->setChecked(false);

        if (lanPort == 0)
            QSKIP("every probed LAN port is taken on this machine");
        w->tabSources->setCurrentIndex(static_cast<int>(Source::Lan));
        w->cmdRefresh->click();
        QTRY_COMPARE_WITH_TIMEOUT(w->lblStatus->text(), QStringLiteral("1 Server im LAN gefunden"),
                                  5000);
        QCOMPARE(column(w->grdServers[1]->model(), Column::Address),
                 QStringList{QString::fromStdString(local(lanPort))});
    }

    void opensFromTheMainMenuAndReturns() {
        Fixture f;
        auto* sp = qobject_cast<SpWindow*>(f.app.context.windows().show(WindowId::sp));
        QVERIFY(sp);
        const QList<QAction*> items = sp->mnuFichier->actions();
        QCOMPARE(items.indexOf(sp->mnuFileitmServers), items.indexOf(sp->mnuFileitmConnect) + 1);
        QCOMPARE(sp->mnuFileitmServers->text(), QStringLiteral("&Serverliste ..."));
        QCOMPARE(sp->mnuFileitmServers->shortcut(), QKeySequence(QStringLiteral("Ctrl+L")));
        sp->mnuFileitmServers->trigger();
        TestApp::settle();
        QVERIFY(!f.app.context.windows().isLoaded(WindowId::sp));
        auto* w = f.app.context.windows().find<ServersWindow>(WindowId::servers);
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("Gravelock Serverliste"));
        QVERIFY(w->maximumWidth() > 5000); // resizable
        w->mnuFileitmORVO->trigger();
        TestApp::settle();
        QVERIFY(f.app.context.windows().isLoaded(WindowId::sp));
        QVERIFY(!f.app.context.windows().isLoaded(WindowId::servers));
    }

    void filtersAndSortWithoutAskingAgain() {
        Fixture f("false");
        ServersWindow* w = f.open();
        // Without Team Fortress Classic installed the list starts on Half-Life.
        QCOMPARE(w->cmbGame->currentText(), QStringLiteral("Half-Life"));
        w->cmbGame->setCurrentIndex(0);
        ServerTableModel& m = w->model(Source::Internet);
        m.answer(server("127.0.0.1:27035", "Charlie", "tfc", 0, 16));
        m.answer(server("127.0.0.1:27015", "<b>alpha</b>", "valve", 16, 16, true));
        m.answer(server("127.0.0.1:27025", "Bravo", "valve", 5, 16));
        QTableView* view = w->grdServers[0];
        QCOMPARE(column(view->model(), Column::Name),
                 QStringList({"<b>alpha</b>", "Bravo", "Charlie"}));
        view->selectRow(1);
        QCOMPARE(w->selectedRow()->info.name, std::string("Bravo"));

        struct Step {
            std::function<void()> act;
            QStringList names;
        };
        const std::vector<Step> steps = {
            {[&] { w->chkNotEmpty->setChecked(true); }, {"<b>alpha</b>", "Bravo"}},
            {[&] { w->chkNotFull->setChecked(true); }, {"Bravo"}},
            {[&] {
                 w->chkNotEmpty->setChecked(false);
                 w->chkNotFull->setChecked(false);
                 w->chkNoPassword->setChecked(true);
             },
             {"Bravo", "Charlie"}},
            {[&] { w->txtFilter->setText(QStringLiteral("2FO")); }, {"Charlie"}},
            {[&] {
                 w->txtFilter->clear();
                 w->chkNoPassword->setChecked(false);
                 view->sortByColumn(static_cast<int>(Column::Players), Qt::DescendingOrder);
             },
             {"<b>alpha</b>", "Bravo", "Charlie"}},
            {[&] { view->sortByColumn(static_cast<int>(Column::Players), Qt::AscendingOrder); },
             {"Charlie", "Bravo", "<b>alpha</b>"}},
            {[&] { w->cmbGame->setCurrentIndex(2); }, {"Charlie"}},
        };
        for (const Step& step : steps) {
            step.act();
            QCOMPARE(column(view->model(), Column::Name), step.names);
        }
        // The server stays selected through sorting while it passes the filter.
        w->cmbGame->setCurrentIndex(0);
        view->selectRow(1);
        view->sortByColumn(static_cast<int>(Column::Name), Qt::DescendingOrder);
        QCOMPARE(w->selectedRow()->info.name, std::string("Bravo"));
        // Answers arriving later go to their sorted place and keep the selection.
        m.answer(server("127.0.0.1:27045", "Delta", "valve", 1, 8));
        QCOMPARE(column(view->model(), Column::Name),
                 QStringList({"Delta", "Charlie", "Bravo", "<b>alpha</b>"}));
        QCOMPARE(w->selectedRow()->info.name, std::string("Bravo"));
        // Players apart from bots, the lock as an icon with a name for screen readers.
        QCOMPARE(column(view->model(), Column::Players).last(), QStringLiteral("16/16"));
        const QModelIndex lock = view->model()->index(3, static_cast<int>(Column::Lock));
        QVERIFY(lock.data(Qt::DecorationRole).value<QIcon>().availableSizes().size() > 0);
        QCOMPARE(lock.data(Qt::AccessibleTextRole).toString(), QStringLiteral("Mit Passwort"));
        QCOMPARE(view->model()->headerData(0, Qt::Horizontal, Qt::AccessibleTextRole).toString(),
                 QStringLiteral("Passwort"));
        QCOMPARE(f.app.starter.starts.size(), size_t(0));
    }

    void joinBuildsTheCommandAndRecordsTheHistory() {
        struct Case {
            ServerInfo info;
            std::optional<QString> password; // what the player types
            std::string command;             // empty: nothing started
        };
        const std::vector<Case> cases = {
            {server("127.0.0.1:27015", "Valve", "valve", 1, 8),
             {},
             "hl.exe -console +connect 127.0.0.1:27015"},
            {server("127.0.0.1:27026", "Festung", "tfc", 1, 8),
             {},
             "hl.exe -game tfc -console +connect 127.0.0.1:27026"},
            {server("127.0.0.1:27035", "Zu", "tfc", 1, 8, true), QStringLiteral("geheim"),
             "hl.exe -game tfc -console +connect 127.0.0.1:27035 +password geheim"},
            {server("127.0.0.1:27045", "Zu", "tfc", 1, 8, true), std::nullopt, ""},
            {server("127.0.0.1:27055", "Böse", "tfc +exec x", 1, 8), {}, ""},
        };
        for (const Case& c : cases) {
            Fixture f;
            ServersWindow* w = f.open();
            w->model(Source::Internet).answer(c.info);
            w->grdServers[0]->selectRow(0);
            f.prompts.passwords.push_back(c.password);
            w->cmdJoin->click();
            if (c.command.empty()) {
                QCOMPARE(f.app.starter.starts.size(), size_t(0));
                QVERIFY(!QFile::exists(QString::fromStdString(f.bookFile())));
                continue;
            }
            QCOMPARE(f.app.starter.starts.size(), size_t(1));
            QCOMPARE(f.app.starter.starts[0].commandText, c.command);
            QCOMPARE(f.app.starter.starts[0].windowStyle, WindowStyle::MaximisedWithFocus);
            const ServerBook book = loadBook(f.bookFile()).book;
            QCOMPARE(book.history.size(), size_t(1));
            QCOMPARE(book.history[0].address, c.info.address);
            QCOMPARE(book.history[0].name, c.info.name);
            QCOMPARE(book.history[0].game, c.info.game);
            QVERIFY(book.history[0].time > 1700000000);
            QCOMPARE(w->model(Source::History).knownCount(), size_t(1));
        }
        // A refused folder is explained, not silently dropped.
        Fixture f;
        ServersWindow* w = f.open();
        w->model(Source::Internet).answer(server("127.0.0.1:27055", "x", "tfc +exec x", 1, 8));
        w->grdServers[0]->selectRow(0);
        w->cmdJoin->click();
        QCOMPARE(f.app.messages.shown.size(), size_t(1));
        QVERIFY(f.app.messages.shown[0].text.contains(QStringLiteral("tfc +exec x")));
    }

    void enterAndDoubleClickJoinToo() {
        Fixture f;
        ServersWindow* w = f.open();
        w->model(Source::Internet).answer(server("127.0.0.1:27015", "A", "valve", 1, 8));
        QTableView* view = w->grdServers[0];
        view->selectRow(0);
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(f.app.starter.starts.size(), size_t(1));
        const QRect cell = view->visualRect(view->model()->index(0, 1));
        // A real double click begins with a click.
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(f.app.starter.starts.size(), size_t(2));
    }

    void favouritesAndHistoryStayWhenOfflineAndSurviveAReopen() {
        Fixture f;
        ServersWindow* w = f.open();
        w->model(Source::Internet).answer(server("127.0.0.1:27015", "Jörgs Ärger", "tfc", 1, 8));
        w->grdServers[0]->selectRow(0);
        QCOMPARE(w->cmdFavourite->text(), QStringLiteral("Zu &Favoriten"));
        w->cmdFavourite->click();
        QCOMPARE(w->cmdFavourite->text(), QStringLiteral("Aus Favoriten &entfernen"));
        // Typed addresses: a bad one is explained, a good one added.
        f.prompts.addresses = {QStringLiteral("127.0.0.300"), QStringLiteral(" 127.0.0.1:27020 ")};
        w->cmdAdd->click();
        QCOMPARE(f.app.messages.shown.size(), size_t(1));
        QVERIFY(f.app.messages.shown[0].text.contains(QStringLiteral("127.0.0.300")));
        w->cmdAdd->click();
        QCOMPARE(w->currentSource(), Source::Favourites);
        // A server without a name yet goes by its address, in the list and in its order.
        QCOMPARE(column(w->grdServers[2]->model(), Column::Name),
                 QStringList({"127.0.0.1:27020", "Jörgs Ärger"}));
        w->model(Source::Favourites).noAnswer("127.0.0.1:27020");
        const QModelIndex map = w->grdServers[2]->model()->index(0, static_cast<int>(Column::Map));
        QCOMPARE(map.data().toString(), QStringLiteral("keine Antwort"));
        QVERIFY(map.data(Qt::ForegroundRole).isValid()); // greyed
        w->resize(1000, 700);
        w->grdServers[1]->setColumnWidth(static_cast<int>(Column::Name), 333);
        f.app.context.windows().unload(WindowId::servers);
        TestApp::settle();

        ServersWindow* again = f.open();
        QCOMPARE(again->size(), QSize(1000, 700));
        QCOMPARE(again->grdServers[3]->columnWidth(static_cast<int>(Column::Name)), 333);
        QCOMPARE(again->model(Source::Favourites).knownCount(), size_t(2));
        QCOMPARE(again->model(Source::Favourites).find("127.0.0.1:27015")->info.name,
                 std::string("Jörgs Ärger"));
        again->tabSources->setCurrentIndex(static_cast<int>(Source::Favourites));
        again->grdServers[2]->selectRow(0);
        again->cmdFavourite->click();
        QCOMPARE(loadBook(f.bookFile()).book.favourites.size(), size_t(1));
    }

    void apiKeyIsStoredButNeverShownWhole() {
        Fixture f;
        ServersWindow* w = f.open();
        QVERIFY(w->txtKey->isVisibleTo(w));
        QCOMPARE(w->txtKey->echoMode(), QLineEdit::Password);
        w->txtKey->setText(QStringLiteral("kein Schlüssel"));
        w->cmdSaveKey->click();
        QCOMPARE(f.app.messages.shown.size(), size_t(1));
        const QString key = QStringLiteral("0123456789ABCDEF0123456789ABCDEF");
        w->txtKey->setText(QStringLiteral(" ") + key);
        w->cmdSaveKey->click();
        QCOMPARE(f.app.messages.shown.size(), size_t(1));
        QVERIFY(!w->txtKey->isVisibleTo(w));
        QVERIFY(w->txtKey->text().isEmpty());
        QVERIFY(w->lblKey->text().contains(QStringLiteral("CDEF")));
        for (const QLabel* label : w->findChildren<QLabel*>())
            QVERIFY(!label->text().contains(key.left(8)));
        QVERIFY(w->cmdChangeKey->isVisibleTo(w));
    }

    void everyControlHasItsOwnAltLetter() {
        Fixture f;
        ServersWindow* w = f.open();
        QSet<QChar> letters;
        QStringList texts;
        for (const QAbstractButton* b : w->findChildren<QAbstractButton*>())
            if (b->isVisibleTo(w) && !b->text().isEmpty())
                texts.append(b->text());
        for (const QLabel* l : w->findChildren<QLabel*>())
            if (l->buddy() && l->isVisibleTo(w))
                texts.append(l->text());
        for (int i = 0; i < w->tabSources->count(); ++i)
            texts.append(w->tabSources->tabText(i));
        texts.append(w->mnuFile->title());
        for (const QString& t : texts) {
            const int at = t.indexOf(QLatin1Char('&'));
            QVERIFY2(at >= 0, qPrintable(t));
            const QChar letter = t.at(at + 1).toLower();
            QVERIFY2(!letters.contains(letter), qPrintable(t));
            letters.insert(letter);
        }
    }
};

QTEST_MAIN(ServersWindowTest)
#include "servers_window_test.moc"
