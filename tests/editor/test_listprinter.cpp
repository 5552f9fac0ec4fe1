#include "editor/listprinter.h"
#include "platform/printing.h"
#include "store/appstate.h"
#include "support/scripteddialogs.h"
#include "support/sequencerandom.h"
#include "support/workfolder.h"

#include <QRegularExpression>
#include <QTest>

using namespace tivoral;
using testing::ScriptedDialogs;

namespace {

class FakePrinting final : public Printing {
public:
    bool hasPrinter() const override { return printerInstalled; }
    bool print(const QStringList& lines, const PrintFont& font, QString* error) override {
        printed = lines;
        usedFont = font;
        if (!works && error)
            *error = QStringLiteral("Papierstau");
        return works;
    }
    bool writePdf(const QString& path, const QStringList& lines, const PrintFont& font,
                  QString* error) override {
        pdfPath = path;
        printed = lines;
        usedFont = font;
        if (!works && error)
            *error = QStringLiteral("Platte voll");
        return works;
    }

    bool printerInstalled = true;
    bool works = true;
    QStringList printed;
    PrintFont usedFont;
    QString pdfPath;
};

const QStringList Animals{QStringLiteral("Der Hund bellt."), QStringLiteral("Die Kuh muht.")};
const QString Printing_ = QStringLiteral("Die Liste wird ausgedruckt ...\r");

struct Fixture {
    testing::WorkFolder folder;
    ScriptedDialogs dialogs;
    testing::SequenceRandom random;
    AppState app{folder.dir(), dialogs, random};
    FakePrinting printing;
    ListPrinter printer{app, printing};

    explicit Fixture(const QStringList& sentences = Animals) { app.store.setEntries(sentences); }
};

int pdfPageCount(const QByteArray& pdf) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return int(QString::fromLatin1(pdf).count(page));
}

} // namespace

class ListPrinterTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void printsEveryLineInArialTen();
    void failedPrintIsReported();
    void emptyListIsNotPrinted();
    void withoutPrinterOffersPdf_data();
    void withoutPrinterOffersPdf();
    void pdfIsNamedAfterLoadedFile_data();
    void pdfIsNamedAfterLoadedFile();
    void failedPdfIsReported();
    void pdfPagesContinue();
    void pdfIntoMissingFolderFailsWithoutFile();
};

void ListPrinterTest::printsEveryLineInArialTen() {
    Fixture f;
    f.printer.print();
    QCOMPARE(f.printing.printed, Animals);
    QCOMPARE(f.printing.usedFont.family, QStringLiteral("Arial"));
    QCOMPARE(f.printing.usedFont.pointSize, 10);
    QCOMPARE(f.dialogs.prompts(), QStringList{Printing_});
    QCOMPARE(f.dialogs.last().title, QStringLiteral("Tivoral"));
    QCOMPARE(f.dialogs.last().icon, Icon::Information);
}

void ListPrinterTest::failedPrintIsReported() {
    Fixture f;
    f.printing.works = false;
    f.printer.print();
    QCOMPARE(f.dialogs.messages().size(), 1);
    QVERIFY(f.dialogs.last().prompt.contains(QStringLiteral("Papierstau")));
    QCOMPARE(f.dialogs.last().icon, Icon::Warning);
}

void ListPrinterTest::emptyListIsNotPrinted() {
    Fixture f(QStringList{});
    f.printer.print();
    QCOMPARE(f.printing.printed, QStringList());
    QCOMPARE(f.dialogs.messages().size(), 1);
    QVERIFY(!f.dialogs.prompts().contains(Printing_));
}

void ListPrinterTest::withoutPrinterOffersPdf_data() {
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("written");
    QTest::newRow("yes writes the PDF") << Answer::Yes << true;
    QTest::newRow("no writes nothing") << Answer::No << false;
}

void ListPrinterTest::withoutPrinterOffersPdf() {
    QFETCH(Answer, answer);
    QFETCH(bool, written);
    Fixture f;
    f.printing.printerInstalled = false;
    f.dialogs.queueAnswer(answer);
    f.printer.print();

    const QList<ScriptedDialogs::Box> boxes = f.dialogs.messages();
    QCOMPARE(boxes.at(0).buttons, Buttons::YesNo);
    QCOMPARE(boxes.at(0).icon, Icon::Question);
    QVERIFY(!f.dialogs.prompts().contains(Printing_));
    QCOMPARE(f.printing.pdfPath.isEmpty(), !written);
    QCOMPARE(boxes.size(), written ? 2 : 1);
    if (written) {
        QCOMPARE(f.printing.printed, Animals);
        QVERIFY(boxes.at(1).prompt.contains(f.folder.path(QStringLiteral("SATZLISTE.PDF"))));
        QCOMPARE(boxes.at(1).icon, Icon::Information);
    }
}

void ListPrinterTest::pdfIsNamedAfterLoadedFile_data() {
    QTest::addColumn<QString>("loadedPath");
    QTest::addColumn<QString>("pdfName");
    QTest::newRow("nothing loaded") << QString() << QStringLiteral("SATZLISTE.PDF");
    QTest::newRow("small letters")
        << QStringLiteral("/schule/tiere.txt") << QStringLiteral("TIERE.PDF");
    QTest::newRow("dots in name") << QStringLiteral("/schule/Klasse.2b.TXT")
                                  << QStringLiteral("KLASSE.2B.PDF");
}

void ListPrinterTest::pdfIsNamedAfterLoadedFile() {
    QFETCH(QString, loadedPath);
    QFETCH(QString, pdfName);
    Fixture f;
    f.app.fileStatus.setLoaded(QStringLiteral(" 2"), loadedPath, QStringLiteral("x"));
    QCOMPARE(f.printer.pdfFileName(), pdfName);
}

void ListPrinterTest::failedPdfIsReported() {
    Fixture f;
    f.printing.printerInstalled = false;
    f.printing.works = false;
    f.dialogs.queueAnswer(Answer::Yes);
    f.printer.print();
    QCOMPARE(f.dialogs.messages().size(), 2);
    QVERIFY(f.dialogs.last().prompt.contains(QStringLiteral("Platte voll")));
    QCOMPARE(f.dialogs.last().icon, Icon::Warning);
}

void ListPrinterTest::pdfPagesContinue() {
    testing::WorkFolder folder;
    QStringList lines;
    constexpr int LineCount = 150;
    for (int i = 1; i <= LineCount; ++i)
        lines.append(QStringLiteral("Satz Nummer %1 der langen Liste.").arg(i));
    SystemPrinting printing;
    QString error;
    const PrintFont font{QStringLiteral("Arial"), 10};
    QVERIFY2(printing.writePdf(folder.path(QStringLiteral("A.PDF")), lines, font, &error),
             qPrintable(error));
    QVERIFY2(printing.writePdf(folder.path(QStringLiteral("B.PDF")), lines.mid(0, 3), font, &error),
             qPrintable(error));
    const QByteArray many = folder.read(QStringLiteral("A.PDF"));
    const QByteArray few = folder.read(QStringLiteral("B.PDF"));
    QVERIFY(many.startsWith("%PDF"));
    QCOMPARE(pdfPageCount(few), 1);
    // About 60 lines of 10 points fit on a page with margins.
    QVERIFY(pdfPageCount(many) >= 2);
    QVERIFY(pdfPageCount(many) <= 4);
}

void ListPrinterTest::pdfIntoMissingFolderFailsWithoutFile() {
    testing::WorkFolder folder;
    SystemPrinting printing;
    QString error;
    const QString path = folder.path(QStringLiteral("fehlt/LISTE.PDF"));
    QVERIFY(!printing.writePdf(path, Animals, PrintFont{QStringLiteral("Arial"), 10}, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(path));
}

QTEST_MAIN(ListPrinterTest)
#include "test_listprinter.moc"
