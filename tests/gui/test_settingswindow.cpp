#include "platform/fonts.h"
#include "shell/settingswindow.h"
#include "store/appstate.h"
#include "support/scripteddialogs.h"
#include "support/sequencerandom.h"
#include "support/workfolder.h"

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

struct Fixture {
    testing::WorkFolder folder;
    testing::ScriptedDialogs dialogs;
    testing::SequenceRandom random;
    AppState app{folder.dir(), dialogs, random};
    std::unique_ptr<SettingsWindow> window;

    explicit Fixture(const FontChoice& preview = {Installed, 18}) {
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
    void controlsAtTheirPlaces_data();
    void controlsAtTheirPlaces();
    void fontsLoadLateSortedWithCurrentSelected_data();
    void fontsLoadLateSortedWithCurrentSelected();
    void clicksChangeOnlyThePreviews();
    void scrollBarSetsPointLimitAtOnce();
    void saveKeepsWhatIsNotListed_data();
    void saveKeepsWhatIsNotListed();
    void leavingAppliesPreviewToExercisesOnly_data();
    void leavingAppliesPreviewToExercisesOnly();
    void passwordButtonSetsAndRemovesThePassword();
};

void SettingsWindowTest::controlsAtTheirPlaces_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::newRow("closeSettingsButton") << "closeSettingsButton" << QRect(8, 8, 33, 33) << "";
    QTest::newRow("saveSettingsButton") << "saveSettingsButton" << QRect(64, 8, 33, 33) << "";
    QTest::newRow("waitLabel") << "waitLabel" << QRect(128, 16, 457, 25) << "";
    QTest::newRow("fontHeading") << "fontHeading" << QRect(8, 72, 625, 17)
                                 << "Hier wählen Sie die Schrift für die Arbeitsfenster aus:";
    QTest::newRow("fontList") << "fontList" << QRect(8, 88, 257, 194) << "";
    QTest::newRow("fontSizeList") << "fontSizeList" << QRect(264, 88, 25, 194) << "";
    QTest::newRow("previewCaption") << "previewCaption" << QRect(304, 120, 273, 17)
                                    << "Setze den Satz wieder richtig zusammen:";
    QTest::newRow("fontPreview") << "fontPreview" << QRect(304, 144, 313, 57) << "Dosensatz";
    QTest::newRow("secondFontPreview")
        << "secondFontPreview" << QRect(304, 208, 313, 57) << "Dosensatz";
    QTest::newRow("pointLimitHeading") << "pointLimitHeading" << QRect(8, 296, 625, 17)
                                       << "Hier stellen Sie die Punktezahl für die Belohnung ein:";
    QTest::newRow("pointLimitBar") << "pointLimitBar" << QRect(296, 320, 297, 17) << "";
    QTest::newRow("pointLimitLabel") << "pointLimitLabel" << QRect(592, 320, 33, 17) << "100";
    QTest::newRow("passwordButton") << "passwordButton" << QRect(8, 340, 33, 33) << "";
    QTest::newRow("passwordStateLabel")
        << "passwordStateLabel" << QRect(48, 340, 585, 33) << "Kein Lehrer-Passwort festgelegt.";
}

void SettingsWindowTest::controlsAtTheirPlaces() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    Fixture f;
    QCOMPARE(f.window->objectName(), "settingsWindow");
    QCOMPARE(f.window->windowTitle(), "Tivoral:  Einstellungen");
    QCOMPARE(f.window->size(), QSize(645, 378));
    QWidget* control = f.window->findChild<QWidget*>(name);
    QVERIFY(control);
    QTEST(control->geometry(), "geometry");
    if (auto* label = qobject_cast<QLabel*>(control))
        QCOMPARE(label->text(), text);
    if (auto* button = qobject_cast<QToolButton*>(control))
        QVERIFY(!button->icon().isNull() && !button->accessibleName().isEmpty());
}

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
    Fixture f({family, size});
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

void SettingsWindowTest::clicksChangeOnlyThePreviews() {
    Fixture f({Missing, 24});
    f.activateAndWaitForFonts();
    f.click(f.fonts(), Installed);
    f.click(f.sizes(), "12");
    for (const char* name : {"fontPreview", "secondFontPreview"}) {
        const QFont font = f.child<QLabel>(name)->font();
        QCOMPARE(font.family(), Installed);
        QCOMPARE(font.pointSize(), 12);
    }
    QCOMPARE(f.app.settings.exerciseFont(), (FontChoice{"Start", 24}));
    QVERIFY(!f.folder.exists(IniName));
}

void SettingsWindowTest::scrollBarSetsPointLimitAtOnce() {
    Fixture f;
    f.window->activate();
    auto* bar = f.child<QScrollBar>("pointLimitBar");
    bar->setValue(bar->maximum());
    QCOMPARE(f.child<QLabel>("pointLimitLabel")->text(), "300");
    QCOMPARE(f.app.settings.pointLimit(), 300);
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(2, bar->height() / 2));
    QCOMPARE(f.app.settings.pointLimit(), 299);
    QCOMPARE(f.child<QLabel>("pointLimitLabel")->text(), "299");
    QVERIFY(!f.folder.exists(IniName));
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
    Fixture f({family, size});
    f.activateAndWaitForFonts();
    if (!clickedSize.isEmpty())
        f.click(f.sizes(), clickedSize);
    f.child<QScrollBar>("pointLimitBar")->setValue(55);
    for (int round = 0; round < 2; ++round)
        QTest::mouseClick(f.child<QToolButton>("saveSettingsButton"), Qt::LeftButton);
    QTEST(f.folder.read(IniName), "written");
    const QString saved =
        "Die Einstellungen für die Schrift und\rdas Punktelimit wurden gespeichert.\r\r";
    QCOMPARE(f.dialogs.prompts(), (QStringList{saved, saved}));
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
    Fixture f;
    f.activateAndWaitForFonts();
    f.click(f.sizes(), "30");
    QSignalSpy returned(f.window.get(), &SettingsWindow::returnedToMainWindow);
    if (throughFrame)
        f.window->close();
    else
        QTest::mouseClick(f.child<QToolButton>("closeSettingsButton"), Qt::LeftButton);
    QCOMPARE(returned.size(), 1);
    QVERIFY(!f.window->isVisible());
    QCOMPARE(f.app.settings.exerciseFont(), (FontChoice{Installed, 30}));
    QCOMPARE(f.app.settings.readingFont(), (FontChoice{"Start", 24}));
    QCOMPARE(f.fonts()->count(), 0);
    QVERIFY(!f.folder.exists(IniName));
}

void SettingsWindowTest::passwordButtonSetsAndRemovesThePassword() {
    Fixture f;
    f.window->activate();
    auto* button = f.child<QToolButton>("passwordButton");
    QCOMPARE(button->toolTip(), "Lehrer-Passwort");
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
    f.dialogs.queueInput("Kreide42");
    QVERIFY(askTeacherPassword(f.app));

    f.dialogs.queueAnswer(Answer::No);
    f.dialogs.queueAnswer(Answer::Yes);
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(!f.folder.exists(PasswordFile::FileName));
    QCOMPARE(f.child<QLabel>("passwordStateLabel")->text(), "Kein Lehrer-Passwort festgelegt.");
}

QTEST_MAIN(SettingsWindowTest)
#include "test_settingswindow.moc"
