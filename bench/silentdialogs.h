#pragma once

#include "platform/dialogs.h"

// Dialogs for the benchmarks: no box is shown, no name is typed.
namespace tivoral::benchdialogs {

// Every question answered "OK", as a teacher clicking through would.
class AlwaysOk final : public Dialogs {
public:
    Answer message(const QString&, const QString&, Buttons, Icon, Answer) override {
        return Answer::Ok;
    }
    QString input(const QString&, const QString&, const QString&) override { return {}; }
};

// Every question left at its default answer.
class Defaults final : public Dialogs {
public:
    Answer message(const QString&, const QString&, Buttons, Icon, Answer defaultAnswer) override {
        return defaultAnswer;
    }
    QString input(const QString&, const QString&, const QString&) override { return {}; }
};

} // namespace tivoral::benchdialogs
