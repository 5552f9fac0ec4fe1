#include "editor/listrules.h"
#include "editor/sentenceeditor.h"
#include "support/fixture.h"

#include <QTest>

using namespace tivoral;

namespace {

const QStringList Three{"Der Hund bellt.", "Der Bauer fährt mit dem Traktor aufs Feld.", "Ende."};

struct Editing : testing::Fixture {
    SentenceEditor editor{app};

    Editing(const QStringList& sentences, int selected) {
        app.store.setEntries(sentences);
        app.store.setSelected(selected);
    }
};

} // namespace

class SentenceEditorTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void add_data();
    void add();
    void replace_data();
    void replace();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void warningStaysUntilClicked();
};

void SentenceEditorTest::add_data() {
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("refusal"); // empty when the line is added
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("cleaned"); // the input line after typing
    const auto row = [](const char* name, const QStringList& entries, const QString& input,
                        const QString& refusal, const QString& count,
                        const QString& cleaned = QString()) {
        QTest::newRow(name) << entries << input << refusal << count
                            << (cleaned.isNull() ? input : cleaned);
    };
    row("empty input", Three, "", "Es wurde kein Text eingegeben!\r", "");
    row("exact duplicate", Three, "Ende.", "Der Satz ist schon vorhanden!\r", "");
    row("differs only in case", Three, "ende.", "", " 4 Sätze gefunden.");
    row("into an empty list", QStringList(), "Neu.", "", " 1 Sätze gefunden.");
    row("pasted with its line end", Three, "Ende.\r\n", "Der Satz ist schon vorhanden!\r", "",
        "Ende.");
    row("tab and control characters", Three, "Oma\tkocht\x01.\u2028", "", " 4 Sätze gefunden.",
        "Oma kocht.");
    row("non-breaking space", Three, "Es sind 5\u00A0km.", "", " 4 Sätze gefunden.",
        "Es sind 5 km.");
    row("16 000 characters", Three, QString(16000, 'a'), "", " 4 Sätze gefunden.");
    row("16 001 characters", Three, QString(16001, 'a'),
        "Der Satz ist zu lang: Ein Satz darf höchstens 16000 Zeichen haben.\r", "");
}

void SentenceEditorTest::add() {
    QFETCH(QStringList, entries);
    QFETCH(QString, input);
    QFETCH(QString, refusal);
    QFETCH(QString, cleaned);
    Editing f(entries, 0);
    f.editor.setInput(input);
    QCOMPARE(f.editor.input(), cleaned);
    QCOMPARE(f.editor.add(), refusal.isEmpty());
    QCOMPARE(f.app.store.entries(), refusal.isEmpty() ? entries + QStringList{cleaned} : entries);
    QCOMPARE(f.dialogs.prompts(), refusal.isEmpty() ? QStringList() : QStringList{refusal});
    QTEST(listrules::countLabelText(f.app.fileStatus), "count");
}

void SentenceEditorTest::replace_data() {
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("marked line") << 1 << "Neu." << QStringList{Three[0], "Neu.", Three[2]};
    QTest::newRow("empty input leaves an empty entry")
        << 2 << "" << QStringList{Three[0], Three[1], ""};
    QTest::newRow("nothing marked") << -1 << "Neu." << Three;
    QTest::newRow("longer than a sentence may be") << 1 << QString(16001, 'a') << Three;
}

void SentenceEditorTest::replace() {
    QFETCH(int, selected);
    QFETCH(QString, input);
    Editing f(Three, selected);
    f.editor.setInput(input);
    f.editor.replace();
    QTEST(f.app.store.entries(), "expected");
    QCOMPARE(f.dialogs.boxes.isEmpty(), input.size() <= 16000);
}

void SentenceEditorTest::deleteAsksFirst_data() {
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("selected");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QStringList>("prompts");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QStringList>("remaining");
    QTest::addColumn<int>("selectedAfter");
    QTest::addColumn<QString>("count"); // empty while the display is left alone
    QTest::newRow("second line of 42 characters, yes")
        << Three << 1 << Answer::Yes
        << QStringList{"Der Bauer fährt mit dem Traktor aufs Fel ...\r",
                       "Die Zeile 2 wurde gelöscht!\r"}
        << QStringList{"Zeile 2 löschen?", "Zeile löschen"} << QStringList{Three[0], Three[2]} << 0
        << " 2 Sätze gefunden.";
    QTest::newRow("no keeps everything") << Three << 2 << Answer::No << QStringList{"Ende.\r"}
                                         << QStringList{"Zeile 3 löschen?"} << Three << 2 << "";
    QTest::newRow("only entry") << QStringList{"Ende."} << 0 << Answer::Yes
                                << QStringList{"Ende.\r", "Die Zeile 1 wurde gelöscht!\r"}
                                << QStringList{"Zeile 1 löschen?", "Zeile löschen"} << QStringList()
                                << -1 << " 0 Sätze gefunden.";
}

void SentenceEditorTest::deleteAsksFirst() {
    QFETCH(QStringList, entries);
    QFETCH(int, selected);
    QFETCH(Answer, answer);
    Editing f(entries, selected);
    f.dialogs.queueAnswer(answer);
    QCOMPARE(f.editor.deleteSelected(), answer == Answer::Yes);
    QTEST(f.dialogs.prompts(), "prompts");
    QTEST(f.dialogs.titles(), "titles");
    QCOMPARE(f.dialogs.messages().constFirst().buttons, Buttons::YesNo);
    QCOMPARE(f.dialogs.messages().constFirst().defaultAnswer, Answer::No);
    QTEST(f.app.store.entries(), "remaining");
    QTEST(f.app.store.selected(), "selectedAfter");
    QTEST(listrules::countLabelText(f.app.fileStatus), "count");
}

void SentenceEditorTest::warningStaysUntilClicked() {
    Editing f(Three, 0);
    f.editor.setInput(QStringList(19, "Wort").join(' '));
    QVERIFY(f.editor.warningShown());
    f.editor.setInput("kurz");
    QVERIFY(f.editor.warningShown());
    f.editor.hideWarning();
    QVERIFY(!f.editor.warningShown());
}

QTEST_GUILESS_MAIN(SentenceEditorTest)
#include "test_sentenceeditor.moc"
