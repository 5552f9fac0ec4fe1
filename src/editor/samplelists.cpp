#include "editor/samplelists.h"

#include "platform/textfile.h"
#include "store/appstate.h"

#include <QBuffer>
#include <QFile>

namespace tivoral {

namespace {

struct SampleListInfo {
    const char* name;
    const char* description;
};

constexpr SampleListInfo Catalogue[] = {
    {"KLASSE1.TXT", "Klasse 1: kurze Sätze mit einfachen Wörtern"},
    {"KLASSE2.TXT", "Klasse 2: Schule, Familie und Tiere"},
    {"KLASSE3.TXT", "Klasse 3: längere Sätze, erste Kommas"},
    {"KLASSE4.TXT", "Klasse 4: lange Sätze mit Kommas"},
    {"DOPPELT.TXT", "Doppelte Mitlaute: Mutter, kommen"},
    {"IE.TXT", "Wörter mit ie: Biene, spielen"},
    {"DEHNUNG.TXT", "Dehnungs-h: Zahn, wohnen"},
    {"SZ.TXT", "ß und ss: Straße, Wasser"},
    {"UMLAUT.TXT", "ä und e, äu und eu: Bäume, heute"},
    {"SPST.TXT", "sp und st am Wort- und Silbenanfang: Stein, verstecken"},
    {"VF.TXT", "v und f: Vogel, Fuchs"},
    {"NOMEN.TXT", "Nomen schreibt man groß"},
    {"CKTZ.TXT", "ck und tz: Decke, Katze"},
};

QString resourcePath(const QString& name) {
    return QLatin1String(SampleLists::ResourceFolder) + QLatin1Char('/') + name;
}

} // namespace

QStringList SampleLists::names() {
    QStringList result;
    for (const SampleListInfo& list : Catalogue)
        result.append(QLatin1String(list.name));
    return result;
}

QString SampleLists::description(const QString& name) {
    for (const SampleListInfo& list : Catalogue) {
        if (name == QLatin1String(list.name))
            return QString::fromUtf8(list.description);
    }
    return {};
}

QByteArray SampleLists::bytes(const QString& name) {
    if (!names().contains(name))
        return {};
    QFile file(resourcePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QStringList SampleLists::sentences(const QString& name) {
    QByteArray content = bytes(name);
    QBuffer buffer(&content);
    buffer.open(QIODevice::ReadOnly);
    return textfile::readLines(buffer).lines;
}

bool SampleLists::load(AppState& app, const QString& name) {
    const QStringList lines = sentences(name);
    if (lines.isEmpty())
        return false;
    app.store.setEntries(lines);
    app.store.setSelected(0);
    app.fileStatus.setUnsavedList(app.store.count(), editorLabel(name), name);
    return true;
}

QString SampleLists::editorLabel(const QString& name) {
    return QStringLiteral("Beispielliste %1").arg(name);
}

} // namespace tivoral
