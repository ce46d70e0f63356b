#include "core/ui/widgets.h"
#include "setup_fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace gravelock;
using namespace gravelock::test;

namespace {

const std::string kSettings = "[MISC]\r\nfirstuse=no\r\n[GAMEDIR]\r\nmaps=m\r\n";

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

FolderPickerWindow* openPicker(SetupFixture& f, const QString& name, QLineEdit* target) {
    auto* picker = qobject_cast<FolderPickerWindow*>(f.windows().show(name));
    picker->setTarget(target);
    return picker;
}

// Double-clicks the entry of the folder list that stands for `folder`.
bool openFolder(FolderListBox* list, const QString& folder) {
    for (int i = 0; i < list->count(); ++i) {
        QListWidgetItem* item = list->item(i);
        if (native(item->data(Qt::UserRole).toString()) == native(folder)) {
            list->scrollToItem(item);
            const QPoint at = list->visualItemRect(item).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
            return true;
        }
    }
    return false;
}

} // namespace

class FolderPickerTest : public QObject {
    Q_OBJECT

private slots:
    void opensOnTheRootOfTheStartVolume() {
        SetupFixture f(kSettings);
        QLineEdit box;
        FolderPickerWindow* picker = openPicker(f, "DirMaps", &box);
        QCOMPARE(picker->windowTitle(), QStringLiteral("Half-Life"));
        QVERIFY(picker->Command1->isDefault());
        QVERIFY2(clippedCaptions(picker).isEmpty(), qPrintable(clippedCaptions(picker).join(", ")));
        QCOMPARE(picker->drve->count(), 3);
        QCOMPARE(picker->drve->itemText(0), f.app.path("sys") + " [SYSTEM]");
        QCOMPARE(picker->drve->itemText(2), QStringLiteral("a:"));
        QCOMPARE(picker->drve->currentIndex(), 0);
        QCOMPARE(picker->rep->path(), native(f.app.path("sys")));
        QCOMPARE(f.find<FolderPickerWindow>("configtfc") , nullptr);
        QCOMPARE(qobject_cast<FolderPickerWindow*>(f.windows().show("configtfc"))->windowTitle(),
                 QStringLiteral("TFC Karten Ordner"));

        picker->Command1->click(); // nothing opened: the root
        TestApp::settle();
        QCOMPARE(box.text(), native(f.app.path("sys")));
        QVERIFY(!f.windows().isLoaded("DirMaps"));
    }

    void takesTheFolderLastOpened() {
        SetupFixture f(kSettings);
        QLineEdit box;
        FolderPickerWindow* picker = openPicker(f, "DirMaps", &box);
        QVERIFY(openFolder(picker->rep, f.app.path("sys/Half-Life")));
        QVERIFY(openFolder(picker->rep, f.app.path("sys/Half-Life/valve")));
        QCOMPARE(picker->rep->path(), native(f.app.path("sys/Half-Life/valve")));
        // A single click only selects.
        const QListWidgetItem* maps = picker->rep->item(picker->rep->count() - 1);
        QTest::mouseClick(picker->rep->viewport(), Qt::LeftButton, {},
                          picker->rep->visualItemRect(maps).center());
        QCOMPARE(picker->rep->path(), native(f.app.path("sys/Half-Life/valve")));
        QTest::keyClick(picker->rep, Qt::Key_Return); // Enter takes, like "&OK"
        TestApp::settle();
        QCOMPARE(box.text(), native(f.app.path("sys/Half-Life/valve")));
        QVERIFY(!f.windows().isLoaded("DirMaps"));
    }

    void choosingAVolumeGoesToItsRoot() {
        SetupFixture f(kSettings);
        FolderPickerWindow* picker = openPicker(f, "DirMaps", nullptr);
        QVERIFY(openFolder(picker->rep, f.app.path("sys/Half-Life")));
        picker->drve->setCurrentIndex(1);
        QCOMPARE(picker->rep->path(), native(f.app.path("usb")));
        picker->drve->setCurrentIndex(0);
        QCOMPARE(picker->rep->path(), native(f.app.path("sys")));
        QVERIFY(f.app.messages.shown.empty());
    }

    void volumeNotReady_data() {
        QTest::addColumn<QString>("picker");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("DirMaps") << "DirMaps" << "...A:" << "A:\\ Nicht Möglich.\n\n...";
        QTest::newRow("DirMapsTFC") << "DirMapsTFC" << "... A:" << "A:\\Nicht möglich.\n\n...";
        QTest::newRow("configtfc") << "configtfc" << "!!!A:" << "A:\\...\n\n...";
    }
    void volumeNotReady() {
        QFETCH(QString, picker);
        QFETCH(QString, title);
        QFETCH(QString, text);
        SetupFixture f(kSettings);
        QLineEdit box;
        FolderPickerWindow* window = openPicker(f, picker, &box);
        window->drve->setCurrentIndex(1);
        QVERIFY(openFolder(window->rep, f.app.path("usb/maps")));
        window->drve->setCurrentIndex(2);
        QCOMPARE(f.app.messages.shown.size(), size_t(1));
        const Message& m = f.app.messages.shown[0];
        QCOMPARE(m.title, title);
        QCOMPARE(m.text, text);
        QCOMPARE(m.icon, MsgIcon::Critical);
        QCOMPARE(m.buttons, MsgButtons::Ok);
        QVERIFY(m.systemModal);
        // The folder stays, and the volume list names its volume again.
        QCOMPARE(window->rep->path(), native(f.app.path("usb/maps")));
        QCOMPARE(window->drve->currentIndex(), 1);
        window->Command1->click();
        QCOMPARE(box.text(), native(f.app.path("usb/maps")));
    }

    void escapeCancels() {
        SetupFixture f(kSettings);
        QLineEdit box("before");
        FolderPickerWindow* picker = openPicker(f, "DirMapsTFC", &box);
        picker->drve->setCurrentIndex(1);
        QTest::keyClick(picker->rep, Qt::Key_Escape);
        TestApp::settle();
        QVERIFY(!f.windows().isLoaded("DirMapsTFC"));
        QCOMPARE(box.text(), QStringLiteral("before"));
    }

    void eachOpenerGetsItsOwnBoxFilled_data() {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("picker");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("box");
        QTest::newRow("wizard maps") << "firstuseconfig" << "cmdMaps" << "DirMaps"
                                     << "Erstkonfiguration - Kartenauswahl" << "txtMaps";
        QTest::newRow("wizard TFC") << "firstuseconfig" << "cmdTFCMaps" << "configtfc"
                                    << "TFC Karten Ordner" << "TFCmaps";
        QTest::newRow("dialog maps") << "config" << "cmdMaps" << "DirMaps"
                                     << "Wo hast du deine Half-Life Karten ???" << "txtMaps";
        QTest::newRow("dialog TFC") << "config" << "cmdTFCMaps" << "DirMapsTFC"
                                    << "Wo hast du deinen TFC Karten ?" << "TFCmaps";
    }
    void eachOpenerGetsItsOwnBoxFilled() {
        QFETCH(QString, opener);
        QFETCH(QString, button);
        QFETCH(QString, picker);
        QFETCH(QString, caption);
        QFETCH(QString, box);
        SetupFixture f(kSettings); // no tfc: TFCmaps is disabled
        QWidget* window = f.windows().show(opener);
        window->findChild<QPushButton*>(button)->click();
        auto* pickerWindow = f.find<FolderPickerWindow>(picker);
        QVERIFY(pickerWindow && pickerWindow->isVisible());
        QCOMPARE(pickerWindow->windowTitle(), caption);
        // Modeless: the opener stays usable.
        QVERIFY(window->isVisible() && window->isEnabled());
        pickerWindow->drve->setCurrentIndex(1);
        pickerWindow->Command1->click();
        TestApp::settle();
        auto* target = window->findChild<QLineEdit*>(box);
        QCOMPARE(target->text(), native(f.app.path("usb")));
        for (QLineEdit* other : window->findChildren<QLineEdit*>())
            if (other != target)
                QVERIFY(other->text() != native(f.app.path("usb")));
        QVERIFY(!f.windows().isLoaded(picker));
        QVERIFY(f.windows().isLoaded(opener));
    }

    void openerClosedMeanwhile() {
        SetupFixture f(kSettings);
        QWidget* dialog = f.windows().show("config");
        dialog->findChild<QPushButton*>("cmdMaps")->click();
        dialog->findChild<QPushButton*>("Command3")->click();
        TestApp::settle();
        QVERIFY(!f.windows().isLoaded("config"));
        auto* picker = f.find<FolderPickerWindow>("DirMaps");
        picker->Command1->click();
        TestApp::settle();
        QVERIFY(!f.windows().isLoaded("DirMaps"));
    }
};

QTEST_MAIN(FolderPickerTest)
#include "folder_picker_test.moc"
