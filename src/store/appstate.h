#pragma once

#include "platform/speech.h"
#include "platform/spelldictionary.h"
#include "store/points.h"
#include "store/practicerecord.h"
#include "store/readingoptions.h"
#include "store/sentencefilelist.h"
#include "store/sentencefiles.h"
#include "store/sentencefilestatus.h"
#include "store/sentencestore.h"
#include "store/settings.h"
#include "store/teacherlock.h"
#include "store/textcaseoption.h"
#include "store/users.h"

#include <QDir>

namespace tivoral {

class Dialogs;
class RandomSource;
class StartPrefetch;

// The state the whole program shares, made once in main() (or in a test) and passed by
// reference to every window and exercise.
class AppState {
public:
    // prefetch: what the start read ahead of the folder, taken instead of reading it again.
    AppState(const QDir& workFolder, Dialogs& dialogs, RandomSource& random,
             StartPrefetch* prefetch = nullptr);
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    const QDir workFolder;
    Dialogs& dialogs;
    RandomSource& random;

    SentenceStore store;
    SentenceFileStatus fileStatus;
    SentenceFileList mainFiles;
    SentenceFileLoader loader;
    Settings settings;
    Users users;
    ReadingAids readingAids;
    // Silent until main() gives it an engine.
    Voice voice;
    Points points;
    TextCaseOption textCase;
    TeacherLock teacherLock;
    PracticeRecord practiceRecord;
    // The sentence editor's spell check; loaded at its first use.
    SpellDictionary spelling;
};

// Reads the settings file and the users file, each on its own: a file that reads fine is kept;
// one that cannot be read is replaced by its defaults, with one message for both.
void loadSettingsAndUsers(AppState& app);

// The settings window's save: writes the three lines, applies the font, reports.
bool saveSettings(AppState& app, const QString& fontName, const QString& fontSize,
                  const QString& pointLimit);

// A practice record line of the current child on the loaded file, stamped now.
PracticeEntry newPracticeEntry(const AppState& app, PracticeEntry::Event event);

// Asks for the password (the teacher's, when one is set); true when the teacher window may open.
bool askTeacherPassword(AppState& app);

} // namespace tivoral
