#include "editor/listclipboard.h"
#include "platform/clipboard.h"
#include "store/appstate.h"
#include "support/scripteddialogs.h"
#include "support/sequencerandom.h"
#include "support/workfolder.h"

#include <QTest>

using namespace tivoral;

namespace {

class FakeClipboard final : public Clipboard {
public:
    QString text() const override { return content; }
    void setText(const QString& text) override {
        calls.append(QStringLiteral("set"));
        content = text;
    }
    void clear() override {
        calls.append(QStringLiteral("clear"));
        content.clear();
    }
    QString content;
    QStringList calls;
};

const QStringList FiveSentences{QStringLiteral("Eins."), QStringLiteral("Zwei."),
                                QStringLiteral("Drei."), QStringLiteral("Vier."),
                                QStringLiteral("Fünf.")};
const QString FiveCount = QStringLiteral(" 5 Sätze gefunden.");

struct Fixture {
    testing::WorkFolder folder;
    testing::ScriptedDialogs dialogs;
    testing::SequenceRandom random;
    AppState app{folder.dir(), dialogs, random};
    FakeClipboard clipboard;
    ListClipboard transfer{app, clipboard};

    explicit Fixture(const QStringList& sentences = FiveSentences) {
        app.store.setEntries(sentences);
        app.store.setSelected(sentences.isEmpty() ? -1 : 2 % int(sentences.size()));
        app.fileStatus.setEditorCount(FiveCount);
    }
};

} // namespace

class ListClipboardTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void copyReplacesClipboardWithTheList_data();
    void copyReplacesClipboardWithTheList();
    void pasteAppendsNewLinesAndLeavesCountDisplay_data();
    void pasteAppendsNewLinesAndLeavesCountDisplay();
    void copiedListPastesBackUnchanged();
    void pasteStopsAtFullListAndSaysSo();
};

void ListClipboardTest::copyReplacesClipboardWithTheList_data() {
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("text");
    QTest::newRow("five") << FiveSentences
                          << QStringLiteral("Eins.\r\nZwei.\r\nDrei.\r\nVier.\r\nFünf.\r\n");
    QTest::newRow("empty list") << QStringList() << QString();
}

void ListClipboardTest::copyReplacesClipboardWithTheList() {
    QFETCH(QStringList, entries);
    QFETCH(QString, text);
    Fixture f(entries);
    f.clipboard.content = QStringLiteral("Altes");
    f.transfer.copy();
    QCOMPARE(f.clipboard.calls, (QStringList{QStringLiteral("clear"), QStringLiteral("set")}));
    QCOMPARE(f.clipboard.content, text);
    QCOMPARE(f.dialogs.prompts(), QStringList{QStringLiteral("Die Liste wurde kopiert.\r")});
    QCOMPARE(f.dialogs.last().title, QStringLiteral("Ablage"));
    QCOMPARE(f.dialogs.last().icon, Icon::Information);
    QCOMPARE(f.app.store.entries(), entries);
}

void ListClipboardTest::pasteAppendsNewLinesAndLeavesCountDisplay_data() {
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QStringList>("added");
    QTest::newRow("three lines, second in other case")
        << QStringLiteral("Sechs.\r\nZWEI.\r\nSieben.\r\n")
        << QStringList{QStringLiteral("Sechs."), QStringLiteral("Sieben.")};
    QTest::newRow("last line without line break")
        << QStringLiteral("Sechs.\r\nSieben.\r\nAcht.")
        << QStringList{QStringLiteral("Sechs."), QStringLiteral("Sieben.")};
    QTest::newRow("empty clipboard") << QString() << QStringList();
    QTest::newRow("no line break") << QStringLiteral("Sechs.") << QStringList();
}

void ListClipboardTest::pasteAppendsNewLinesAndLeavesCountDisplay() {
    QFETCH(QString, clipboard);
    QFETCH(QStringList, added);
    Fixture f;
    f.clipboard.content = clipboard;
    QCOMPARE(f.transfer.paste(), added.size());
    QCOMPARE(f.app.store.entries(), FiveSentences + added);
    QCOMPARE(f.app.store.selected(), 2);
    QCOMPARE(f.app.fileStatus.editorCount, FiveCount);
    QVERIFY(f.dialogs.boxes.isEmpty());
}

void ListClipboardTest::copiedListPastesBackUnchanged() {
    Fixture f;
    f.transfer.copy();
    QCOMPARE(f.transfer.paste(), 0);
    QCOMPARE(f.app.store.entries(), FiveSentences);
}

void ListClipboardTest::pasteStopsAtFullListAndSaysSo() {
    QStringList almostFull;
    for (int i = 0; i < SentenceStore::MaxEntries - 1; ++i)
        almostFull.append(QString::number(i));
    Fixture f(almostFull);
    f.clipboard.content = QStringLiteral("a\r\nb\r\nc\r\n");
    QCOMPARE(f.transfer.paste(), 1);
    QCOMPARE(f.app.store.count(), SentenceStore::MaxEntries);
    QCOMPARE(f.app.store.entries().constLast(), QStringLiteral("a"));
    QCOMPARE(f.dialogs.messages().size(), 1);
    QVERIFY(f.dialogs.last().prompt.contains(QStringLiteral("2 Zeilen")));
}

QTEST_GUILESS_MAIN(ListClipboardTest)
#include "test_listclipboard.moc"
