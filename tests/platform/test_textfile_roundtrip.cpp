// Lines written by the program must read back exactly as they were.
#include "platform/textfile.h"

#include <QBuffer>
#include <QTest>

using namespace tivoral;

class TextFileRoundTrip : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void linesReadBackUnchanged_data();
    void linesReadBackUnchanged();
};

void TextFileRoundTrip::linesReadBackUnchanged_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("umlauts and ß") << QStringList{QStringLiteral("Die Schule macht Spaß."),
                                                  QStringLiteral("Äpfel, Öl, Übermut")};
    QTest::newRow("BOM character inside a later line")
        << QStringList{QString(), QStringLiteral("\uFEFF\uFEFF")};
    QTest::newRow("first line begins like a BOM in Windows-1252")
        << QStringList{QStringLiteral("\u00EF\u00BB\u00BFAnfang"), QStringLiteral("x")};
    QTest::newRow("Windows-1252 bytes that would form valid UTF-8")
        << QStringList{QStringLiteral("\u00C5\u0090"), QStringLiteral("Ã¤")};
    QTest::newRow("character beyond Windows-1252")
        << QStringList{QStringLiteral("Zo\u0107 und Ð"), QStringLiteral("€")};
}

void TextFileRoundTrip::linesReadBackUnchanged() {
    QFETCH(QStringList, lines);
    QByteArray bytes = textfile::encodeLines(lines);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QCOMPARE(textfile::readLines(buffer).lines, lines);
}

QTEST_GUILESS_MAIN(TextFileRoundTrip)
#include "test_textfile_roundtrip.moc"
