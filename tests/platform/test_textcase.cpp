#include "platform/textcase.h"

#include <QTest>

using namespace tivoral;
using namespace Qt::StringLiterals;

class TextCaseTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void mapsOneCharacterToOne_data();
    void mapsOneCharacterToOne();
};

void TextCaseTest::mapsOneCharacterToOne_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("lower");
    QTest::newRow("no single capital") << u"\uFB00"_s << u"\uFB00"_s << u"\uFB00"_s;
    QTest::newRow("surrogate pair") << u"a\U0001F600b"_s << u"A\U0001F600B"_s << u"a\U0001F600b"_s;
}

void TextCaseTest::mapsOneCharacterToOne() {
    QFETCH(QString, text);
    QTEST(toUpperOneToOne(text), "upper");
    QTEST(toLowerOneToOne(text), "lower");
}

QTEST_GUILESS_MAIN(TextCaseTest)
#include "test_textcase.moc"
