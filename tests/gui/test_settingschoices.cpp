#include "shell/settingschoices.h"
#include "store/appstate.h"
#include "support/scripteddialogs.h"
#include "support/sequencerandom.h"
#include "support/workfolder.h"

#include <QTest>

using namespace tivoral;

namespace {

const QStringList Installed{QStringLiteral("Verdana"),      QStringLiteral("arial"),
                            QStringLiteral("Zapf"),         QStringLiteral("Äpfel Sans"),
                            QStringLiteral("Arial Narrow"), QStringLiteral("DejaVu Sans")};
const QString IniName = QString::fromLatin1(SettingsFile::FileName);

struct Fixture {
    testing::WorkFolder folder;
    testing::ScriptedDialogs dialogs;
    testing::SequenceRandom random;
    AppState app{folder.dir(), dialogs, random};
    SettingsChoices choices{app};

    explicit Fixture(const FontChoice& preview = {QStringLiteral("Verdana"), 24}) {
        app.settings.setPreviewFont(preview);
        choices.prepare();
    }
};

} // namespace

class SettingsChoicesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void preparingShowsWaitTextAndSizes();
    void fontsAreSortedWithoutRegardToCase();
    void currentSizeIsSelectedWhenListed_data();
    void currentSizeIsSelectedWhenListed();
    void currentFontIsSelectedOnlyWhenExactlyListed_data();
    void currentFontIsSelectedOnlyWhenExactlyListed();
    void choosingChangesOnlyThePreview();
    void pointLimitIsInForceAtOnceWithoutSaving();
    void saveWritesChosenValues();
    void saveKeepsCurrentValuesThatAreNotListed_data();
    void saveKeepsCurrentValuesThatAreNotListed();
    void returnAppliesPreviewToExercisesButNotReadingView();
};

void SettingsChoicesTest::preparingShowsWaitTextAndSizes() {
    Fixture f;
    QCOMPARE(f.choices.waitText(),
             QStringLiteral("Bitte etwas Geduld, die Schriften werden geladen ..."));
    QCOMPARE(f.choices.sizes(),
             (QStringList{"10", "12", "14", "16", "18", "20", "22", "24", "26", "28", "30", "32"}));
    QVERIFY(f.choices.fonts().isEmpty());
    f.choices.loadFontLists(Installed);
    QCOMPARE(f.choices.waitText(), QString());
}

void SettingsChoicesTest::fontsAreSortedWithoutRegardToCase() {
    Fixture f;
    f.choices.loadFontLists(Installed);
    QCOMPARE(f.choices.fonts(),
             (QStringList{QStringLiteral("Äpfel Sans"), QStringLiteral("arial"),
                          QStringLiteral("Arial Narrow"), QStringLiteral("DejaVu Sans"),
                          QStringLiteral("Verdana"), QStringLiteral("Zapf")}));
}

void SettingsChoicesTest::currentSizeIsSelectedWhenListed_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("selected");
    QTest::newRow("18") << 18 << QStringLiteral("18");
    QTest::newRow("10, first") << 10 << QStringLiteral("10");
    QTest::newRow("32, last") << 32 << QStringLiteral("32");
    QTest::newRow("11 selects nothing") << 11 << QString();
    QTest::newRow("36 selects nothing") << 36 << QString();
}

void SettingsChoicesTest::currentSizeIsSelectedWhenListed() {
    QFETCH(int, size);
    QFETCH(QString, selected);
    Fixture f({QStringLiteral("Verdana"), size});
    f.choices.loadFontLists(Installed);
    const int index = f.choices.selectedSize();
    QCOMPARE(index == SettingsChoices::NoEntry ? QString() : f.choices.sizes().at(index), selected);
    QCOMPARE(f.app.settings.previewFont().pointSize, size);
}

void SettingsChoicesTest::currentFontIsSelectedOnlyWhenExactlyListed_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("selected");
    QTest::newRow("listed") << QStringLiteral("DejaVu Sans") << QStringLiteral("DejaVu Sans");
    QTest::newRow("other case") << QStringLiteral("Arial") << QString();
    QTest::newRow("not installed") << QStringLiteral("Comic Sans MS") << QString();
}

void SettingsChoicesTest::currentFontIsSelectedOnlyWhenExactlyListed() {
    QFETCH(QString, family);
    QFETCH(QString, selected);
    Fixture f({family, 24});
    f.choices.loadFontLists(Installed);
    const int index = f.choices.selectedFont();
    QCOMPARE(index == SettingsChoices::NoEntry ? QString() : f.choices.fonts().at(index), selected);
    QCOMPARE(f.app.settings.previewFont().family, family);
}

void SettingsChoicesTest::choosingChangesOnlyThePreview() {
    Fixture f;
    f.choices.loadFontLists(Installed);
    f.choices.chooseFont(int(f.choices.fonts().indexOf(QStringLiteral("Zapf"))));
    f.choices.chooseSize(int(f.choices.sizes().indexOf(QStringLiteral("14"))));
    QCOMPARE(f.app.settings.previewFont(), (FontChoice{QStringLiteral("Zapf"), 14}));
    QVERIFY(!f.app.settings.exerciseFont().has_value());
    QVERIFY(!f.folder.exists(IniName));
    f.choices.chooseFont(99);
    f.choices.chooseSize(-1);
    QCOMPARE(f.app.settings.previewFont(), (FontChoice{QStringLiteral("Zapf"), 14}));
}

void SettingsChoicesTest::pointLimitIsInForceAtOnceWithoutSaving() {
    Fixture f;
    f.choices.setPointLimit(300);
    QCOMPARE(f.app.settings.pointLimit(), 300);
    QVERIFY(!f.folder.exists(IniName));
    QVERIFY(f.dialogs.boxes.isEmpty());
}

void SettingsChoicesTest::saveWritesChosenValues() {
    Fixture f;
    f.choices.loadFontLists(Installed);
    f.choices.chooseFont(int(f.choices.fonts().indexOf(QStringLiteral("Äpfel Sans"))));
    f.choices.chooseSize(int(f.choices.sizes().indexOf(QStringLiteral("28"))));
    f.choices.setPointLimit(42);
    for (int round = 0; round < 2; ++round)
        QVERIFY(f.choices.save());
    QCOMPARE(f.folder.read(IniName), QByteArray("\xC4pfel Sans\r\n28\r\n42\r\n"));
    const QString saved = QStringLiteral("Die Einstellungen für die Schrift und\r"
                                         "das Punktelimit wurden gespeichert.\r\r");
    QCOMPARE(f.dialogs.prompts(), (QStringList{saved, saved}));
    QCOMPARE(f.app.settings.readingFont(), (FontChoice{QStringLiteral("Äpfel Sans"), 28}));
}

void SettingsChoicesTest::saveKeepsCurrentValuesThatAreNotListed_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("size");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("font not installed")
        << QStringLiteral("Verdana Pro") << 20 << QByteArray("Verdana Pro\r\n20\r\n100\r\n");
    QTest::newRow("size not offered")
        << QStringLiteral("Zapf") << 13 << QByteArray("Zapf\r\n13\r\n100\r\n");
}

void SettingsChoicesTest::saveKeepsCurrentValuesThatAreNotListed() {
    QFETCH(QString, family);
    QFETCH(int, size);
    QFETCH(QByteArray, written);
    Fixture f({family, size});
    f.choices.loadFontLists(Installed);
    QVERIFY(f.choices.save());
    QCOMPARE(f.folder.read(IniName), written);
    // What was written must read back as valid settings at the next start.
    QCOMPARE(SettingsFile(f.folder.dir()).read()->font, (FontChoice{family, size}));
}

void SettingsChoicesTest::returnAppliesPreviewToExercisesButNotReadingView() {
    Fixture f;
    const FontChoice before{QStringLiteral("Verdana"), 24};
    f.app.settings.applyFonts(before);
    f.choices.loadFontLists(Installed);
    f.choices.chooseFont(int(f.choices.fonts().indexOf(QStringLiteral("Zapf"))));
    f.choices.chooseSize(int(f.choices.sizes().indexOf(QStringLiteral("30"))));
    f.choices.returnToMainWindow();
    QCOMPARE(f.app.settings.exerciseFont(), (FontChoice{QStringLiteral("Zapf"), 30}));
    QCOMPARE(f.app.settings.readingFont(), before);
    QVERIFY(f.choices.fonts().isEmpty());
    QCOMPARE(f.choices.selectedFont(), SettingsChoices::NoEntry);
    QVERIFY(!f.folder.exists(IniName));
}

QTEST_GUILESS_MAIN(SettingsChoicesTest)
#include "test_settingschoices.moc"
