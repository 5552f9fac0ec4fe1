#include "exercises/mosaic.h"

#include "exercises/exerciseframe.h"
#include "exercises/exerciseprofiles.h"
#include "platform/random.h"
#include "platform/textcase.h"
#include "store/appstate.h"

#include <algorithm>

namespace tivoral {

namespace {

// Int(x · n) with x always drawn, also when there is nothing to choose from (n = 0).
int drawIndex(RandomSource& random, qsizetype n) {
    const double x = random.next();
    if (n < 1)
        return 0;
    return std::clamp(static_cast<int>(x * double(n)), 0, int(n) - 1);
}

} // namespace

QString mosaicAlphabet() {
    return QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÜ");
}

QChar Mosaic::cell(int index) const {
    return index >= 0 && index < grid.size() ? grid.at(index) : QChar();
}

bool Mosaic::isSentenceCell(int index) const {
    if (index < 0 || index >= grid.size())
        return false;
    return fillerLetter.isEmpty() || grid.at(index) != fillerLetter.front();
}

Mosaic buildMosaic(const QString& sentence, RandomSource& random) {
    Mosaic mosaic;
    mosaic.hiddenText = toUpperOneToOne(sentence);
    mosaic.hiddenText.remove(QLatin1Char(' '));

    static const QString alphabet = mosaicAlphabet();
    for (const QChar letter : alphabet)
        if (!mosaic.hiddenText.contains(letter))
            mosaic.spareLetters.append(letter);

    const int spareIndex = drawIndex(random, mosaic.spareLetters.size());
    if (!mosaic.spareLetters.isEmpty())
        mosaic.fillerLetter = mosaic.spareLetters.at(spareIndex);

    QString& grid = mosaic.grid;
    grid = mosaic.hiddenText;
    grid.reserve(std::max<qsizetype>(Mosaic::CellCount, grid.size()));
    const qsizetype fillerCount = Mosaic::CellCount - mosaic.hiddenText.size();
    for (qsizetype k = 0; k < fillerCount; ++k) {
        // Always before an existing character, so the sentence's last character stays last.
        const int place = drawIndex(random, grid.size());
        if (!mosaic.fillerLetter.isEmpty())
            grid.insert(place, mosaic.fillerLetter.front());
    }
    return mosaic;
}

MosaicExercise::MosaicExercise(ExerciseFrame& frame, QObject* parent)
    : TypingExercise(frame, exerciseprofiles::mosaic(), parent) {}

void MosaicExercise::setUp(const QString& sentence) {
    clearAnswer();
    RandomSource& random = frame().app().random;
    random.seedFromTimeOfDay();
    mosaic_ = buildMosaic(sentence, random);
    marked_ = false;
    Q_EMIT mosaicChanged();
}

void MosaicExercise::showLupeText() {
    frame().showHelpMessage(frame().target() + QStringLiteral("\r\r"),
                            QStringLiteral("Gesuchter Satz:"));
}

void MosaicExercise::showRettungsringHelp() {
    marked_ = true;
    Q_EMIT mosaicChanged();
}

} // namespace tivoral
