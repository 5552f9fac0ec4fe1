#include "editor/listrules.h"
#include "editor/sentenceeditor.h"
#include "support/fixture.h"

#include <QTest>

using namespace tivoral;

namespace {

const QStringList Three{"Der Hund bellt.", "Der Bauer fährt mit dem Traktor aufs Feld.", "Ende."};
const QString TooLong = "Der Satz ist zu lang: Ein Satz darf höchstens 16000 Zeichen haben.\r";

struct Editing : testing::Fixture {
    SentenceEditor editor{app};

    explicit Editing(int selected) {
        app.store.setEntries(Three);
        app.store.setSelected(selected);
    }
};

} // namespace

class SentenceEditorTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void add_data();
    void add();
    void deleteAsksFirst();
};

void SentenceEditorTest::add_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("cleaned"); // the input line after typing
    QTest::addColumn<QString>("refusal"); // empty when the line is added
    const auto row = [](const char* name, const QString& input, const QString& cleaned,
                        const QString& refusal) {
        QTest::newRow(name) << input << cleaned << refusal;
    };
    row("pasted duplicate", "Ende.\r\n", "Ende.", "Der Satz ist schon vorhanden!\r");
    row("differs only in case", "ende.", "ende.", "");
    row("tab, control characters, non-breaking space", "Oma\tkocht\x01 5\u00A0kg.\u2028",
        "Oma kocht 5 kg.", "");
    row("16 001 characters", QString(16001, 'a'), QString(16001, 'a'), TooLong);
}

void SentenceEditorTest::add() {
    QFETCH(QString, input);
    QFETCH(QString, cleaned);
    QFETCH(QString, refusal);
    Editing f(0);
    f.editor.setInput(input);
    QCOMPARE(f.editor.input(), cleaned);
    QCOMPARE(f.editor.add(), refusal.isEmpty());
    QCOMPARE(f.app.store.entries(), refusal.isEmpty() ? Three + QStringList{cleaned} : Three);
    QCOMPARE(f.dialogs.prompts(), refusal.isEmpty() ? QStringList() : QStringList{refusal});
    QCOMPARE(listrules::countLabelText(f.app.fileStatus),
             refusal.isEmpty() ? " 4 Sätze gefunden." : "");
}

void SentenceEditorTest::deleteAsksFirst() {
    Editing f(1);
    f.dialogs.queueAnswer(Answer::No);
    QVERIFY(!f.editor.deleteSelected());
    QCOMPARE(f.app.store.entries(), Three);
    f.dialogs.queueAnswer(Answer::Yes);
    QVERIFY(f.editor.deleteSelected());
    const QString question = "Der Bauer fährt mit dem Traktor aufs Fel ...\r";
    QCOMPARE(f.dialogs.prompts(),
             (QStringList{question, question, "Die Zeile 2 wurde gelöscht!\r"}));
    QCOMPARE(f.dialogs.messages().constFirst().defaultAnswer, Answer::No);
    QCOMPARE(f.app.store.entries(), (QStringList{Three[0], Three[2]}));
    QCOMPARE(f.app.store.selected(), 0);
    QCOMPARE(listrules::countLabelText(f.app.fileStatus), " 2 Sätze gefunden.");
}

QTEST_GUILESS_MAIN(SentenceEditorTest)
#include "test_sentenceeditor.moc"
