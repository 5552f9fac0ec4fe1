#include "editor/samplelists.h"
#include "exercises/verrutscher.h"
#include "support/fixture.h"
#include "support/pdftext.h"
#include "worksheets/pageplan.h"
#include "worksheets/worksheetcontent.h"
#include "worksheets/worksheetmaker.h"
#include "worksheets/worksheetoptions.h"

#include <QTest>

#include <numeric>

using namespace tivoral;
using namespace tivoral::testing;

namespace {

class FakeSheetPrinter final : public SheetPrinter {
public:
    bool hasPrinter() const override { return true; }
    bool print(const WorksheetContent& content, const QString&, QString* error) override {
        printedAnswers = content.answers;
        printedSyllables = content.options.syllables;
        *error = QStringLiteral("Papierstau.");
        return false;
    }
    QStringList printedAnswers;
    SyllableStyle printedSyllables = SyllableStyle::None;
};

// "section item@top" per block, pages apart by " | "; h is the heading.
QString planText(const PagePlan& plan) {
    QStringList pages;
    for (const QList<PlacedBlock>& page : plan) {
        QStringList blocks;
        for (const PlacedBlock& block : page)
            blocks << QStringLiteral("%1%2@%3")
                          .arg(block.section)
                          .arg(block.item == PlacedBlock::Heading ? QStringLiteral("h")
                                                                  : QString::number(block.item))
                          .arg(block.top);
        pages << blocks.join(u' ');
    }
    return pages.join(QStringLiteral(" | "));
}

using Sections = QList<SectionHeights>;
using Exercises = QList<SheetExercise>;

// The newest worksheet PDF the maker wrote into the folder.
QString newestWorksheet(const WorkFolder& folder) {
    const QStringList pdfs =
        folder.dir().entryList({QStringLiteral("ARBEITSBLATT*.PDF")}, QDir::Files, QDir::Time);
    return pdfs.isEmpty() ? QString() : folder.path(pdfs.constFirst());
}

} // namespace

class WorksheetsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pagesNeverSplitASentence_data();
    void pagesNeverSplitASentence();
    void pdfUnderAFreshNameEndsWithTheAnswers();
    void choicesMakeTheirPages_data();
    void choicesMakeTheirPages();
    void verrutscherGroupsStayWhole();
};

// Pages 10 high, blocks 1 apart.
void WorksheetsTest::pagesNeverSplitASentence_data() {
    QTest::addColumn<Sections>("sections");
    QTest::addColumn<QString>("plan");
    QTest::newRow("each section begins a page; a block that just fits stays")
        << Sections{{2, {3, 3}}, {2, {1}}} << QStringLiteral("0h@0 00@3 01@7 | 1h@0 10@3");
    QTest::newRow("a block that does not fit moves whole")
        << Sections{{2, {4, 4}}} << QStringLiteral("0h@0 00@3 | 01@0");
    QTest::newRow("a block taller than a page stands alone")
        << Sections{{2, {3, 15, 3}}} << QStringLiteral("0h@0 00@3 | 01@0 | 02@0");
    QTest::newRow("a section without sentences gets no page")
        << Sections{{2, {}}, {2, {1}}} << QStringLiteral("1h@0 10@3");
}

void WorksheetsTest::pagesNeverSplitASentence() {
    QFETCH(Sections, sections);
    QFETCH(QString, plan);
    constexpr double PageHeight = 10;
    constexpr double Gap = 1;
    QCOMPARE(planText(planPages(sections, PageHeight, Gap)), plan);
}

void WorksheetsTest::pdfUnderAFreshNameEndsWithTheAnswers() {
    // The teacher chose coloured syllables for the folder's worksheets.
    Fixture f({{QStringLiteral("ARBEITSBLATT.PDF"), "alt"},
               {QStringLiteral("TIVORAL.OPT"), "[*]\r\nArbeitsblattSilben = farbig\r\n"}},
              {0.3, 0.7, 0.1});
    f.app.readingAids.reload();
    f.app.settings.applyFonts(FontChoice{QStringLiteral("DejaVu Sans"), 24});
    const QStringList sentences = SentenceFileLoader::defaultSentences();
    f.app.store.setEntries(sentences);
    // Earlier worksheets stay as they are; so does a link under the next free name.
    QVERIFY(QFile::link(f.folder.path(QStringLiteral("nirgends")),
                        f.folder.path(QStringLiteral("ARBEITSBLATT-2.PDF"))));
    FakeSheetPrinter printer;

    WorksheetMaker(f.app, printer).make(worksheetoptions::read(f.app.readingAids.file()));

    QCOMPARE(f.folder.read(QStringLiteral("ARBEITSBLATT.PDF")), "alt");
    QVERIFY(!f.folder.exists(QStringLiteral("nirgends")));
    const QString path = f.folder.path(QStringLiteral("ARBEITSBLATT-3.PDF"));
    QCOMPARE(f.dialogs.prompts(), {"Das Arbeitsblatt ist als PDF-Datei gespeichert:\r" + path +
                                   "\r" + "Es konnte nicht gedruckt werden.\rPapierstau.\r"});
    QCOMPARE(f.dialogs.last().icon, Icon::Warning);
    QCOMPARE(printer.printedAnswers, sentences);
    QCOMPARE(printer.printedSyllables, SyllableStyle::Colours);

    const QStringList pages = pdfPageTexts(path);
    QVERIFY2(pages.size() > 4, "pdftotext (poppler-utils) missing or the PDF unreadable");
    QString answers = QStringLiteral("Lösungen Die Nummern gelten für alle Übungen.");
    for (int k = 0; k < sentences.size(); ++k)
        answers += QStringLiteral(" %1 %2").arg(k + 1).arg(sentences.at(k));
    // The answers come last, on a page of their own.
    QVERIFY2(pages.constLast().contains(answers), qPrintable(pages.constLast()));
    QVERIFY(pages.constLast().contains(QStringLiteral("Seite %1 von %1").arg(pages.size())));
}

void WorksheetsTest::choicesMakeTheirPages_data() {
    QTest::addColumn<QString>("list"); // a sample list, or the starter list
    QTest::addColumn<Exercises>("exercises");
    QTest::addColumn<bool>("solutions");
    QTest::addColumn<WorksheetOptions::Sentences>("which");
    QTest::addColumn<QList<int>>("chosen"); // the rows on the sheet
    QTest::addColumn<int>("maxPages");
    using S = WorksheetOptions::Sentences;
    QList<int> all(34);
    std::iota(all.begin(), all.end(), 0);
    QTest::newRow("starter list, one exercise, no solutions")
        << "" << Exercises{SheetExercise::Dosensatz} << false << S::All << QList<int>{0, 1, 2, 3, 4}
        << 3;
    QTest::newRow("34 sentences, all four with solutions")
        << "DOPPELT.TXT"
        << Exercises{SheetExercise::Dosensatz, SheetExercise::Puzzle, SheetExercise::Mosaic,
                     SheetExercise::Verrutscher}
        << true << S::All << all << 30;
    QTest::newRow("marked sentences, Verrutscher with solutions")
        << "DOPPELT.TXT" << Exercises{SheetExercise::Verrutscher} << true << S::Marked
        << QList<int>{7, 18, 30} << 2;
    QTest::newRow("the first 4, Mosaiksatz and Satzpuzzle")
        << "DOPPELT.TXT" << Exercises{SheetExercise::Puzzle, SheetExercise::Mosaic} << false
        << S::First << QList<int>{0, 1, 2, 3} << 3;
}

void WorksheetsTest::choicesMakeTheirPages() {
    QFETCH(QString, list);
    QFETCH(bool, solutions);
    QFETCH(QList<int>, chosen);
    Fixture f;
    const QStringList sentences =
        list.isEmpty() ? SentenceFileLoader::defaultSentences() : SampleLists::sentences(list);
    f.app.store.setEntries(sentences);
    WorksheetOptions options;
    QFETCH(Exercises, exercises);
    options.exercises = exercises;
    options.solutions = solutions;
    QFETCH(WorksheetOptions::Sentences, which);
    options.sentences = which;
    options.firstCount = int(chosen.size());
    options.fontFamily = QStringLiteral("DejaVu Sans");
    FakeSheetPrinter printer;
    WorksheetMaker(f.app, printer).make(options, {30, 7, 18});

    QStringList answers;
    for (const int row : chosen)
        answers << sentences.at(row);
    QCOMPARE(printer.printedAnswers, answers);
    const QStringList pages = pdfPageTexts(newestWorksheet(f.folder));
    QFETCH(int, maxPages);
    qInfo("%lld pages", qlonglong(pages.size()));
    QVERIFY2(!pages.isEmpty() && pages.size() <= maxPages,
             qPrintable(QString::number(pages.size())));
    int solutionPages = 0;
    for (const QString& page : pages) {
        // The solutions come last, from their heading on.
        const bool forTheTeacher = solutionPages > 0 || page.contains(QStringLiteral("Lösungen"));
        solutionPages += forTheTeacher;
        // Every page a child works on asks for the name; letters are never joined.
        QVERIFY2(page.contains(QStringLiteral("Name:")) != forTheTeacher, qPrintable(page));
        QVERIFY(!page.contains(QChar(0xFB01)) && !page.contains(QChar(0xFB02)));
    }
    QCOMPARE(solutionPages > 0, solutions);
    if (solutions) {
        const QString last = pages.mid(pages.size() - solutionPages).join(u' ');
        for (const QString& answer : answers)
            QVERIFY2(last.contains(answer), qPrintable(answer));
    }
}

void WorksheetsTest::verrutscherGroupsStayWhole() {
    // With the shift 0 the groups are the first L letters, the next L, and so on.
    const QString sentence = QStringLiteral(
        "Am Himmel fliegt ein bunter Ballon über die Felder und Wälder bis hinauf zum Kirchturm.");
    Fixture f({}, {0.0});
    f.app.store.setEntries({sentence});
    WorksheetOptions options;
    options.exercises = {SheetExercise::Verrutscher};
    options.solutions = false;
    options.fontFamily = QStringLiteral("DejaVu Sans");
    FakeSheetPrinter printer;
    WorksheetMaker(f.app, printer).make(options);

    QList<PdfWord> words = pdfWords(newestWorksheet(f.folder));
    // The item's number stands beside its first line.
    words.removeIf([](const PdfWord& word) { return word.text == QStringLiteral("1"); });
    const Misprint misprint = [&] {
        testing::SequenceRandom zero({0.0});
        return buildMisprint(sentence, zero);
    }();
    const QString& letters = misprint.letters;
    qsizetype first = 0;
    const auto isLetter = [&](qsizetype word, qsizetype letter) {
        return words.at(word).text.compare(letters.mid(letter, 1), Qt::CaseInsensitive) == 0;
    };
    while (first + 1 < words.size() && !(isLetter(first, 0) && isLetter(first + 1, 1)))
        ++first;
    QVERIFY(first + letters.size() <= words.size());
    double lastTop = words.at(first).top;
    int lines = 1;
    for (qsizetype k = 0; k < letters.size(); ++k) {
        const PdfWord& word = words.at(first + k);
        QVERIFY(isLetter(first + k, k));
        if (word.top == lastTop)
            continue;
        ++lines;
        QVERIFY2(k % misprint.groupLength == 0, "a letter group broke across lines");
        lastTop = word.top;
    }
    QVERIFY2(lines > 1, "the sentence should need more than one line");
}

QTEST_MAIN(WorksheetsTest)
#include "test_worksheets.moc"
