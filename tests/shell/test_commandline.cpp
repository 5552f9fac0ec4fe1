// The command line of the real program: each case runs the built binary in a fresh folder.

#include "support/workfolder.h"

#include <QFile>
#include <QProcess>
#include <QTest>

using tivoral::testing::WorkFolder;

namespace {

// The program starts in "start"; "home" is its home folder; "datei" is a plain file.
const QString StartFolder = QStringLiteral("start");
const QString HomeFolder = QStringLiteral("home");
const QString ReadOnlyFolder = QStringLiteral("start/nurlesen");
const QString PlainFile = QStringLiteral("datei");
// Generous: a sanitizer build on a busy machine starts slowly.
constexpr int ProcessTimeoutMs = 60000;
// A case where the program keeps running instead of ending with a status.
constexpr int KeepsRunning = -1;

// Help, version and usage errors must need no window system: the program gets a display
// platform without a display, which ends any start of the window system with a failure.
QProcessEnvironment environment(const WorkFolder& root, bool windowSystem) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), root.path(HomeFolder));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"),
               windowSystem ? QStringLiteral("offscreen") : QStringLiteral("xcb"));
    return env;
}

bool permissionsBind(const WorkFolder& root) {
    return !QFile(root.path(ReadOnlyFolder + QStringLiteral("/probe"))).open(QIODevice::WriteOnly);
}

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
    const QString version = QStringLiteral("Tivoral ") + QStringLiteral(TIVORAL_VERSION) +
                            QStringLiteral("\nCopyright");
    const QString usage = QStringLiteral("Aufruf: tivoral [OPTION] [ORDNER]\n");
    const QString moreHelp = QStringLiteral("\n„tivoral --help“ zeigt, was möglich ist.\n");

    row("help", {QStringLiteral("--help")}, 0, usage, {});
    row("short help wins over a folder", {QStringLiteral("klasse3"), QStringLiteral("-h")}, 0,
        usage, {});
    row("version", {QStringLiteral("--version")}, 0, version, {});
    row("unknown option", {QStringLiteral("--farbe=rot"), QStringLiteral("klasse3")}, 2, {},
        QStringLiteral("tivoral: unbekannte Option „--farbe“") + moreHelp);
    row("unknown short option", {QStringLiteral("-x")}, 2, {},
        QStringLiteral("unbekannte Option „-x“"));
    row("value on a switch", {QStringLiteral("--version=2")}, 2, {},
        QStringLiteral("die Option „--version“ nimmt keinen Wert an"));
    row("two folders", {QStringLiteral("a"), QStringLiteral("b")}, 2, {},
        QStringLiteral("nur ein ORDNER ist möglich, angegeben sind 2"));
    row("home folder and a folder", {QStringLiteral("--heimordner"), QStringLiteral("a")}, 2, {},
        QStringLiteral("--heimordner und ein ORDNER"));
    row("folder inside a file", {QStringLiteral("../datei/klasse3")}, 1, {},
        QStringLiteral("/datei/klasse3“ kann nicht angelegt werden."));
    row("folder that is a file", {QStringLiteral("../datei")}, 1, {},
        QStringLiteral("/datei“ ist eine Datei, kein Ordner."));

    row("no folder: the current folder", {}, KeepsRunning, {}, {},
        StartFolder + QStringLiteral("/TIVORAL.INI"));
    row("missing folders are made", {QStringLiteral("neu/Klasse 3b")}, KeepsRunning, {}, {},
        StartFolder + QStringLiteral("/neu/Klasse 3b/TIVORAL.INF"));
    row("folder named like an option", {QStringLiteral("--"), QStringLiteral("-klasse")},
        KeepsRunning, {}, {}, StartFolder + QStringLiteral("/-klasse/TIVORAL.INI"));
    row("home folder", {QStringLiteral("--heimordner")}, KeepsRunning, {}, {},
        HomeFolder + QStringLiteral("/Tivoral/TIVORAL.INI"));
    row("write-protected folder", {QStringLiteral("nurlesen")}, KeepsRunning, {},
        QStringLiteral("nurlesen“ kann Tivoral nicht schreiben."));
}

void CommandLineTest::followsTheCommandLine() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, output);
    QFETCH(QString, errorOutput);
    QFETCH(QString, createdFile);

    WorkFolder root;
    QVERIFY(root.dir().mkpath(StartFolder) && root.dir().mkpath(HomeFolder) &&
            root.dir().mkpath(ReadOnlyFolder));
    root.write(PlainFile, "kein Ordner");
    const QString readOnly = root.path(ReadOnlyFolder);
    QVERIFY(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner));
    const auto writable = qScopeGuard([&] {
        QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    if (arguments.contains(QStringLiteral("nurlesen")) && !permissionsBind(root))
        QSKIP("this user may write into a write-protected folder");

    QProcess program;
    program.setWorkingDirectory(root.path(StartFolder));
    // Only a run and a folder that cannot be made get as far as the window system.
    const bool reachesWindowSystem = status == KeepsRunning || status == 1;
    program.setProcessEnvironment(environment(root, reachesWindowSystem));
    program.start(QStringLiteral(TIVORAL_BINARY), arguments);
    QVERIFY(program.waitForStarted(ProcessTimeoutMs));
    QByteArray errorBytes;
    const auto errorText = [&] {
        errorBytes += program.readAllStandardError();
        return QString::fromUtf8(errorBytes);
    };

    if (status == KeepsRunning) {
        QTRY_VERIFY_WITH_TIMEOUT(createdFile.isEmpty() || QFile::exists(root.path(createdFile)),
                                 ProcessTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(errorText().contains(errorOutput), ProcessTimeoutMs);
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
                 (QStringList{PlainFile, HomeFolder, StartFolder}));
        QCOMPARE(QDir(root.path(StartFolder)).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{QStringLiteral("nurlesen")});
    }
    const QString printed = QString::fromUtf8(program.readAllStandardOutput());
    QVERIFY2(output.isEmpty() ? printed.isEmpty() : printed.startsWith(output),
             qPrintable(printed));
}

QTEST_MAIN(CommandLineTest)
#include "test_commandline.moc"
