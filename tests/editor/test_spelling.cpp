#include "editor/editorspelling.h"
#include "editor/listsaver.h"
#include "editor/samplelists.h"
#include "platform/folderlock.h"
#include "store/appstate.h"
#include "support/fixture.h"

#include <QTest>

using namespace tivoral;

namespace {

const QString Missing = "Rechtschreibprüfung nicht verfügbar (Paket hunspell-de-de fehlt)";

// The editor's spell check over a class folder whose word list holds Lina.
struct Spelling : testing::Fixture {
    EditorSpelling spelling{app};
    ListSaver saver{app, app.mainFiles};

    explicit Spelling(const QStringList& entries = {})
        : Fixture(testing::Files{{"WORTLISTE.TXT", "Lina\r\n"}}) {
        app.store.setEntries(entries);
        saver.setSaveCheck([this] { return spelling.mayGoOnWithSave(); });
        spelling.start();
        app.spelling.waitUntilLoaded();
    }
    // As the list's check marks it.
    QStringList unknownIn(const QString& sentence) {
        app.store.setEntries({sentence});
        spelling.listCheck().waitUntilDone();
        return spelling.listCheck().unknownWordsIn(0);
    }
};

} // namespace

class SpellingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void flagsWordsTheDictionaryDoesNotKnow_data();
    void flagsWordsTheDictionaryDoesNotKnow();
    void shippedListsHoldOnlyKnownWords();
    void readsALatin1Dictionary();
    void savingAsksAboutUnknownWords_data();
    void savingAsksAboutUnknownWords();
    void classWordListIsSharedAndNoSentenceList();
    void withoutDictionaryNothingIsFlagged();
};

void SpellingTest::flagsWordsTheDictionaryDoesNotKnow_data() {
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<QStringList>("unknown");
    QTest::newRow("typos") << "Die Kaze und die Kaze mit Hnud."
                           << QStringList{"Kaze", "Kaze", "Hnud"};
    QTest::newRow("small at the start") << "die Katze schläft." << QStringList();
    QTest::newRow("noun written small") << "Die katze schläft." << QStringList{"katze"};
    QTest::newRow("typo among numbers")
        << "Im Jahr 2024 hatte der Hnud 3 Bälle und 2x Fell." << QStringList{"Hnud"};
    QTest::newRow("class word, also in capitals") << "Lina und LINA lesen." << QStringList();
    QTest::newRow("umlauts and ß")
        << "Der Fußball rollt über die Straße zu Öztürks Mädchen." << QStringList{"Öztürks"};
    QTest::newRow("hyphens") << "Ich schreibe eine E-Mail über Haus- und Gartenarbeit."
                             << QStringList();
    QTest::newRow("short capitals, apostrophe")
        << "Das UFO und der ICE, wie geht's? KAZE!" << QStringList{"KAZE"};
}

void SpellingTest::flagsWordsTheDictionaryDoesNotKnow() {
    QFETCH(QString, sentence);
    Spelling f;
    QTEST(f.unknownIn(sentence), "unknown");
}

void SpellingTest::shippedListsHoldOnlyKnownWords() {
    QStringList sentences;
    for (const QString& name : SampleLists::names())
        sentences += SampleLists::sentences(name);
    Spelling f(sentences);
    f.spelling.listCheck().waitUntilDone();
    // The child's scooter: the dictionary knows only compounds of it.
    QCOMPARE(f.spelling.listCheck().allUnknownWords(), QStringList{"Roller"});
}

void SpellingTest::readsALatin1Dictionary() {
    testing::WorkFolder folder;
    folder.write("de_DE.aff", "SET ISO8859-1\n");
    folder.write("de_DE.dic", "2\nStra\xdf"
                              "e\nGr\xfc\xdf"
                              "e\n");
    SpellDictionary dictionary;
    dictionary.setFolder(folder.dir().path());
    QVERIFY(dictionary.waitUntilLoaded());
    QVERIFY(dictionary.isKnown("Straße") && dictionary.isKnown("Grüße"));
    QVERIFY(!dictionary.isKnown("Strasse") && !dictionary.isKnown("Straßeŋ"));
}

void SpellingTest::savingAsksAboutUnknownWords_data() {
    QTest::addColumn<Answer>("answer");
    QTest::newRow("Trotzdem speichern") << Answer::Yes;
    QTest::newRow("Zurück zur Liste") << Answer::No;
}

void SpellingTest::savingAsksAboutUnknownWords() {
    QFETCH(Answer, answer);
    const QStringList entries{"Der Hund bellt.", "Die Kaze schläft.", "Die Kaze und der Hnud."};
    Spelling f(entries);
    f.dialogs.queueAnswer(answer);
    f.dialogs.queueInput("liste");
    QCOMPARE(f.saver.save(),
             answer == Answer::Yes ? ListSaver::Result::Saved : ListSaver::Result::Declined);
    const testing::ScriptedDialogs::Box question = f.dialogs.boxes.constFirst();
    QCOMPARE(question.prompt, "Diese Wörter kennt die Rechtschreibprüfung nicht: Kaze, Hnud\r");
    QCOMPARE(question.title, "Rechtschreibprüfung");
    QCOMPARE(f.dialogs.questionButtons,
             QList<QStringList>({{"Trotzdem speichern", "Zurück zur Liste"}}));
    QCOMPARE(f.spelling.unknownCountText(), "2 unbekannte Wörter");
    if (answer == Answer::Yes) {
        QCOMPARE(f.folder.read("LISTE.TXT"), "Der Hund bellt.\r\nDie Kaze schl\xe4"
                                             "ft.\r\nDie Kaze und der Hnud.\r\n");
    } else {
        QCOMPARE(f.dialogs.boxes.size(), 1); // no name asked
        QVERIFY(!f.folder.exists("LISTE.TXT"));
        QCOMPARE(f.app.store.selected(), 1);
    }
}

void SpellingTest::classWordListIsSharedAndNoSentenceList() {
    Spelling f;
    f.saver.setSaveCheck({});
    QCOMPARE(f.unknownIn("Jöran und Ole"), QStringList({"Jöran", "Ole"}));
    // Another computer of the class added a word meanwhile.
    f.folder.write("WORTLISTE.TXT", "Lina\r\nOle\r\n");
    QVERIFY(f.spelling.addToWordList("Jöran"));
    QCOMPARE(f.folder.read("WORTLISTE.TXT"), "Lina\r\nOle\r\nJ\xf6ran\r\n");
    QCOMPARE(f.unknownIn("Jöran und Ole"), QStringList());

    // A list that cannot be read whole is not written back from the part that could.
    const QByteArray damaged = QByteArray(70000, 'x') + "\r\nLina\r\n";
    f.folder.write("WORTLISTE.TXT", damaged);
    QVERIFY(!f.spelling.addToWordList("Ole"));
    QCOMPARE(f.folder.read("WORTLISTE.TXT"), damaged);

    f.folder.write("A.TXT", "Eins.\r\n");
    f.app.mainFiles.refresh();
    QCOMPARE(f.app.mainFiles.names(), QStringList{"A.TXT"});
    f.dialogs.queueInput("wortliste.txt");
    QCOMPARE(f.saver.save(), ListSaver::Result::Refused);
    QCOMPARE(f.folder.read("WORTLISTE.TXT"), damaged);
}

void SpellingTest::withoutDictionaryNothingIsFlagged() {
    testing::WorkFolder empty;
    testing::Fixture f;
    f.app.store.setEntries({"Die Kaze schläft."});
    f.app.spelling.setFolder(empty.dir().path());
    EditorSpelling spelling(f.app);
    spelling.start();
    QCOMPARE(spelling.statusText(), Missing);
    QVERIFY(spelling.unknownInInput("Die Kaze schläft.").isEmpty());
    QVERIFY(spelling.mayGoOnWithSave());
    QCOMPARE(spelling.unknownCountText(), QString());
    QVERIFY(f.dialogs.boxes.isEmpty());
}

QTEST_GUILESS_MAIN(SpellingTest)
#include "test_spelling.moc"
