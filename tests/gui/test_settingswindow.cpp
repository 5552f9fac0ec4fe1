#include "platform/fonts.h"
#include "shell/classroster.h"
#include "shell/settingswindow.h"
#include "support/fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace tivoral;

namespace {

// Installed with the build dependencies, so the font list always holds it.
const QString Installed = "DejaVu Sans";
const QString Missing = "Verdana Nicht Da";
const FontChoice Start{"Start", 24};

QString selected(QListWidget* list) {
    return list->selectedItems().isEmpty() ? QString() : list->selectedItems().constFirst()->text();
}

} // namespace

class SettingsWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void chosenFontIsSavedAndApplied_data();
    void chosenFontIsSavedAndApplied();
    void classListRenamesAndDeletes();
};

void SettingsWindowTest::chosenFontIsSavedAndApplied_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("selectedSize"); // as the list shows it after loading
    QTest::addColumn<int>("clickedSize");      // 0: none
    QTest::addColumn<QByteArray>("written");   // empty: not saved, left through the frame
    QTest::newRow("chosen size") << Installed << 18 << QString("18") << 20
                                 << QByteArray("DejaVu Sans\r\n20\r\n55\r\n");
    QTest::newRow("left unsaved: exercises only")
        << Installed << 18 << QString("18") << 30 << QByteArray();
    QTest::newRow("font not installed")
        << Missing << 20 << QString("20") << 0 << QByteArray("Verdana Nicht Da\r\n20\r\n55\r\n");
    QTest::newRow("size not offered")
        << Installed << 13 << QString() << 0 << QByteArray("DejaVu Sans\r\n13\r\n55\r\n");
}

void SettingsWindowTest::chosenFontIsSavedAndApplied() {
    QFETCH(QString, family);
    QFETCH(int, size);
    QFETCH(int, clickedSize);
    QFETCH(QByteArray, written);
    testing::Fixture f;
    f.app.settings.setPreviewFont({family, size});
    f.app.settings.applyFonts(Start);
    SettingsWindow window(f.app);
    auto* fonts = window.findChild<QListWidget*>("fontList");
    auto* sizes = window.findChild<QListWidget*>("fontSizeList");
    window.activate();
    QCOMPARE(fonts->count(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(fonts->count() > 0, 3000);
    QCOMPARE(selected(fonts), family == Missing ? QString() : family);
    QTEST(selected(sizes), "selectedSize");
    // The reader fonts lead; the rest is sorted.
    int first = 0;
    for (const char* reader : fonts::ReaderFamilies)
        QCOMPARE(fonts->item(first++)->text(), QString::fromLatin1(reader));
    for (int i = first + 1; i < fonts->count(); ++i) {
        const QString before = fonts->item(i - 1)->text();
        QVERIFY(before.compare(fonts->item(i)->text(), Qt::CaseInsensitive) <= 0);
    }

    if (clickedSize > 0) {
        QListWidgetItem* item =
            sizes->findItems(QString::number(clickedSize), Qt::MatchExactly).value(0);
        QVERIFY(item);
        sizes->scrollToItem(item);
        QTest::mouseClick(sizes->viewport(), Qt::LeftButton, {},
                          sizes->visualItemRect(item).center());
    }
    const FontChoice chosen{family, clickedSize > 0 ? clickedSize : size};
    QCOMPARE(window.findChild<QLabel*>("secondFontPreview")->font().pointSize(), chosen.pointSize);
    QCOMPARE(f.app.settings.exerciseFont(), Start); // until saved or left
    QSignalSpy returned(&window, &SettingsWindow::returnedToMainWindow);
    if (written.isEmpty()) {
        window.close();
    } else {
        window.findChild<QScrollBar*>("pointLimitBar")->setValue(55);
        for (int round = 0; round < 2; ++round)
            QTest::mouseClick(window.findChild<QToolButton*>("saveSettingsButton"), Qt::LeftButton);
        QCOMPARE(f.folder.read(SettingsFile::FileName), written);
        QCOMPARE(f.dialogs.boxes.size(), 2);
        // What was written reads back at the next start instead of falling back to defaults.
        QVERIFY(SettingsFile(f.folder.dir()).read().has_value());
        QTest::mouseClick(window.findChild<QToolButton*>("closeSettingsButton"), Qt::LeftButton);
    }
    QCOMPARE(returned.size(), 1);
    QVERIFY(!window.isVisible());
    QCOMPARE(f.app.settings.exerciseFont(), chosen);
    QCOMPARE(f.app.settings.readingFont(), written.isEmpty() ? Start : chosen);
    QCOMPARE(f.folder.exists(SettingsFile::FileName), !written.isEmpty());
}

// "Kinder" opens the class list; what it changes, the user list of this run follows at once.
void SettingsWindowTest::classListRenamesAndDeletes() {
    testing::Fixture f(testing::Files{{"TIVORAL.INF", "Anna\r\nBen\r\n"},
                                      {"BESTDOSE.LST", ">  20     30   Ben\r\n"}});
    f.app.users.load();
    f.app.users.selectUser(1);
    SettingsWindow window(f.app);
    window.activate();
    QTest::mouseClick(window.findChild<QToolButton*>("classListButton"), Qt::LeftButton);
    auto* names = window.findChild<QListWidget*>("classList");
    QVERIFY(names && names->isVisible());
    const auto click = [&](const char* button) {
        QTest::mouseClick(window.findChild<QPushButton*>(button), Qt::LeftButton);
    };
    names->setCurrentRow(1);
    f.dialogs.queueInput("Anna");
    click("renameChildButton");
    QCOMPARE(f.dialogs.last().prompt, "Dieser Name ist schon vorhanden!\r");
    f.dialogs.queueInput("Benedikt");
    click("renameChildButton");
    QCOMPARE(f.app.users.names(), QStringList({"Anna", "Benedikt"}));
    QCOMPARE(f.app.users.current(), "Benedikt");
    QCOMPARE(f.folder.read("BESTDOSE.LST"), ">  20     30   Benedikt\r\n");

    names->setCurrentRow(1);
    window.findChild<QCheckBox*>("removeResultsSwitch")->setChecked(true);
    f.dialogs.queueAnswer(Answer::Yes);
    click("removeChildButton");
    QCOMPARE(f.dialogs.last().prompt,
             "Benedikt wirklich aus der Liste der Kinder löschen?\r"
             "Auch der Lernstand und die Spielergebnisse werden gelöscht.\r");
    QCOMPARE(names->count(), 1);
    QCOMPARE(f.app.users.current(), "Benutzer");
    QVERIFY(!f.folder.read("BESTDOSE.LST").contains("Benedikt"));

    window.findChild<QCheckBox*>("newNamesSwitch")->setChecked(false);
    QVERIFY(!ClassRoster(f.workDir).childrenMayAddNames());
}

QTEST_MAIN(SettingsWindowTest)
#include "test_settingswindow.moc"
