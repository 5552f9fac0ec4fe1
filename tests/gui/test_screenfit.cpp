// Every window and dialog on the most common school laptop's screen, 1366 × 768, at every
// window size a child may have.
#include "editor/samplelistdialog.h"
#include "support/programdriver.h"

#include <QScreen>
#include <QSet>
#include <QTemporaryDir>

using namespace tivoral;
using namespace tivoral::testing;
using namespace Qt::StringLiterals;

class ScreenFitTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyWindowFitsTheLaptop_data();
    void everyWindowFitsTheLaptop();
};

void ScreenFitTest::everyWindowFitsTheLaptop_data() {
    QTest::addColumn<QByteArray>("size");
    for (const char* size : {"100", "125", "150", "200", "Bildschirm"})
        QTest::newRow(size) << QByteArray(size);
}

void ScreenFitTest::everyWindowFitsTheLaptop() {
    QFETCH(QByteArray, size);
    ProgramDriver program({{u"TIVORAL.OPT"_s, "[*]\r\nFenstergroesse = " + size + "\r\n"},
                           {u"PROTOKOLL.CSV"_s, PracticeRecord::headerBytes()}});
    program.app.readingAids.reload();
    QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 1366, 768));
    QSet<QString> checked;
    const auto check = [&checked] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (!window->isVisible())
                continue;
            checked.insert(window->objectName());
            QVERIFY2(window->screen()->availableGeometry().contains(window->frameGeometry()),
                     qPrintable(window->objectName()));
        }
    };
    const auto teacherWindow = [&](const char* button, const char* back) {
        program.dialogs.queueInput(QString::number(Defaults.size()));
        program.click(QLatin1String(button));
        check();
        if (qstrcmp(button, "editorButton") == 0) {
            program.click(u"sampleListsButton"_s);
            check();
            program.find(u"editorWindow"_s)->findChild<SampleListDialog*>()->reject();
        }
        program.click(QLatin1String(back));
    };
    check();
    teacherWindow("editorButton", "closeEditorButton");
    teacherWindow("settingsButton", "closeSettingsButton");
    teacherWindow("overviewButton", "closeOverviewButton");
    program.app.points.set(Settings::DefaultPointLimit);
    program.openRewardGame();
    check();
    QCOMPARE(checked.size(), 6); // main, editor, sample lists, settings, Lernstand, game
}

int main(int argc, char* argv[]) {
    // The offscreen platform's screen, as a laptop has it.
    QTemporaryDir folder;
    QFile config(folder.filePath(u"screen.json"_s));
    if (!config.open(QIODevice::WriteOnly) ||
        !config.write(R"({"screens": [{"name": "laptop", "width": 1366, "height": 768}]})"))
        return 1;
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    QApplication application(argc, argv);
    ScreenFitTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_screenfit.moc"
