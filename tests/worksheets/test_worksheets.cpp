#include "support/fixture.h"
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
        *error = QStringLiteral("Papierstau.");
        return false;
    }
    QStringList printedAnswers;
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

} // namespace

class WorksheetsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pdfUnderAFreshNameEndsWithTheAnswers();
};

void WorksheetsTest::pdfUnderAFreshNameEndsWithTheAnswers() {
    Fixture f({{QStringLiteral("ARBEITSBLATT.PDF"), "alt"}}, {0.3, 0.7, 0.1});
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
