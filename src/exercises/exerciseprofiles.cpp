#include "exercises/exerciseprofiles.h"

namespace tivoral::exerciseprofiles {

const ExerciseProfile& dosensatz() {
    static const ExerciseProfile profile{
        .name = QStringLiteral("Dosensatz"),
        .emptyStoreIcon = Icon::None,
        .completionPrompt = QStringLiteral("Prima, der Satz ist fertig.\r\r"),
        .completionIcon = Icon::Information,
        .instructions = {QStringLiteral("Schreibe den Satz richtig ins helle Feld."),
                         QStringLiteral("Rechtschreibfehler werden durch eine"),
                         QStringLiteral("ins Rot wechselnde Textschrift gezeigt."),
                         QStringLiteral("Jedes Wort bringt dir einen Punkt ein.")},
        .helpNeedsSetUp = true,
    };
    return profile;
}

const ExerciseProfile& puzzle() {
    static const ExerciseProfile profile{
        .name = QStringLiteral("Satzpuzzle"),
        .emptyStoreIcon = Icon::None,
        .completionPrompt = QStringLiteral("Der Satz ist fertig!\r\r"),
        .completionIcon = Icon::Information,
        .instructions = {QStringLiteral("Ziehe die Wörter der Reihe nach in das"),
                         QStringLiteral("blaue Feld. Fehler werden angezeigt."),
                         QStringLiteral("Jeder richtige Satz bringt einen Punkt.")},
        .helpNeedsSetUp = true,
    };
    return profile;
}

const ExerciseProfile& mosaic() {
    static const ExerciseProfile profile{
        .name = QStringLiteral("Mosaiksatz"),
        .emptyStoreIcon = Icon::Information,
        .completionPrompt = QStringLiteral("Prima, der Satz ist fertig.\r"),
        .completionIcon = Icon::None,
        .instructions = {QStringLiteral("Im Buchstabengitter ist einer der Sätze"),
                         QStringLiteral("versteckt. Tippfehler werden markiert."),
                         QStringLiteral("Jeder richtige Satz bringt einen Punkt.")},
        .helpNeedsSetUp = false,
    };
    return profile;
}

const ExerciseProfile& verrutscher() {
    static const ExerciseProfile profile{
        .name = QStringLiteral("Verrutscher Satz"),
        .emptyStoreIcon = Icon::Information,
        .completionPrompt = QStringLiteral("Prima, der Satz ist fertig.\r"),
        .completionIcon = Icon::None,
        .instructions = {QStringLiteral("Schreibe den falsch gedruckten Satz"),
                         QStringLiteral("richtig ab. Tippfehler werden markiert."),
                         QStringLiteral("Jeder richtige Satz bringt einen Punkt.")},
        .helpNeedsSetUp = false,
    };
    return profile;
}

const ExerciseProfile& dictation() {
    static const ExerciseProfile profile{
        .name = QStringLiteral("Hördiktat"),
        .emptyStoreIcon = Icon::None,
        .completionPrompt = QStringLiteral("Prima, der Satz ist fertig.\r\r"),
        .completionIcon = Icon::Information,
        .instructions = {QStringLiteral("Hör gut zu und schreibe den Satz ins helle Feld."),
                         QStringLiteral("„Satz anhören“ sagt dir den ganzen Satz noch einmal,"),
                         QStringLiteral("„Wort anhören“ das Wort, das als Nächstes kommt."),
                         QStringLiteral("Zuhören kostet nichts. Rechtschreibfehler werden"),
                         QStringLiteral("durch eine ins Rot wechselnde Textschrift gezeigt."),
                         QStringLiteral("Jedes Wort bringt dir einen Punkt ein.")},
        .helpNeedsSetUp = true,
        .dictates = true,
    };
    return profile;
}

} // namespace tivoral::exerciseprofiles
