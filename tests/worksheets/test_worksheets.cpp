#include "support/fixture.h"
#include "worksheets/pageplan.h"
#include "worksheets/worksheetcontent.h"
#include "worksheets/worksheetmaker.h"

#include <QProcess>
#include <QTest>

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

// The text of each page of a PDF, blanks and line breaks made single blanks.
QStringList pdfPageTexts(const QString& path) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), "UTF-8", path, "-"});
    pdftotext.waitForFinished();
    QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(u'\f');
    for (QString& page : pages)
        page = page.simplified();
    pages.removeAll(QString());
    return pages;
}

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

} // namespace

class WorksheetsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pagesNeverSplitASentence_data();
    void pagesNeverSplitASentence();
    void pdfUnderAFreshNameEndsWithTheAnswers();
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
    // The child reads coloured syllables: the worksheet marks them too, until a dialog asks.
    Fixture f({{QStringLiteral("ARBEITSBLATT.PDF"), "alt"},
               {QStringLiteral("TIVORAL.OPT"), "[*]\r\nSilbenFarbig = ja\r\n"}},
              {0.3, 0.7, 0.1});
    f.app.readingAids.reload();
    f.app.settings.applyFonts(FontChoice{QStringLiteral("DejaVu Sans"), 24});
    const QStringList sentences = SentenceFileLoader::defaultSentences();
    f.app.store.setEntries(sentences);
    // Earlier worksheets stay as they are; so does a link under the next free name.
    QVERIFY(QFile::link(f.folder.path(QStringLiteral("nirgends")),
                        f.folder.path(QStringLiteral("ARBEITSBLATT-2.PDF"))));
    FakeSheetPrinter printer;

    WorksheetMaker(f.app, printer).make();

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
    QString answers = QStringLiteral("Lösungen Die Nummern gelten für alle vier Übungen.");
    for (int k = 0; k < sentences.size(); ++k)
        answers += QStringLiteral(" %1 %2").arg(k + 1).arg(sentences.at(k));
    // The answers come last, on a page of their own.
    QVERIFY2(pages.constLast().contains(answers), qPrintable(pages.constLast()));
    QVERIFY(pages.constLast().contains(QStringLiteral("Seite %1 von %1").arg(pages.size())));
}

QTEST_MAIN(WorksheetsTest)
#include "test_worksheets.moc"
