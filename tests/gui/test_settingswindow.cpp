#include "platform/fonts.h"
#include "shell/settingswindow.h"
#include "support/fixture.h"

#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace tivoral;

namespace {

// Installed with the build dependencies, so the font list always holds it.
const QString Installed = "DejaVu Sans";
const QString Missing = "Verdana Nicht Da";
const QString IniName = SettingsFile::FileName;

struct SettingsRun : testing::Fixture {
    std::unique_ptr<SettingsWindow> window;

    explicit SettingsRun(const FontChoice& preview = {Installed, 18}) {
        app.settings.setPreviewFont(preview);
        app.settings.applyFonts({"Start", 24});
        window = std::make_unique<SettingsWindow>(app);
    }
    template <typename T> T* child(const char* name) const {
        T* widget = window->findChild<T*>(name);
        if (!widget)
            qFatal("missing control %s", name);
        return widget;
    }
    QListWidget* fonts() const { return child<QListWidget>("fontList"); }
    QListWidget* sizes() const { return child<QListWidget>("fontSizeList"); }
    static QString current(QListWidget* list) {
        return list->selectedItems().isEmpty() ? QString()
                                               : list->selectedItems().constFirst()->text();
    }
    void activateAndWaitForFonts() const {
        window->activate();
        QCOMPARE(child<QLabel>("waitLabel")->text(),
                 "Bitte etwas Geduld, die Schriften werden geladen ...");
        QCOMPARE(fonts()->count(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(fonts()->count() > 0, 3000);
        QCOMPARE(child<QLabel>("waitLabel")->text(), QString());
    }
    void click(QListWidget* list, const QString& text) const {
        QListWidgetItem* item = list->findItems(text, Qt::MatchExactly).value(0);
        QVERIFY(item);
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(item).center());
    }
};

} // namespace

class SettingsWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fontsLoadLateSortedWithCurrentSelected_data();
    void fontsLoadLateSortedWithCurrentSelected();
    void saveKeepsWhatIsNotListed_data();
    void saveKeepsWhatIsNotListed();
    void leavingAppliesPreviewToExercisesOnly_data();
    void leavingAppliesPreviewToExercisesOnly();
    void passwordButtonSetsAndRemovesThePassword();
};

void SettingsWindowTest::fontsLoadLateSortedWithCurrentSelected_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("selectedFamily");
    QTest::addColumn<QString>("selectedSize");
    QTest::newRow("installed, 18") << Installed << 18 << Installed << "18";
    QTest::newRow("size 11 selects nothing") << Installed << 11 << Installed << "";
    QTest::newRow("font not installed") << Missing << 32 << ""
                                        << "32";
}

void SettingsWindowTest::fontsLoadLateSortedWithCurrentSelected() {
    QFETCH(QString, family);
    QFETCH(int, size);
    SettingsRun f({family, size});
    f.activateAndWaitForFonts();
    QCOMPARE(f.sizes()->count(), 12);
    QTEST(f.current(f.fonts()), "selectedFamily");
    QTEST(f.current(f.sizes()), "selectedSize");
    QCOMPARE(f.app.settings.previewFont(), (FontChoice{family, size}));
    // The reader fonts (installed with the build dependencies) lead; the rest is sorted.
    int first = 0;
    for (const char* reader : fonts::ReaderFamilies)
        QCOMPARE(f.fonts()->item(first++)->text(), QString::fromLatin1(reader));
    for (int i = first + 1; i < f.fonts()->count(); ++i)
        QVERIFY(f.fonts()->item(i - 1)->text().compare(f.fonts()->item(i)->text(),
                                                       Qt::CaseInsensitive) <= 0);
}

void SettingsWindowTest::saveKeepsWhatIsNotListed_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("clickedSize");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("chosen size") << Installed << 18 << "20"
                                 << QByteArray("DejaVu Sans\r\n20\r\n55\r\n");
    QTest::newRow("font not installed")
        << Missing << 20 << "" << QByteArray("Verdana Nicht Da\r\n20\r\n55\r\n");
    QTest::newRow("size not offered")
        << Installed << 13 << "" << QByteArray("DejaVu Sans\r\n13\r\n55\r\n");
}

void SettingsWindowTest::saveKeepsWhatIsNotListed() {
    QFETCH(QString, family);
    QFETCH(int, size);
    QFETCH(QString, clickedSize);
    SettingsRun f({family, size});
    f.activateAndWaitForFonts();
    if (!clickedSize.isEmpty())
        f.click(f.sizes(), clickedSize);
    f.child<QScrollBar>("pointLimitBar")->setValue(55);
    QCOMPARE(f.child<QLabel>("pointLimitLabel")->text(), "55");
    QVERIFY(!f.folder.exists(IniName));
    for (int round = 0; round < 2; ++round)
        QTest::mouseClick(f.child<QToolButton>("saveSettingsButton"), Qt::LeftButton);
    QTEST(f.folder.read(IniName), "written");
    QCOMPARE(f.dialogs.boxes.size(), 2);
    // What was written reads back at the next start instead of falling back to defaults.
    QVERIFY(SettingsFile(f.folder.dir()).read().has_value());
}

void SettingsWindowTest::leavingAppliesPreviewToExercisesOnly_data() {
    QTest::addColumn<bool>("throughFrame");
    QTest::newRow("button") << false;
    QTest::newRow("window frame") << true;
}

void SettingsWindowTest::leavingAppliesPreviewToExercisesOnly() {
    QFETCH(bool, throughFrame);
    SettingsRun f({Missing, 24});
    f.activateAndWaitForFonts();
    f.click(f.fonts(), Installed);
    f.click(f.sizes(), "30");
    for (const char* name : {"fontPreview", "secondFontPreview"})
        QCOMPARE(f.child<QLabel>(name)->font().pointSize(), 30);
    QCOMPARE(f.child<QLabel>("fontPreview")->font().family(), Installed);
    QCOMPARE(f.app.settings.exerciseFont(), (FontChoice{"Start", 24}));
    QSignalSpy returned(f.window.get(), &SettingsWindow::returnedToMainWindow);
    if (throughFrame)
        f.window->close();
    else
        QTest::mouseClick(f.child<QToolButton>("closeSettingsButton"), Qt::LeftButton);
    QCOMPARE(returned.size(), 1);
    QVERIFY(!f.window->isVisible());
    QCOMPARE(f.app.settings.exerciseFont(), (FontChoice{Installed, 30}));
    QCOMPARE(f.app.settings.readingFont(), (FontChoice{"Start", 24}));
    QVERIFY(!f.folder.exists(IniName));
}

void SettingsWindowTest::passwordButtonSetsAndRemovesThePassword() {
    SettingsRun f;
    f.window->activate();
    auto* button = f.child<QToolButton>("passwordButton");
    for (QWidget* other : f.window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        QVERIFY2(other == button || !other->isVisible() ||
                     !other->geometry().intersects(button->geometry()),
                 qPrintable(other->objectName()));

    f.dialogs.queueInput("Kreide42");
    f.dialogs.queueInput("Kreide42");
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(f.folder.exists(PasswordFile::FileName));
    QCOMPARE(f.child<QLabel>("passwordStateLabel")->text(),
             "Ein Lehrer-Passwort schützt die Einstellungen und den Satz-Editor.");

    f.dialogs.queueAnswer(Answer::No);
    f.dialogs.queueAnswer(Answer::Yes);
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(!f.folder.exists(PasswordFile::FileName));
    QCOMPARE(f.child<QLabel>("passwordStateLabel")->text(), "Kein Lehrer-Passwort festgelegt.");
}

QTEST_MAIN(SettingsWindowTest)
#include "test_settingswindow.moc"
