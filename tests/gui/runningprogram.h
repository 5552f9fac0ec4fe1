#pragma once

// The whole program as main() makes it (every window, on first use) over a working folder, with
// scripted message and input boxes.

#include "../game/gamesteering.h"
#include "editor/editorwindow.h"
#include "game/gamewindow.h"
#include "shell/mainwindow.h"
#include "shell/settingswindow.h"
#include "shell/tivoralapp.h"
#include "store/appstate.h"
#include "support/scripteddialogs.h"
#include "support/sequencerandom.h"

#include <QAbstractButton>
#include <QDir>
#include <QTest>

namespace tivoral::testing {

struct RunningProgram {
    explicit RunningProgram(const QDir& folder, QList<double> draws = {0.0})
        : random(std::move(draws)), app(folder, dialogs, random), program(app) {}

    // The program's windows made so far, the main window first.
    QList<QWidget*> windows() {
        QList<QWidget*> result{&program.mainWindow()};
        for (QWidget* window : std::initializer_list<QWidget*>{
                 program.editorWindow(), program.settingsWindow(), program.gameWindow()})
            if (window)
                result.append(window);
        return result;
    }

    // A control or window of the program by its object name; nullptr when there is none.
    template <typename T = QWidget> T* find(const QString& name) {
        for (QWidget* window : windows()) {
            if (window->objectName() == name)
                return qobject_cast<T*>(window);
            if (T* child = window->findChild<T*>(name))
                return child;
        }
        return nullptr;
    }

    void click(const QString& name) {
        auto* button = find<QAbstractButton>(name);
        QVERIFY2(button, qPrintable(name));
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // Leaves a Dosensatz (with points enough for the reward) and follows the reward button.
    GameWindow* openRewardGame() {
        click(QStringLiteral("dosensatzStartButton"));
        click(QStringLiteral("dosensatzLeaveButton"));
        click(QStringLiteral("rewardButton"));
        return program.gameWindow();
    }

    // Starts a game and catches every character in its order.
    void playGame() {
        GameWindow* game = program.gameWindow();
        QVERIFY(game);
        QTest::mouseClick(find(QStringLiteral("playingField")), Qt::LeftButton);
        const GameEngine& engine = game->session().engine();
        for (qsizetype left = engine.gameText().size(); left > 0 && !engine.gameText().isEmpty();
             --left) {
            const Cell next = engine.letters().constFirst();
            for (GameEngine::Move move : route(engine.catcher(), next, next))
                QTest::keyClick(game, ArrowKeys[int(move)]);
        }
        QVERIFY(engine.gameText().isEmpty());
    }

    // Indexed by GameEngine::Move.
    static constexpr Qt::Key ArrowKeys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right};
    static_assert(int(GameEngine::Move::Up) == 0 && int(GameEngine::Move::Right) == 3);

    ScriptedDialogs dialogs;
    SequenceRandom random;
    AppState app;
    TivoralApp program;
};

} // namespace tivoral::testing
