#include "platform/syllables.h"
#include "platform/textfile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace tivoral;

namespace {
const QString SourceDir = QStringLiteral(TIVORAL_SOURCE_DIR);
// Reading teachers' marks the service must match, as a share of the word list.
constexpr double LeastShareRight = 0.97;
constexpr qsizetype LeastWords = 300;
} // namespace

class TestSyllables : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theIssuesExamplesAndMarks_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char* name, const QString& marked) {
            QTest::newRow(name) << QString(marked).remove(QLatin1Char('|'))
                                << marked.split(QLatin1Char('|'));
        };
        row("vowel alone at the start", QStringLiteral("A|bend"));
        row("ck stays together", QStringLiteral("Zu|cker"));
        row("ck after a lone vowel", QStringLiteral("E|cke"));
        row("compound joint", QStringLiteral("Fuß|ball"));
        row("compound of three", QStringLiteral("Blu|men|topf"));
        row("vowel alone inside a compound", QStringLiteral("tags|ü|ber"));
        row("no syllable without a vowel", QStringLiteral("Hund"));
        row("capitals, sharp s as capital", QStringLiteral("FUẞ|BALL"));
        row("marks on the first and last piece", QStringLiteral("„Scho|ko|la|de!“"));
        row("hyphen stays on the piece before", QStringLiteral("E-|Mail"));
        row("apostrophe inside", QStringLiteral("geht's"));
        row("letters the patterns do not hold", QStringLiteral("Łódź"));
        row("no letters at all", QStringLiteral("2026"));
    }
    void theIssuesExamplesAndMarks() {
        QFETCH(QString, word);
        QFETCH(QStringList, expected);
        QCOMPARE(syllables(word), expected);
    }

    void aReadingTeachersWordList() {
        QFile file(SourceDir + QStringLiteral("/tests/platform/syllables-words.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        QStringList wrong;
        qsizetype count = 0;
        for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            ++count;
            const QString got = syllables(QString(line).remove(QLatin1Char('|'))).join('|');
            if (got != line)
                wrong.append(line + QStringLiteral(" (got ") + got + QLatin1Char(')'));
        }
        const double share = double(count - wrong.size()) / double(count);
        qInfo("%lld of %lld words split as marked (%.1f %%); wrong: %s",
              static_cast<long long>(count - wrong.size()), static_cast<long long>(count),
              100 * share, qPrintable(wrong.join(QStringLiteral(", "))));
        QVERIFY(count >= LeastWords);
        QVERIFY(share >= LeastShareRight);
    }

    // Every word of every shipped list: the pieces give it back, and each holds a vowel.
    void piecesGiveEveryShippedWordBack() {
        const QDir lists(SourceDir + QStringLiteral("/data/beispiellisten"));
        const QStringList names = lists.entryList({QStringLiteral("*.TXT")});
        QVERIFY(!names.isEmpty());
        static const QRegularExpression vowel(QStringLiteral("[aeiouyäöü]"),
                                              QRegularExpression::CaseInsensitiveOption);
        for (const QString& name : names) {
            for (const QString& line : textfile::readLines(lists.filePath(name)).lines) {
                for (const QString& word : line.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                    const QStringList pieces = syllables(word);
                    QCOMPARE(pieces.join(QString()), word);
                    for (const QString& piece : pieces)
                        QVERIFY2(pieces.size() == 1 || piece.contains(vowel), qPrintable(word));
                }
            }
        }
    }

    void coloursRestartAtEveryWord() {
        const QList<SyllableSpan> expected{{0, 3, 0}, {4, 1, 0}, {5, 4, 1}, {11, 6, 0}};
        QCOMPARE(syllableSpans(QStringLiteral("Der Abend  kommt.")), expected);
    }

    void withoutThePatternsWordsStayWhole() {
        const QTemporaryDir empty;
        setHyphenationFolder(empty.path());
        const QStringList pieces = syllables(QStringLiteral("Schokolade"));
        const bool available = syllablesAvailable();
        setHyphenationFolder(QString::fromLatin1(SystemHyphenationFolder));
        QCOMPARE(pieces, QStringList{QStringLiteral("Schokolade")});
        QVERIFY(!available);
        QVERIFY(syllablesAvailable());
    }
};

QTEST_GUILESS_MAIN(TestSyllables)
#include "test_syllables.moc"
