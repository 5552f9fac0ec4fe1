#include "editor/sentenceeditor.h"
#include "store/appstate.h"
#include "support/scripteddialogs.h"
#include "support/sequencerandom.h"
#include "support/workfolder.h"

#include <QSignalSpy>
#include <QTest>

using namespace tivoral;
using testing::ScriptedDialogs;

namespace {

struct Fixture {
    testing::WorkFolder folder;
    ScriptedDialogs dialogs;
    testing::SequenceRandom random;
    AppState app{folder.dir(), dialogs, random};
    SentenceEditor editor{app};

    explicit Fixture(const QStringList& sentences = {}) {
        app.store.setEntries(sentences);
        if (!sentences.isEmpty())
            app.store.setSelected(0);
    }
};

const QStringList FiveSentences{
    QStringLiteral("Nach dem Essen mache ich meine Hausaufgaben."),
    QStringLiteral("Die Schule macht mir heute gar keinen Spaß."),
    QStringLiteral("Der Bauer fährt mit dem Traktor aufs Feld."),
    QStringLiteral("Vater bringt das Auto in die Werkstatt."),
    QStringLiteral("Auf der Autobahn ist ein Stau entstanden."),
};

QString words(int count) {
    QStringList list;
    for (int i = 0; i < count; ++i)
        list.append(QStringLiteral("Wort"));
    return list.join(QLatin1Char(' '));
}

} // namespace

class SentenceEditorTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void addRefusesEmptyAndExactDuplicate_data();
    void addRefusesEmptyAndExactDuplicate();
    void addAppendsAndUpdatesCount_data();
    void addAppendsAndUpdatesCount();
    void addRefusesWhenListIsFull();
    void replaceNeedsSelectionAndTestsNothing_data();
    void replaceNeedsSelectionAndTestsNothing();
    void fetchCopiesSelectedLineAndCountsItsWords();
    void deleteAsksWithLineNumberAndShortText_data();
    void deleteAsksWithLineNumberAndShortText();
    void deleteAnsweredNoKeepsEverything();
    void deleteOfOnlyEntryLeavesEmptyList();
    void nothingSelectedMeansNothingHappens();
    void wordDisplayFollowsEveryChange_data();
    void wordDisplayFollowsEveryChange();
    void warningComesAfterEighteenWordsAndStaysUntilClicked();
    void fileListToggles();
    void loadWithoutSelectedFileIsRefused();
    void loadReplacesListAndDisplays();
};

void SentenceEditorTest::addRefusesEmptyAndExactDuplicate_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("title");
    QTest::newRow("empty") << QString() << QStringLiteral("Es wurde kein Text eingegeben!\r")
                           << QStringLiteral("Listeneingabe");
    QTest::newRow("exact duplicate")
        << FiveSentences.at(2) << QStringLiteral("Der Satz ist schon vorhanden!\r")
        << QStringLiteral("Satzeingabe");
}

void SentenceEditorTest::addRefusesEmptyAndExactDuplicate() {
    QFETCH(QString, input);
    QFETCH(QString, prompt);
    QFETCH(QString, title);
    Fixture f(FiveSentences);
    const QString countBefore = f.app.fileStatus.editorCount;
    f.editor.setInput(input);
    QVERIFY(!f.editor.add());
    QCOMPARE(f.app.store.entries(), FiveSentences);
    QCOMPARE(f.app.fileStatus.editorCount, countBefore);
    QCOMPARE(f.dialogs.prompts(), QStringList{prompt});
    QCOMPARE(f.dialogs.last().title, title);
    QCOMPARE(f.dialogs.last().icon, Icon::None);
}

void SentenceEditorTest::addAppendsAndUpdatesCount_data() {
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("count");
    QTest::newRow("to an empty list") << QStringList() << QStringLiteral("Der Hund bellt.")
                                      << QStringLiteral(" 1 Sätze gefunden.");
    QTest::newRow("differs only in case")
        << FiveSentences << FiveSentences.at(0).toUpper() << QStringLiteral(" 6 Sätze gefunden.");
    QTest::newRow("blanks are kept")
        << FiveSentences << QStringLiteral(" Der  Hund ") << QStringLiteral(" 6 Sätze gefunden.");
}

void SentenceEditorTest::addAppendsAndUpdatesCount() {
    QFETCH(QStringList, entries);
    QFETCH(QString, input);
    QFETCH(QString, count);
    Fixture f(entries);
    f.editor.setInput(input);
    QVERIFY(f.editor.add());
    QCOMPARE(f.app.store.count(), entries.size() + 1);
    QCOMPARE(f.app.store.entries().constLast(), input);
    QCOMPARE(f.app.fileStatus.editorCount, count);
    QCOMPARE(f.editor.input(), input);
    QVERIFY(f.dialogs.boxes.isEmpty());
}

void SentenceEditorTest::addRefusesWhenListIsFull() {
    QStringList full;
    for (int i = 0; i < SentenceStore::MaxEntries; ++i)
        full.append(QString::number(i));
    Fixture f(full);
    f.editor.setInput(QStringLiteral("Einer zu viel."));
    QVERIFY(!f.editor.add());
    QCOMPARE(f.app.store.count(), SentenceStore::MaxEntries);
    QCOMPARE(f.dialogs.messages().size(), 1);
    QVERIFY(f.dialogs.last().prompt.contains(QStringLiteral("32767")));
}

void SentenceEditorTest::replaceNeedsSelectionAndTestsNothing_data() {
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QStringList>("expected");
    QStringList replaced = FiveSentences;
    replaced[1] = QStringLiteral("Neu.");
    QTest::newRow("second line") << 1 << QStringLiteral("Neu.") << replaced;
    QStringList emptied = FiveSentences;
    emptied[3].clear();
    QTest::newRow("with empty input leaves an empty entry") << 3 << QString() << emptied;
    QStringList duplicated = FiveSentences;
    duplicated[4] = FiveSentences.at(0);
    QTest::newRow("duplicate is not tested") << 4 << FiveSentences.at(0) << duplicated;
    QTest::newRow("no selection") << -1 << QStringLiteral("Neu.") << FiveSentences;
}

void SentenceEditorTest::replaceNeedsSelectionAndTestsNothing() {
    QFETCH(int, selected);
    QFETCH(QString, input);
    QFETCH(QStringList, expected);
    Fixture f(FiveSentences);
    f.app.store.setSelected(selected);
    f.editor.setInput(input);
    f.editor.replace();
    QCOMPARE(f.app.store.entries(), expected);
    QCOMPARE(f.app.store.selected(), selected);
    QVERIFY(f.dialogs.boxes.isEmpty());
}

void SentenceEditorTest::fetchCopiesSelectedLineAndCountsItsWords() {
    Fixture f(FiveSentences);
    QSignalSpy inputs(&f.editor, &SentenceEditor::inputChanged);
    f.app.store.setSelected(3);
    f.editor.fetch();
    QCOMPARE(f.editor.input(), FiveSentences.at(3));
    QCOMPARE(inputs.size(), 1);
    QCOMPARE(f.editor.wordDisplay(), QStringLiteral(" 7 Wörter"));
}

void SentenceEditorTest::deleteAsksWithLineNumberAndShortText_data() {
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("done");
    QTest::newRow("third line, 42 characters")
        << 2 << QStringLiteral("Der Bauer fährt mit dem Traktor aufs Fel ...\r")
        << QStringLiteral("Zeile 3 löschen?") << QStringLiteral("Die Zeile 3 wurde gelöscht!\r");
    QTest::newRow("fourth line, 39 characters")
        << 3 << QStringLiteral("Vater bringt das Auto in die Werkstatt.\r")
        << QStringLiteral("Zeile 4 löschen?") << QStringLiteral("Die Zeile 4 wurde gelöscht!\r");
}

void SentenceEditorTest::deleteAsksWithLineNumberAndShortText() {
    QFETCH(int, selected);
    QFETCH(QString, prompt);
    QFETCH(QString, title);
    QFETCH(QString, done);
    Fixture f(FiveSentences);
    f.app.store.setSelected(selected);
    f.dialogs.queueAnswer(Answer::Yes);
    QVERIFY(f.editor.deleteSelected());

    const QList<ScriptedDialogs::Box> boxes = f.dialogs.messages();
    QCOMPARE(boxes.size(), 2);
    QCOMPARE(boxes.at(0).prompt, prompt);
    QCOMPARE(boxes.at(0).title, title);
    QCOMPARE(boxes.at(0).buttons, Buttons::YesNo);
    QCOMPARE(boxes.at(0).icon, Icon::Question);
    QCOMPARE(boxes.at(0).defaultAnswer, Answer::No);
    QCOMPARE(boxes.at(1).prompt, done);
    QCOMPARE(boxes.at(1).title, QStringLiteral("Zeile löschen"));
    QCOMPARE(boxes.at(1).icon, Icon::None);

    QStringList expected = FiveSentences;
    expected.removeAt(selected);
    QCOMPARE(f.app.store.entries(), expected);
    QCOMPARE(f.app.store.selected(), 0);
    QCOMPARE(f.app.fileStatus.editorCount, QStringLiteral(" 4 Sätze gefunden."));
}

void SentenceEditorTest::deleteAnsweredNoKeepsEverything() {
    Fixture f(FiveSentences);
    f.app.store.setSelected(2);
    f.dialogs.queueAnswer(Answer::No);
    QVERIFY(!f.editor.deleteSelected());
    QCOMPARE(f.app.store.entries(), FiveSentences);
    QCOMPARE(f.app.store.selected(), 2);
    QCOMPARE(f.dialogs.messages().size(), 1);
}

void SentenceEditorTest::deleteOfOnlyEntryLeavesEmptyList() {
    Fixture f({QStringLiteral("Einziger Satz.")});
    f.dialogs.queueAnswer(Answer::Yes);
    QVERIFY(f.editor.deleteSelected());
    QVERIFY(f.app.store.isEmpty());
    QCOMPARE(f.app.store.selected(), SentenceStore::NoSelection);
    QCOMPARE(f.app.fileStatus.editorCount, QStringLiteral(" 0 Sätze gefunden."));
    QCOMPARE(f.dialogs.messages().constFirst().title, QStringLiteral("Zeile 1 löschen?"));
}

void SentenceEditorTest::nothingSelectedMeansNothingHappens() {
    Fixture f(FiveSentences);
    f.app.store.setSelected(SentenceStore::NoSelection);
    f.editor.setInput(QStringLiteral("Eingabe"));
    f.editor.fetch();
    f.editor.replace();
    QVERIFY(!f.editor.deleteSelected());
    QCOMPARE(f.editor.input(), QStringLiteral("Eingabe"));
    QCOMPARE(f.app.store.entries(), FiveSentences);
    QVERIFY(f.dialogs.boxes.isEmpty());
}

void SentenceEditorTest::wordDisplayFollowsEveryChange_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("display");
    QTest::newRow("two words") << QStringLiteral("Der Hund") << QStringLiteral(" 2 Wörter");
    QTest::newRow("one word") << QStringLiteral("Hund") << QStringLiteral(" 1 Wort");
    QTest::newRow("empty") << QString() << QStringLiteral(" 1 Wort");
    QTest::newRow("leading blank") << QStringLiteral(" Hund") << QStringLiteral(" 2 Wörter");
}

void SentenceEditorTest::wordDisplayFollowsEveryChange() {
    QFETCH(QString, input);
    QFETCH(QString, display);
    Fixture f;
    f.editor.setInput(QStringLiteral("Irgendein langer Satz mit Wörtern"));
    f.editor.setInput(input);
    QCOMPARE(f.editor.wordDisplay(), display);
}

void SentenceEditorTest::warningComesAfterEighteenWordsAndStaysUntilClicked() {
    Fixture f;
    QSignalSpy shown(&f.editor, &SentenceEditor::warningShownChanged);
    f.editor.setInput(words(18));
    QVERIFY(!f.editor.warningShown());
    f.editor.setInput(words(19));
    QVERIFY(f.editor.warningShown());
    f.editor.setInput(words(3));
    QVERIFY(f.editor.warningShown());
    f.editor.hideWarning();
    QVERIFY(!f.editor.warningShown());
    QCOMPARE(shown.size(), 2);
    f.editor.setInput(words(20));
    QVERIFY(f.editor.warningShown());
}

void SentenceEditorTest::fileListToggles() {
    Fixture f;
    const bool first = f.editor.fileListShown();
    f.editor.toggleFileList();
    QCOMPARE(f.editor.fileListShown(), !first);
    f.editor.toggleFileList();
    QCOMPARE(f.editor.fileListShown(), first);
}

void SentenceEditorTest::loadWithoutSelectedFileIsRefused() {
    Fixture f(FiveSentences);
    f.editor.toggleFileList();
    f.editor.selectFile(-1);
    f.editor.loadSelectedFile();
    QVERIFY(!f.editor.fileListShown());
    QCOMPARE(f.dialogs.prompts(), QStringList{QStringLiteral("Keine Dateien vorhanden!\r")});
    QCOMPARE(f.dialogs.last().title, QStringLiteral("Dosensätze laden"));
    QCOMPARE(f.dialogs.last().icon, Icon::None);
    QCOMPARE(f.app.store.entries(), FiveSentences);
}

void SentenceEditorTest::loadReplacesListAndDisplays() {
    Fixture f(FiveSentences);
    f.folder.write(QStringLiteral("tiere.txt"), "Der Hund bellt.\r\n   \r\nDie Kuh muht.\r\n");
    f.editor.refreshFiles();
    f.editor.toggleFileList();
    f.editor.selectFile(f.editor.files().indexOf(QStringLiteral("tiere.txt")));
    f.editor.loadSelectedFile();
    QVERIFY(!f.editor.fileListShown());
    QCOMPARE(f.app.store.entries(),
             (QStringList{QStringLiteral("Der Hund bellt."), QStringLiteral("Die Kuh muht.")}));
    QCOMPARE(f.app.fileStatus.editorCount, QStringLiteral(" 2 Sätze gefunden."));
    QVERIFY(f.app.fileStatus.editorFile.endsWith(QStringLiteral("tiere.txt")));
    QCOMPARE(f.app.fileStatus.mainCount, QStringLiteral(" 2"));
}

QTEST_GUILESS_MAIN(SentenceEditorTest)
#include "test_sentenceeditor.moc"
