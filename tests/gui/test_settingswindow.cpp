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

// Installed with the build dependencies, so the list always holds it.
const QString InstalledFamily = QStringLiteral("DejaVu Sans");
const QString IniName = QString::fromLatin1(SettingsFile::FileName);

struct Fixture {
    testing::WorkFolder folder;
    testing::ScriptedDialogs dialogs;
    testing::SequenceRandom random;
    AppState app{folder.dir(), dialogs, random};
    std::unique_ptr<SettingsWindow> window;

    explicit Fixture(const FontChoice& preview = {InstalledFamily, 18}) {
        app.settings.setPreviewFont(preview);
        window = std::make_unique<SettingsWindow>(app);
    }

    template <typename T> T* child(const char* name) const {
        T* widget = window->findChild<T*>(QLatin1String(name));
        if (!widget)
            qFatal("missing control %s", name);
        return widget;
    }
    QListWidget* fonts() const { return child<QListWidget>("List1"); }
    QListWidget* sizes() const { return child<QListWidget>("List2"); }
    QString currentText(QListWidget* list) const {
        return list->currentItem() ? list->currentItem()->text() : QString();
    }
    void activateAndWaitForFonts() const {
        window->activate();
        QTRY_VERIFY_WITH_TIMEOUT(fonts()->count() > 0, 3000);
    }
    void clickItem(QListWidget* list, const QString& text) const {
        const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
        QVERIFY(!found.isEmpty());
        list->scrollToItem(found.constFirst());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(found.constFirst()).center());
    }
};

} // namespace

class SettingsWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensWithTitleSizeAndControls_data();
    void opensWithTitleSizeAndControls();
    void waitTextShowsUntilFontsAreListed();
    void currentFontAndSizeAreSelected_data();
    void currentFontAndSizeAreSelected();
    void clicksChangeBothPreviews();
    void scrollBarSetsPointLimitAtOnce();
    void saveButtonWritesSettings();
    void leavingAppliesExerciseFontAndEmitsReturn_data();
    void leavingAppliesExerciseFontAndEmitsReturn();
};

void SettingsWindowTest::opensWithTitleSizeAndControls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::newRow("Picture1") << "Picture1" << QRect(8, 8, 33, 33) << "";
    QTest::newRow("Picture2") << "Picture2" << QRect(64, 8, 33, 33) << "";
    QTest::newRow("Label6") << "Label6" << QRect(128, 16, 505, 25) << "";
    QTest::newRow("Label4") << "Label4" << QRect(8, 72, 625, 17)
                            << "Hier wählen Sie die Schrift für die Arbeitsfenster aus:";
    QTest::newRow("List1") << "List1" << QRect(8, 88, 257, 194) << "";
    QTest::newRow("List2") << "List2" << QRect(264, 88, 25, 194) << "";
    QTest::newRow("Label3") << "Label3" << QRect(304, 120, 273, 17)
                            << "Setze den Satz wieder richtig zusammen:";
    QTest::newRow("Label1") << "Label1" << QRect(304, 144, 313, 57) << "Dosensatz";
    QTest::newRow("Label2") << "Label2" << QRect(304, 208, 313, 57) << "Dosensatz";
    QTest::newRow("Label5") << "Label5" << QRect(8, 296, 625, 17)
                            << "Hier stellen Sie die Punktezahl für die Belohnung ein:";
    QTest::newRow("HScroll1") << "HScroll1" << QRect(296, 320, 297, 17) << "";
    QTest::newRow("Label7") << "Label7" << QRect(592, 320, 33, 17) << "100";
}

void SettingsWindowTest::opensWithTitleSizeAndControls() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    Fixture f;
    QCOMPARE(f.window->objectName(), QStringLiteral("Form3"));
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Tivoral:  Einstellungen"));
    QCOMPARE(f.window->size(), QSize(645, 378));
    QWidget* control = f.window->findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), geometry);
    if (auto* label = qobject_cast<QLabel*>(control))
        QCOMPARE(label->text(), text);
    if (auto* button = qobject_cast<QToolButton*>(control)) {
        QVERIFY(!button->icon().isNull());
        QVERIFY(!button->accessibleName().isEmpty());
    }
}

void SettingsWindowTest::waitTextShowsUntilFontsAreListed() {
    Fixture f;
    auto* wait = f.child<QLabel>("Label6");
    f.window->activate();
    QCOMPARE(wait->text(), QStringLiteral("Bitte etwas Geduld, die Schriften werden geladen ..."));
    QCOMPARE(f.fonts()->count(), 0);
    QCOMPARE(f.sizes()->count(), 12);
    QTRY_VERIFY_WITH_TIMEOUT(f.fonts()->count() > 0, 3000);
    QCOMPARE(wait->text(), QString());
    QVERIFY(!f.fonts()->findItems(InstalledFamily, Qt::MatchExactly).isEmpty());
    for (int i = 1; i < f.fonts()->count(); ++i) {
        QVERIFY2(f.fonts()->item(i - 1)->text().compare(f.fonts()->item(i)->text(),
                                                        Qt::CaseInsensitive) <= 0,
                 qPrintable(f.fonts()->item(i)->text()));
    }
}

void SettingsWindowTest::currentFontAndSizeAreSelected_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("selectedFamily");
    QTest::addColumn<QString>("selectedSize");
    QTest::newRow("installed font, 18") << InstalledFamily << 18 << InstalledFamily << "18";
    QTest::newRow("size 11 selects nothing") << InstalledFamily << 11 << InstalledFamily << "";
    QTest::newRow("font not installed") << "Verdana Nicht Da" << 24 << ""
                                        << "24";
}

void SettingsWindowTest::currentFontAndSizeAreSelected() {
    QFETCH(QString, family);
    QFETCH(int, size);
    QFETCH(QString, selectedFamily);
    QFETCH(QString, selectedSize);
    Fixture f({family, size});
    f.activateAndWaitForFonts();
    QCOMPARE(f.currentText(f.fonts()), selectedFamily);
    QCOMPARE(f.currentText(f.sizes()), selectedSize);
    QCOMPARE(f.sizes()->selectedItems().size(), selectedSize.isEmpty() ? 0 : 1);
    QCOMPARE(f.fonts()->selectedItems().size(), selectedFamily.isEmpty() ? 0 : 1);
    QCOMPARE(f.app.settings.previewFont(), (FontChoice{family, size}));
}

void SettingsWindowTest::clicksChangeBothPreviews() {
    Fixture f({QStringLiteral("Verdana Nicht Da"), 24});
    f.activateAndWaitForFonts();
    f.clickItem(f.fonts(), InstalledFamily);
    f.clickItem(f.sizes(), QStringLiteral("12"));
    QCOMPARE(f.app.settings.previewFont(), (FontChoice{InstalledFamily, 12}));
    for (const char* name : {"Label1", "Label2"}) {
        const QFont font = f.child<QLabel>(name)->font();
        QCOMPARE(font.family(), InstalledFamily);
        QCOMPARE(font.pointSize(), 12);
        QVERIFY(font.bold());
    }
    QVERIFY(!f.app.settings.exerciseFont().has_value());
    QVERIFY(!f.folder.exists(IniName));
}

void SettingsWindowTest::scrollBarSetsPointLimitAtOnce() {
    Fixture f;
    f.window->activate();
    auto* bar = f.child<QScrollBar>("HScroll1");
    QCOMPARE(bar->minimum(), 1);
    QCOMPARE(bar->maximum(), 300);
    bar->setValue(bar->maximum());
    QCOMPARE(f.child<QLabel>("Label7")->text(), QStringLiteral("300"));
    QCOMPARE(f.app.settings.pointLimit(), 300);
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(2, bar->height() / 2));
    QCOMPARE(f.app.settings.pointLimit(), 299);
    QCOMPARE(f.child<QLabel>("Label7")->text(), QStringLiteral("299"));
    QVERIFY(!f.folder.exists(IniName));
}

void SettingsWindowTest::saveButtonWritesSettings() {
    Fixture f;
    f.activateAndWaitForFonts();
    f.clickItem(f.sizes(), QStringLiteral("20"));
    f.child<QScrollBar>("HScroll1")->setValue(55);
    QTest::mouseClick(f.child<QToolButton>("Picture2"), Qt::LeftButton);
    QCOMPARE(f.folder.read(IniName), QByteArray("DejaVu Sans\r\n20\r\n55\r\n"));
    QCOMPARE(f.dialogs.titles(), QStringList{QStringLiteral("Einstellungen")});
    QVERIFY(f.window->isVisible());
}

void SettingsWindowTest::leavingAppliesExerciseFontAndEmitsReturn_data() {
    QTest::addColumn<bool>("throughFrame");
    QTest::newRow("button") << false;
    QTest::newRow("window frame") << true;
}

void SettingsWindowTest::leavingAppliesExerciseFontAndEmitsReturn() {
    QFETCH(bool, throughFrame);
    Fixture f;
    const FontChoice started{QStringLiteral("Verdana"), 24};
    f.app.settings.applyFonts(started);
    f.activateAndWaitForFonts();
    f.clickItem(f.sizes(), QStringLiteral("30"));
    QSignalSpy returned(f.window.get(), &SettingsWindow::returnedToMainWindow);
    if (throughFrame)
        f.window->close();
    else
        QTest::mouseClick(f.child<QToolButton>("Picture1"), Qt::LeftButton);

    QCOMPARE(returned.size(), 1);
    QVERIFY(!f.window->isVisible());
    QCOMPARE(f.app.settings.exerciseFont(), (FontChoice{InstalledFamily, 30}));
    QCOMPARE(f.app.settings.readingFont(), started);
    QCOMPARE(f.fonts()->count(), 0);
    QVERIFY(!f.folder.exists(IniName));
}

QTEST_MAIN(SettingsWindowTest)
#include "test_settingswindow.moc"
