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
    void clear() override {}
    QString content;
};

// No printer: only the PDF way is open.
class NoPrinter final : public Printing {
public:
    bool hasPrinter() const override { return false; }
    bool print(const QStringList&, const PrintFont&, QString*) override { return false; }
    bool writePdf(const QString& path, const QStringList&, const PrintFont&, QString*) override {
        pdfPath = path;
        return true;
    }
    QString pdfPath;
};

const QStringList Five{"Eins.", "Zwei.", "Drei.", "Vier.", "Fünf."};

int pdfPages(const QByteArray& pdf) {
    return int(QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

} // namespace

class ListTransferTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pasteAppendsNewLinesButNotTheCount();
    void withoutPrinterOffersPdfUnderAFreeName();
    void pdfPagesContinue();
};

void ListTransferTest::pasteAppendsNewLinesButNotTheCount() {
    testing::Fixture f;
    f.app.store.setEntries(Five);
    f.app.store.setSelected(2);
    f.app.fileStatus.setEditorCount(5);
    FakeClipboard clipboard;
    ListClipboard transfer(f.app, clipboard);
    // A line longer than a sentence may be is refused, the others are taken.
    clipboard.content = "Sechs.\r\nZWEI.\r\n" + QString(16001, 'x') + "\r\nSieben.\r\nAcht.";
    QCOMPARE(transfer.paste(), 2);
    QCOMPARE(f.app.store.entries(), Five + QStringList({"Sechs.", "Sieben."}));
    QCOMPARE(f.app.store.selected(), 2);
    QCOMPARE(listrules::countLabelText(f.app.fileStatus), " 5 Sätze gefunden.");
    QCOMPARE(f.dialogs.prompts(),
             QStringList{"Der Satz ist zu lang: Ein Satz darf höchstens 16000 Zeichen haben.\r"
                         "1 zu lange Zeile aus der Ablage wurde nicht übernommen.\r"});
}

void ListTransferTest::withoutPrinterOffersPdfUnderAFreeName() {
    testing::Fixture f(testing::Files{{"TIERE.PDF", "%PDF alt"}, {"TIERE-2.PDF", "%PDF alt"}});
    NoPrinter printing;
    ListPrinter printer(f.app, printing);
    f.app.store.setEntries(Five);
    f.app.fileStatus.setLoaded(5, "/s/tiere.txt", "x");
    f.dialogs.queueAnswer(Answer::Yes);
    printer.print();
    QCOMPARE(f.dialogs.messages().constFirst().buttons, Buttons::YesNo);
    QCOMPARE(printing.pdfPath, f.folder.path("TIERE-3.PDF"));
    QCOMPARE(f.dialogs.messages().size(), 2);
    QVERIFY(f.dialogs.last().prompt.contains(f.folder.path("TIERE-3.PDF")));
    QCOMPARE(f.folder.read("TIERE-2.PDF"), "%PDF alt");
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
    QVERIFY(folder.read("A.PDF").startsWith("%PDF"));
    // About 60 lines of 10 points fit on a page with margins.
    QCOMPARE(pdfPages(folder.read("A.PDF")), 3);
    QVERIFY(!printing.writePdf(folder.path("fehlt/C.PDF"), lines, font, &error));
    QVERIFY(!QFile::exists(folder.path("fehlt/C.PDF")));
}

QTEST_MAIN(ListTransferTest)
#include "test_listtransfer.moc"
