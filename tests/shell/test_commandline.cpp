// The command line of the real program: each case runs the built binary in a fresh folder.

#include "support/permissions.h"
#include "support/workfolder.h"

#include <QFile>
#include <QProcess>
#include <QTest>

using tivoral::testing::WorkFolder;
using namespace Qt::StringLiterals;

namespace {

// The program starts in "start" (which holds the write-protected "nurlesen"); "home" is its
// home folder; "datei" is a plain file.
const QString StartFolder = u"start"_s;
const QString HomeFolder = u"home"_s;
// Generous: a sanitizer build on a busy machine starts slowly.
constexpr int ProcessTimeoutMs = 60000;
// A case where the program keeps running instead of ending with a status.
constexpr int KeepsRunning = -1;

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void followsTheCommandLine_data();
    void followsTheCommandLine();
};

void CommandLineTest::followsTheCommandLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output"); // begins standard output; empty: must stay empty
    // Part of standard error; when the program ends at once and this is empty, nothing at all.
    QTest::addColumn<QString>("errorOutput");
    QTest::addColumn<QString>("createdFile"); // made by the running program, below the test root
    const auto row = [](const char* name, const QStringList& arguments, int status,
                        const QString& output, const QString& errorOutput,
                        const QString& createdFile = {}) {
        QTest::newRow(name) << arguments << status << output << errorOutput << createdFile;
    };
    row("short help wins over a folder", {u"klasse3"_s, u"-h"_s}, 0,
        u"Aufruf: tivoral [OPTION] [ORDNER]\n"_s, {});
    row("version", {u"--version"_s}, 0, u"Tivoral "_s + TIVORAL_VERSION + u"\nCopyright"_s, {});
    row("unknown option", {u"--farbe=rot"_s, u"klasse3"_s}, 2, {},
        u"tivoral: unbekannte Option „--farbe“\n„tivoral --help“ zeigt, was möglich ist.\n"_s);
    row("Qt's own option, as typed", {u"-platform"_s, u"xcb"_s}, 2, {},
        u"tivoral: unbekannte Option „-platform“\n"_s);
    row("switch given a value", {u"--help=ja"_s}, 2, {}, u"„--help“ nimmt keinen Wert an\n"_s);
    row("two folders", {u"a"_s, u"b"_s}, 2, {}, u"ORDNER ist möglich, angegeben sind 2\n"_s);
    row("home and a folder", {u"--heimordner"_s, u"a"_s}, 2, {}, u"gehen nicht zusammen\n"_s);
    row("empty folder name", {u""_s}, 2, {}, u"der Name des ORDNERS ist leer\n"_s);
    row("folder that is a file", {u"../datei"_s}, 1, {}, u"/datei“ ist eine Datei, kein Ordner."_s);
    row("missing folders are made", {u"neu/Klasse 3b"_s}, KeepsRunning, {}, {},
        StartFolder + u"/neu/Klasse 3b/TIVORAL.INF"_s);
    row("home folder", {u"--heimordner"_s}, KeepsRunning, {}, {},
        HomeFolder + u"/Tivoral/TIVORAL.INI"_s);
    // Without a window system, and without a file left behind.
    row("folder check, local folder", {u"--ordner-pruefen"_s}, 0, u"Prüfung des Arbeitsordners "_s,
        {});
    row("folder check, missing folder", {u"--ordner-pruefen"_s, u"fehlt"_s}, 1, {},
        u"tivoral: Den Ordner „fehlt“ gibt es nicht.\n"_s);
    row("write-protected folder", {u"nurlesen"_s}, KeepsRunning, {},
        u"nurlesen“ kann Tivoral nicht schreiben."_s);
}

void CommandLineTest::followsTheCommandLine() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, output);
    QFETCH(QString, errorOutput);
    QFETCH(QString, createdFile);

    WorkFolder root;
    const QString readOnly = root.path(StartFolder + u"/nurlesen"_s);
    QVERIFY(root.dir().mkpath(HomeFolder) && root.dir().mkpath(readOnly));
    root.write(u"datei"_s, "kein Ordner");
    QVERIFY(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner));
    if (arguments.contains(u"nurlesen"_s))
        TIVORAL_REQUIRE_PERMISSIONS();

    QProcess program;
    program.setWorkingDirectory(root.path(StartFolder));
    // Help, version and usage errors must need no window system: they get a display platform
    // without a display, which ends any start of the window system with a failure. Only a run
    // gets as far as the window system; a folder that cannot be used is told before.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"HOME"_s, root.path(HomeFolder));
    env.remove(u"DISPLAY"_s);
    env.remove(u"WAYLAND_DISPLAY"_s);
    const bool windowSystem = status == KeepsRunning;
    env.insert(u"QT_QPA_PLATFORM"_s, windowSystem ? u"offscreen"_s : u"xcb"_s);
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(TIVORAL_BINARY), arguments);
    QVERIFY(program.waitForStarted(ProcessTimeoutMs));
    QByteArray errorBytes;
    const auto errorText = [&] {
        errorBytes += program.readAllStandardError();
        return QString::fromUtf8(errorBytes);
    };
    if (status == KeepsRunning) {
        QTRY_VERIFY_WITH_TIMEOUT((createdFile.isEmpty() || QFile::exists(root.path(createdFile))) &&
                                     errorText().contains(errorOutput),
                                 ProcessTimeoutMs);
        QCOMPARE(program.state(), QProcess::Running);
        program.kill();
        QVERIFY(program.waitForFinished(ProcessTimeoutMs));
    } else {
        QVERIFY(program.waitForFinished(ProcessTimeoutMs));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), status);
        QVERIFY2(errorOutput.isEmpty() ? errorText().isEmpty() : errorText().contains(errorOutput),
                 qPrintable(errorText()));
        // Nothing of a run: no folder made, no file written.
        QCOMPARE(root.dir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 (QStringList{u"datei"_s, HomeFolder, StartFolder}));
        QCOMPARE(QDir(root.path(StartFolder)).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{u"nurlesen"_s});
    }
    const QString printed = QString::fromUtf8(program.readAllStandardOutput());
    QVERIFY2(output.isEmpty() ? printed.isEmpty() : printed.startsWith(output),
             qPrintable(printed));
}

QTEST_MAIN(CommandLineTest)
#include "test_commandline.moc"
