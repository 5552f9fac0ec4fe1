#include "worksheets/worksheetoptions.h"

#include "platform/enumtexts.h"
#include "store/readingoptions.h"

namespace tivoral::worksheetoptions {

namespace {

const QString KeyStem = QStringLiteral("Arbeitsblatt");
const QString SolutionsKey = QStringLiteral("ArbeitsblattLoesungen");
const QString SentencesKey = QStringLiteral("ArbeitsblattSaetze");
const QString FirstCountKey = QStringLiteral("ArbeitsblattErste");
const QString FontKey = QStringLiteral("ArbeitsblattSchrift");
const QString SyllablesKey = QStringLiteral("ArbeitsblattSilben");
// More sentences than a worksheet takes are never needed.
constexpr int MaxFirstCount = WorksheetContent::MaxSentences;

constexpr ValueTexts<WorksheetOptions::Sentences, 3> SentencesTexts{{
    {WorksheetOptions::Sentences::All, u"alle"},
    {WorksheetOptions::Sentences::Marked, u"markierte"},
    {WorksheetOptions::Sentences::First, u"erste"},
}};

constexpr ValueTexts<SyllableStyle, 3> SyllableTexts{{
    {SyllableStyle::None, u"keine"},
    {SyllableStyle::Colours, u"farbig"},
    {SyllableStyle::Arcs, u"boegen"},
}};

QString exerciseKey(const SheetExerciseKind& kind) {
    return KeyStem + kind.key;
}

} // namespace

WorksheetOptions read(const ReadingOptionsFile& file) {
    const ReadingOptionsFile::Section section =
        file.read().value(ReadingOptionsFile::sectionName(std::nullopt));
    WorksheetOptions options;
    const auto isOff = [&section](const QString& key) {
        return section.value(key) == switchValue(false);
    };
    options.exercises.clear();
    for (const SheetExerciseKind& kind : sheetExercises()) {
        if (!isOff(exerciseKey(kind)))
            options.exercises.append(kind.exercise);
    }
    options.solutions = !isOff(SolutionsKey);
    if (const auto sentences = valueOf(SentencesTexts, section.value(SentencesKey)))
        options.sentences = *sentences;
    bool number = false;
    const int first = section.value(FirstCountKey).toInt(&number);
    if (number && first >= 1 && first <= MaxFirstCount)
        options.firstCount = first;
    options.fontFamily = section.value(FontKey);
    if (const auto syllables = valueOf(SyllableTexts, section.value(SyllablesKey)))
        options.syllables = *syllables;
    return options;
}

bool write(const ReadingOptionsFile& file, const WorksheetOptions& options, QString* error) {
    ReadingOptionsFile::Section values;
    for (const SheetExerciseKind& kind : sheetExercises())
        values[exerciseKey(kind)] = switchValue(options.exercises.contains(kind.exercise));
    values[SolutionsKey] = switchValue(options.solutions);
    values[SentencesKey] = textOf(SentencesTexts, options.sentences);
    values[FirstCountKey] = QString::number(options.firstCount);
    values[FontKey] = options.fontFamily;
    values[SyllablesKey] = textOf(SyllableTexts, options.syllables);
    return file.change(std::nullopt, values, error);
}

} // namespace tivoral::worksheetoptions
