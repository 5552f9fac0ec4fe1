#include "shell/commandline.h"

#include "platform/sharecheck.h"

#include <QCommandLineParser>
#include <QDir>

#include <cstdio>

namespace tivoral {

namespace {

const QString HomeFolderName = QStringLiteral("Tivoral");
const QString MoreHelp = QStringLiteral("„tivoral --help“ zeigt, was möglich ist.\n");

QString helpText() {
    return QStringLiteral(
        "Aufruf: tivoral [OPTION] [ORDNER]\n"
        "Sätze lesen, ordnen und richtig schreiben üben – für Kinder mit Lese- und\n"
        "Rechtschreibschwierigkeiten.\n"
        "\n"
        "Tivoral arbeitet im ORDNER, ohne ORDNER im aktuellen Ordner. Ein fehlender\n"
        "ORDNER wird angelegt. Dort liegen die Satzdateien (*.TXT), die Namen der\n"
        "Kinder (TIVORAL.INF), die Einstellungen (TIVORAL.INI) und die Bestenliste\n"
        "(BESTDOSE.LST).\n"
        "\n"
        "Optionen:\n"
        "      --heimordner  im Ordner Tivoral des persönlichen Ordners arbeiten\n"
        "                    (~/Tivoral); so startet Tivoral aus dem Menü\n"
        "      --ordner-pruefen\n"
        "                    prüfen, ob der ORDNER für mehrere Computer zugleich\n"
        "                    taugt, und beenden (Status 0: ja)\n"
        "  -h, --help        diese Hilfe zeigen und beenden\n"
        "  -v, --version     die Version zeigen und beenden\n"
        "\n"
        "Mehr steht in der Handbuchseite: man tivoral\n");
}

QString versionText() {
    return QStringLiteral("Tivoral ") + QString::fromLatin1(TIVORAL_VERSION) +
           QStringLiteral("\n"
                          "Copyright © 2026 Tivoral-Entwicklerteam\n"
                          "Lizenz GPLv3+: GNU GPL Version 3 oder neuer "
                          "<https://www.gnu.org/licenses/gpl.html>.\n"
                          "Dies ist freie Software: Sie darf verändert und weitergegeben werden.\n"
                          "Es gibt KEINE GARANTIE, soweit gesetzlich zulässig.\n");
}

void print(FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

StartRequest endingWith(int status) {
    StartRequest request;
    request.endStatus = status;
    return request;
}

StartRequest usageError(const QString& problem) {
    print(stderr, QStringLiteral("tivoral: ") + problem + QLatin1Char('\n') + MoreHelp);
    return endingWith(UsageErrorStatus);
}

// Every option is a plain switch, so a parse error that names no unknown option is a switch given
// a value ("--help=ja").
QString optionWithValue(const QStringList& arguments) {
    for (const QString& argument : arguments.mid(1)) {
        if (argument == QStringLiteral("--"))
            break;
        if (argument.startsWith(QLatin1Char('-')) && argument.contains(QLatin1Char('=')))
            return argument.section(QLatin1Char('='), 0, 0);
    }
    return {};
}

// An unknown option as it was typed, with its dashes and without a value.
QString asTyped(const QStringList& arguments, const QString& option) {
    for (const QString& argument : arguments.mid(1)) {
        if (argument == QStringLiteral("--"))
            break;
        const QString name = argument.section(QLatin1Char('='), 0, 0);
        if (name == QLatin1Char('-') + option || name == QStringLiteral("--") + option)
            return name;
    }
    return QStringLiteral("--") + option;
}

// Without a window: the school's IT runs it on the computers that share the folder.
StartRequest checkFolder(const QString& folder) {
    const QDir dir(folder.isEmpty() ? QDir::currentPath() : folder);
    if (!dir.exists()) {
        print(stderr, QStringLiteral("tivoral: Den Ordner „%1“ gibt es nicht.\n")
                          .arg(QDir::toNativeSeparators(dir.path())));
        return endingWith(1);
    }
    const ShareCheck::Report report = ShareCheck(dir).run(ShareCheck::Depth::Full);
    print(stdout, report.text().replace(QLatin1Char('\r'), QLatin1Char('\n')));
    return endingWith(report.safe() ? 0 : 1);
}

} // namespace

QStringList commandLineArguments(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

StartRequest readCommandLine(const QStringList& arguments) {
    // Qt's own help and version texts are English and its usual parse call ends with status 1,
    // so the parser only reads and this program speaks.
    QCommandLineParser parser;
    // "-platform" is one unknown option, not "-p" followed by more letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption homeOption(QStringLiteral("heimordner"));
    const QCommandLineOption checkOption(QStringLiteral("ordner-pruefen"));
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption versionOption(
        QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOptions({homeOption, checkOption, helpOption, versionOption});

    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty())
            return usageError(QStringLiteral("unbekannte Option „") +
                              asTyped(arguments, unknown.first()) + QStringLiteral("“"));
        return usageError(QStringLiteral("die Option „") + optionWithValue(arguments) +
                          QStringLiteral("“ nimmt keinen Wert an"));
    }
    if (parser.isSet(helpOption)) {
        print(stdout, helpText());
        return endingWith(0);
    }
    if (parser.isSet(versionOption)) {
        print(stdout, versionText());
        return endingWith(0);
    }

    const QStringList folders = parser.positionalArguments();
    if (folders.size() > 1)
        return usageError(QStringLiteral("nur ein ORDNER ist möglich, angegeben sind ") +
                          QString::number(folders.size()));
    if (parser.isSet(checkOption))
        return checkFolder(folders.value(0));
    StartRequest request;
    if (parser.isSet(homeOption)) {
        if (!folders.isEmpty())
            return usageError(QStringLiteral("--heimordner und ein ORDNER gehen nicht zusammen"));
        request.folder = QDir(QDir::homePath()).filePath(HomeFolderName);
        request.homeFolder = true;
    } else if (!folders.isEmpty()) {
        if (folders.first().isEmpty())
            return usageError(QStringLiteral("der Name des ORDNERS ist leer"));
        request.folder = folders.first();
    }
    return request;
}

} // namespace tivoral
