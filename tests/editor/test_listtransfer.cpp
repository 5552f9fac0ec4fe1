#include "editor/listclipboard.h"
#include "editor/listprinter.h"
#include "editor/listrules.h"
#include "platform/clipboard.h"
#include "platform/printing.h"
#include "platform/systemprinting.h"
#include "support/fixture.h"

#include <QRegularExpression>
#include <QTest>

using namespace tivoral;

namespace {

class FakeClipboard final : public Clipboard {
public:
    QString text() const override { return content; }
    void setText(const QString& text) override { content = text; }
    void clear() override { content = "cleared"; }
    QString content;
};

class FakePrinting final : public Printing {
public:
    bool hasPrinter() const override { return installed; }
    bool print(const QStringList& lines, const PrintFont& font, QString*) override {
        printed = lines;
        usedFont = font;
        return true;
    }
    bool writePdf(const QString& path, const QStringList& lines, const PrintFont&,
                  QString*) override {
        pdfPath = path;
        printed = lines;
        return true;
    }
    bool installed = true;
    QStringList printed;
    PrintFont usedFont;
    QString pdfPath;
};

const QStringList Five{"Eins.", "Zwei.", "Drei.", "Vier.", "Fünf."};

struct Transfer : testing::Fixture {
    FakeClipboard clipboard;
    FakePrinting printing;
    ListClipboard transfer{app, clipboard};
    ListPrinter printer{app, printing};

    Transfer() {
        app.store.setEntries(Five);
        app.store.setSelected(2);
        app.fileStatus.setEditorCount(5);
    }
};

int pdfPages(const QByteArray& pdf) {
    return int(QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

} // namespace

class ListTransferTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void copyPutsEveryLineWithCrLf();
    void pasteAppendsNewLinesButNotTheCount();
    void printsEveryLineInArialTen();
    void withoutPrinterOffersPdf_data();
    void withoutPrinterOffersPdf();
    void pdfPagesContinue();
};

void ListTransferTest::copyPutsEveryLineWithCrLf() {
    Transfer f;
    f.transfer.copy();
    QCOMPARE(f.clipboard.content, "Eins.\r\nZwei.\r\nDrei.\r\nVier.\r\nFünf.\r\n");
    QCOMPARE(f.dialogs.prompts(), QStringList{"Die Liste wurde kopiert.\r"});
    QCOMPARE(f.dialogs.titles(), QStringList{"Ablage"});
    QCOMPARE(f.transfer.paste(), 0);
}

// Which lines are new is decided in the list rules; here they must reach the store.
void ListTransferTest::pasteAppendsNewLinesButNotTheCount() {
    Transfer f;
    // A line longer than a sentence may be is refused, the others are taken.
    f.clipboard.content = "Sechs.\r\nZWEI.\r\n" + QString(16001, 'x') + "\r\nSieben.\r\nAcht.";
    QCOMPARE(f.transfer.paste(), 2);
    QCOMPARE(f.app.store.entries(), Five + QStringList({"Sechs.", "Sieben."}));
    QCOMPARE(f.app.store.selected(), 2);
    QCOMPARE(listrules::countLabelText(f.app.fileStatus), " 5 Sätze gefunden.");
    QCOMPARE(f.dialogs.prompts(),
             QStringList{"Der Satz ist zu lang: Ein Satz darf höchstens 16000 Zeichen haben.\r"
                         "1 zu lange Zeile aus der Ablage wurde nicht übernommen.\r"});
}

void ListTransferTest::printsEveryLineInArialTen() {
    Transfer f;
    f.printer.print();
    QCOMPARE(f.printing.printed, Five);
    QCOMPARE(f.printing.usedFont.family, "Arial");
    QCOMPARE(f.printing.usedFont.pointSize, 10);
    QCOMPARE(f.dialogs.prompts(), QStringList{"Die Liste wird ausgedruckt ...\r"});
    QCOMPARE(f.dialogs.last().icon, Icon::Information);
}

void ListTransferTest::withoutPrinterOffersPdf_data() {
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("loaded");
    QTest::addColumn<QString>("pdf");         // empty when nothing is written
    QTest::addColumn<QStringList>("present"); // files already in the folder
    QTest::newRow("yes, named after the loaded file") << Answer::Yes << "/s/tiere.txt"
                                                      << "TIERE.PDF" << QStringList();
    QTest::newRow("yes, nothing loaded") << Answer::Yes << ""
                                         << "SATZLISTE.PDF" << QStringList();
    QTest::newRow("no") << Answer::No << "/s/tiere.txt"
                        << "" << QStringList();
    QTest::newRow("yes, name taken twice")
        << Answer::Yes << "/s/tiere.txt"
        << "TIERE-3.PDF" << QStringList{"TIERE.PDF", "TIERE-2.PDF"};
}

void ListTransferTest::withoutPrinterOffersPdf() {
    QFETCH(Answer, answer);
    QFETCH(QString, loaded);
    QFETCH(QString, pdf);
    QFETCH(QStringList, present);
    Transfer f;
    for (const QString& name : present)
        f.folder.write(name, "%PDF alt");
    f.app.fileStatus.setLoaded(5, loaded, "x");
    f.printing.installed = false;
    f.dialogs.queueAnswer(answer);
    f.printer.print();
    QCOMPARE(f.dialogs.messages().constFirst().buttons, Buttons::YesNo);
    QVERIFY(!f.dialogs.prompts().contains("Die Liste wird ausgedruckt ...\r"));
    QCOMPARE(f.printing.pdfPath, pdf.isEmpty() ? QString() : f.folder.path(pdf));
    QCOMPARE(f.dialogs.messages().size(), pdf.isEmpty() ? 1 : 2);
    if (!pdf.isEmpty())
        QVERIFY(f.dialogs.last().prompt.contains(f.folder.path(pdf)));
    for (const QString& name : present)
        QCOMPARE(f.folder.read(name), "%PDF alt");
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
    QVERIFY(printing.writePdf(folder.path("B.PDF"), lines.mid(0, 3), font, &error));
    QVERIFY(folder.read("A.PDF").startsWith("%PDF"));
    QCOMPARE(pdfPages(folder.read("B.PDF")), 1);
    // About 60 lines of 10 points fit on a page with margins.
    QCOMPARE(pdfPages(folder.read("A.PDF")), 3);
    QVERIFY(!printing.writePdf(folder.path("fehlt/C.PDF"), lines, font, &error));
    QVERIFY(!QFile::exists(folder.path("fehlt/C.PDF")));
}

QTEST_MAIN(ListTransferTest)
#include "test_listtransfer.moc"
