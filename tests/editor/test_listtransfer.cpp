#include "platform/systemprinting.h"
#include "support/workfolder.h"

#include <QRegularExpression>
#include <QTest>

using namespace tivoral;

namespace {

int pdfPages(const QByteArray& pdf) {
    return int(QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

} // namespace

class ListTransferTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pdfPagesContinue();
};

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
