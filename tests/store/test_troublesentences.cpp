#include "store/troublesentences.h"

#include <QTest>

using namespace tivoral;
using namespace Qt::StringLiterals;

namespace {

const QString Lena = u"Lena"_s;
const QString File = u"TIERE.TXT"_s;
const QString A = u"Der Hund bellt."_s;
const QString B = u"Die Katze schläft."_s;
const QString C = u"Das Pferd läuft."_s;

PracticeEntry attempt(const QString& sentence, int red, int helps, const QString& user = Lena,
                      const QString& file = File,
                      PracticeEntry::Event event = PracticeEntry::Event::SentenceFinished) {
    return {{}, user, event, {}, file, sentence, 0, red, helps, 0};
}

using Entries = std::vector<PracticeEntry>;
constexpr int None = -1;

} // namespace

Q_DECLARE_METATYPE(Entries)

class TroubleSentencesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void worstSentenceOfTheFile_data();
    void worstSentenceOfTheFile();
    void recordReadOncePerChildAndFile();
};

void TroubleSentencesTest::worstSentenceOfTheFile_data() {
    QTest::addColumn<Entries>("record");
    QTest::addColumn<QStringList>("leftOut");
    QTest::addColumn<int>("worst");
    QTest::newRow("only the last three attempts count; ties go to the earlier in the file")
        << Entries{attempt(A, 9, 0), attempt(A, 0, 0), attempt(A, 1, 0),
                   attempt(A, 0, 0), attempt(C, 2, 0), attempt(B, 1, 1)}
        << QStringList{} << 1;
    QTest::newRow("the recently shown are left out")
        << Entries{attempt(A, 5, 0), attempt(B, 1, 0)} << QStringList{A} << 1;
    QTest::newRow("other children, files and events are ignored; file names match in any case")
        << Entries{attempt(A, 9, 0, u"Ben"_s), attempt(A, 9, 0, Lena, u"ZAHLEN.TXT"_s),
                   attempt(A, 9, 0, Lena, File, PracticeEntry::Event::Rettungsring),
                   attempt(A, 9, 0, u"lena"_s), attempt(B, 1, 0, Lena, u"tiere.txt"_s)}
        << QStringList{} << 1;
    QTest::newRow("no trouble: none") << Entries{attempt(A, 0, 0)} << QStringList{} << None;
}

void TroubleSentencesTest::worstSentenceOfTheFile() {
    QFETCH(Entries, record);
    QFETCH(QStringList, leftOut);
    const std::optional<int> worst =
        TroubleHistory::of(PracticeRecordContents::of(record), Lena, File)
            .worst({A, B, C}, leftOut);
    QTEST(worst.value_or(None), "worst");
}

// A class's year of record takes a moment to read: not again for every sentence.
void TroubleSentencesTest::recordReadOncePerChildAndFile() {
    int reads = 0;
    TroubleSentences trouble([&reads] {
        ++reads;
        return PracticeRecordContents::of({attempt(A, 1, 0)});
    });
    QCOMPARE(trouble.historyFor(Lena, File).troubleOf(A), 1);
    trouble.noteFinished(attempt(A, 2, 1));
    trouble.noteFinished(attempt(A, 9, 0, u"Ben"_s));
    QCOMPARE(trouble.historyFor(Lena, u"tiere.txt"_s).troubleOf(A), 4);
    QCOMPARE(reads, 1);
    QCOMPARE(trouble.historyFor(u"Ben"_s, File).troubleOf(A), 0);
    QCOMPARE(reads, 2);
}

QTEST_APPLESS_MAIN(TroubleSentencesTest)
#include "test_troublesentences.moc"
