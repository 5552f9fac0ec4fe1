#include "editor/listprinter.h"
#include "platform/systemprinting.h"
#include "support/fixture.h"

#include <QRegularExpression>
#include <QTest>

using namespace tivoral;

namespace {

// Fails every print and PDF with `failure` unless it is empty.
struct FakePrinting final : Printing {
    bool hasPrinter() const override { return printer; }
    bool print(const QStringList&, const PrintFont&, QString* error) override {
        *error = failure;
        return failure.isEmpty();
    }
    bool writePdf(const QString& path, const QStringList& lines, const PrintFont& font,
                  QString* error) override {
        pdfPath = path;
        return print(lines, font, error);
    }
    bool printer = false;
    QString failure, pdfPath;
};

int pdfPages(const QByteArray& pdf) {
    return int(QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

} // namespace

class ListTransferTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void printOrOfferPdfUnderAFreeName_data();
    void printOrOfferPdfUnderAFreeName();
    void pdfPagesContinue();
};

void ListTransferTest::printOrOfferPdfUnderAFreeName_data() {
    QTest::addColumn<bool>("printer");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("loaded"); // the editor's file label
    QTest::addColumn<QString>("pdf");    // the PDF file written, empty: none
    QTest::addColumn<QString>("told");   // the last box's prompt, %1: the PDF's path
    const auto row = [](const char* name, bool printer, const QString& failure,
                        const QString& loaded, const QString& pdf, const QString& told) {
        QTest::newRow(name) << printer << failure << loaded << pdf << told;
    };
    const QString saved = "Die Liste wurde als PDF-Datei gespeichert:\r%1\r";
    row("printer", true, "", "", "", "Die Liste wird ausgedruckt ...\r");
    row("printer fails", true, "Papierstau", "", "",
        "Die Liste konnte nicht gedruckt werden.\rPapierstau\r");
    row("no printer, names taken", false, "", "/s/tiere.txt", "TIERE-3.PDF", saved);
    row("no printer, no file loaded", false, "", "", "SATZLISTE.PDF", saved);
    row("no printer, PDF fails", false, "Platte voll", "/s/straße.txt", "STRAßE.PDF",
        "Die PDF-Datei konnte nicht geschrieben werden.\r%1\rPlatte voll\r");
}

void ListTransferTest::printOrOfferPdfUnderAFreeName() {
    QFETCH(bool, printer);
    QFETCH(QString, failure);
    QFETCH(QString, loaded);
    QFETCH(QString, pdf);
    testing::Fixture f(testing::Files{{"TIERE.PDF", "%PDF alt"}, {"TIERE-2.PDF", "%PDF alt"}});
    f.app.store.setEntries({"Eins.", "Zwei."});
    f.app.fileStatus.setLoaded(2, loaded, "x");
    FakePrinting printing;
    printing.printer = printer;
    printing.failure = failure;
    f.dialogs.queueAnswer(Answer::Yes);
    ListPrinter(f.app, printing).print();
    QCOMPARE(printing.pdfPath, pdf.isEmpty() ? "" : f.folder.path(pdf));
    QFETCH(QString, told);
    QCOMPARE(f.dialogs.last().prompt, told.replace("%1", printing.pdfPath));
    // Without a printer, the PDF is offered first.
    QCOMPARE(f.dialogs.titles(),
             QStringList(printer ? 0 : 1, "Liste drucken") + QStringList{"Tivoral"});
}

void ListTransferTest::pdfPagesContinue() {
    testing::WorkFolder folder;
    QStringList lines;
    for (int i = 1; i <= 150; ++i)
        lines.append(QString("Satz Nummer %1 der langen Liste.").arg(i));
    SystemPrinting printing;
    QString error;
    const PrintFont font{"Arial", 10};
    QVERIFY2(printing.writePdf(folder.path("A.PDF"), lines, font, &error), qPrintable(error));
    // About 60 lines of 10 points fit on a page with margins.
    QCOMPARE(pdfPages(folder.read("A.PDF")), 3);
    QVERIFY(!printing.writePdf(folder.path("fehlt/C.PDF"), lines, font, &error));
    QVERIFY(!QFile::exists(folder.path("fehlt/C.PDF")));
}

QTEST_MAIN(ListTransferTest)
#include "test_listtransfer.moc"
