#include "store/appstate.h"
#include "support/scripteddialogs.h"
#include "support/sequencerandom.h"
#include "support/workfolder.h"
#include "worksheets/pageplan.h"
#include "worksheets/worksheetcontent.h"
#include "worksheets/worksheetmaker.h"

#include <QProcess>
#include <QTest>

using namespace tivoral;
using namespace tivoral::testing;

namespace {

// "section.item@top" per block, "h" for a heading; pages apart by " | ".
QString describe(const PagePlan& plan) {
    QStringList pages;
    for (const QList<PlacedBlock>& page : plan) {
        QStringList blocks;
        for (const PlacedBlock& block : page)
            blocks.append(QStringLiteral("%1.%2@%3")
                              .arg(block.section)
                              .arg(block.item == PlacedBlock::Heading ? QStringLiteral("h")
                                                                      : QString::number(block.item))
                              .arg(block.top));
        pages.append(blocks.join(QLatin1Char(' ')));
    }
    return pages.join(QStringLiteral(" | "));
}

class FakeSheetPrinter final : public SheetPrinter {
public:
    bool hasPrinter() const override { return installed; }
    bool print(const WorksheetContent& content, const QString& fontFamily,
               QString* error) override {
        printedAnswers = content.answers;
        usedFamily = fontFamily;
        if (!works)
            *error = QStringLiteral("Papierstau.");
        return works;
    }
    bool installed = false;
    bool works = true;
    QStringList printedAnswers;
    QString usedFamily;
};

// The text of each page of a PDF, blanks and line breaks made single blanks.
QStringList pdfPageTexts(const QString& path) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished() || pdftotext.exitCode() != 0)
        return {};
    QStringList pages =
        QString::fromUtf8(pdftotext.readAllStandardOutput()).split(QLatin1Char('\f'));
    for (QString& page : pages)
        page = page.simplified();
    if (!pages.isEmpty() && pages.constLast().isEmpty())
        pages.removeLast();
    return pages;
}

const QString Vater = QStringLiteral("Vater bringt das Auto in die Werkstatt.");

} // namespace

class WorksheetsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pagePlan_data();
    void pagePlan();
    void sheetsShowWhatTheExercisesShow();
    void listBeyondTheLimitAndSentencesTooLongForThePuzzle();
    void pdfUnderAFreshNameEndsWithTheAnswers_data();
    void pdfUnderAFreshNameEndsWithTheAnswers();
};

void WorksheetsTest::pagePlan_data() {
    QTest::addColumn<QList<double>>("headings"); // one section per heading
    QTest::addColumn<QList<QList<double>>>("items");
    QTest::addColumn<QString>("expected");
    // Pages 100 high, blocks 5 apart.
    QTest::newRow("all on one page")
        << QList<double>{20} << QList<QList<double>>{{30, 30}} << "0.h@0 0.0@25 0.1@60";
    QTest::newRow("a block exactly reaching the bottom stays")
        << QList<double>{20} << QList<QList<double>>{{35, 35}} << "0.h@0 0.0@25 0.1@65";
    QTest::newRow("a block crossing the bottom moves whole to the next page")
        << QList<double>{20} << QList<QList<double>>{{30, 30, 30}} << "0.h@0 0.0@25 0.1@60 | 0.2@0";
    QTest::newRow("every section begins a page")
        << QList<double>{10, 10} << QList<QList<double>>{{10}, {10}}
        << "0.h@0 0.0@15 | 1.h@0 1.0@15";
    QTest::newRow("a section without sentences gets no page")
        << QList<double>{10, 10, 10} << QList<QList<double>>{{10}, {}, {10}}
        << "0.h@0 0.0@15 | 2.h@0 2.0@15";
    QTest::newRow("a block taller than a page stands alone")
        << QList<double>{10} << QList<QList<double>>{{30, 150, 30}}
        << "0.h@0 0.0@15 | 0.1@0 | 0.2@0";
}

void WorksheetsTest::pagePlan() {
    QFETCH(QList<double>, headings);
    QFETCH(QList<QList<double>>, items);
    QList<SectionHeights> sections;
    for (int s = 0; s < headings.size(); ++s)
        sections.append(SectionHeights{headings.at(s), items.at(s)});
    QTEST(describe(planPages(sections, 100, 5)), "expected");
}

void WorksheetsTest::sheetsShowWhatTheExercisesShow() {
    // The exercises' own builders fill the sections; here: their order, one seeding, and the
    // text-case option shaping the paper as it shapes the screen, the answers left as stored.
    SequenceRandom random({0.0});
    TextCaseOption textCase;
    textCase.set(TextCase::Upper);
    const WorksheetContent content =
        composeWorksheet(QStringLiteral("A.TXT"), {Vater}, random, textCase);
    QCOMPARE(random.seedings, 1);
    QStringList titles;
    for (const auto& section : content.sections)
        titles.append(section.title);
    QCOMPARE(titles, QStringList({"Dosensatz", "Satzpuzzle", "Mosaiksatz", "Verrutscher Satz"}));
    QCOMPARE(content.sections.at(0).tasks.at(0).shownText,
             "AUTO BRINGT DAS DIE IN VATER WERKSTATT. ");
    QCOMPARE(content.sections.at(1).tasks.at(0).tiles.at(5), "VATER ");
    QVERIFY(content.sections.at(3).tasks.at(0).shownText.startsWith("V A T E R    B R I N G"));
    QCOMPARE(content.answers, QStringList{Vater});
}

void WorksheetsTest::listBeyondTheLimitAndSentencesTooLongForThePuzzle() {
    SequenceRandom random({0.5});
    TextCaseOption textCase;
    QStringList sentences(WorksheetContent::MaxSentences + 3, Vater);
    sentences[1] = QStringLiteral("Wort ").repeated(19).trimmed();
    const WorksheetContent content = composeWorksheet({}, sentences, random, textCase);
    QCOMPARE(content.answers.size(), WorksheetContent::MaxSentences);
    QCOMPARE(content.leftOut, 3);
    QList<int> puzzleNumbers;
    for (const SheetTask& task : content.sections.at(1).tasks)
        puzzleNumbers.append(task.number);
    QCOMPARE(puzzleNumbers.size(), WorksheetContent::MaxSentences - 1);
    QCOMPARE(puzzleNumbers.mid(0, 2), QList<int>({1, 3}));
    for (int s : {0, 2, 3})
        QCOMPARE(content.sections.at(s).tasks.at(1).number, 2);
}

void WorksheetsTest::pdfUnderAFreshNameEndsWithTheAnswers_data() {
    QTest::addColumn<bool>("installed");
    QTest::addColumn<bool>("works");
    QTest::addColumn<QString>("printNote"); // what the message adds about the printer
    QTest::addColumn<Icon>("icon");
    QTest::newRow("no printer") << false << true << "" << Icon::Information;
    QTest::newRow("printer") << true << true << "Es wird ausgedruckt ...\r" << Icon::Information;
    QTest::newRow("printer fails")
        << true << false << "Es konnte nicht gedruckt werden.\rPapierstau.\r" << Icon::Warning;
}

void WorksheetsTest::pdfUnderAFreshNameEndsWithTheAnswers() {
    QFETCH(bool, installed);
    QFETCH(bool, works);
    QFETCH(QString, printNote);
    WorkFolder folder;
    ScriptedDialogs dialogs;
    SequenceRandom random({0.3, 0.7, 0.1});
    AppState app(folder.dir(), dialogs, random);
    app.settings.applyFonts(FontChoice{QStringLiteral("DejaVu Sans"), 24});
    const QStringList sentences = SentenceFileLoader::defaultSentences();
    app.store.setEntries(sentences);
    // Earlier worksheets stay as they are; so does a link under the next free name.
    folder.write(QStringLiteral("ARBEITSBLATT.PDF"), "alt");
    QVERIFY(QFile::link(folder.path(QStringLiteral("nirgends")),
                        folder.path(QStringLiteral("ARBEITSBLATT-2.PDF"))));
    FakeSheetPrinter printer;
    printer.installed = installed;
    printer.works = works;

    WorksheetMaker(app, printer).make();

    QCOMPARE(folder.read(QStringLiteral("ARBEITSBLATT.PDF")), "alt");
    QVERIFY(!folder.exists(QStringLiteral("nirgends")));
    const QString path = folder.path(QStringLiteral("ARBEITSBLATT-3.PDF"));
    QCOMPARE(dialogs.prompts(),
             {"Das Arbeitsblatt ist als PDF-Datei gespeichert:\r" + path + "\r" + printNote});
    QCOMPARE(dialogs.titles(), {"Arbeitsblätter"});
    QTEST(dialogs.last().icon, "icon");
    QCOMPARE(printer.printedAnswers, installed ? sentences : QStringList());
    QCOMPARE(printer.usedFamily, installed ? "DejaVu Sans" : "");

    const QStringList pages = pdfPageTexts(path);
    QVERIFY2(pages.size() > 4, "pdftotext (poppler-utils) missing or the PDF unreadable");
    for (const char* title : {"Dosensatz", "Satzpuzzle", "Mosaiksatz", "Verrutscher Satz"})
        QVERIFY2(pages.join(QLatin1Char(' ')).contains(QLatin1String(title)), title);
    QString answers = QStringLiteral("Lösungen Die Nummern gelten für alle vier Übungen.");
    for (int k = 0; k < sentences.size(); ++k)
        answers += QStringLiteral(" %1 %2").arg(k + 1).arg(sentences.at(k));
    // The answers come last, on a page of their own.
    QVERIFY2(pages.constLast().contains(answers), qPrintable(pages.constLast()));
    QVERIFY(pages.constLast().contains(QStringLiteral("Seite %1 von %1").arg(pages.size())));
}

QTEST_MAIN(WorksheetsTest)
#include "test_worksheets.moc"
