#pragma once

// The whole program as main() makes it (every window on first use) over a Fixture, driven as a
// child would: find a control by its object name, click it, type into it, press keys.

#include "editor/editorwindow.h"
#include "exercises/exercisecatalog.h"
#include "exercises/exercisepanel.h"
#include "game/gamesteering.h"
#include "game/gamewindow.h"
#include "shell/mainwindow.h"
#include "shell/overviewwindow.h"
#include "shell/settingswindow.h"
#include "shell/tivoralapp.h"
#include "support/fixture.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>

namespace tivoral::testing {

inline const QStringList Defaults = {
    QStringLiteral("Nach dem Essen mache ich meine Hausaufgaben."),
    QStringLiteral("Die Schule macht mir heute gar keinen Spaß."),
    QStringLiteral("Der Bauer fährt mit dem Traktor aufs Feld."),
    QStringLiteral("Vater bringt das Auto in die Werkstatt."),
    QStringLiteral("Auf der Autobahn ist ein Stau entstanden."),
};
inline const QByteArray Settings24 = "Verdana\r\n24\r\n100\r\n";
inline const QColor Black(0, 0, 0);
inline const QColor Red(255, 0, 0);

struct ProgramDriver : Fixture {
    explicit ProgramDriver(const Files& files = {}, QList<double> draws = {0.0})
        : Fixture(files, std::move(draws)) {
        startAndSettle();
    }
    explicit ProgramDriver(const WorkFolder& ownFolder) : Fixture(ownFolder) { startAndSettle(); }

    // As in a real run, the event loop turns after the start: the first frame is painted and
    // what waits for it (the hidden exercise panels) is made.
    void startAndSettle() {
        program.start();
        QVERIFY2(QTest::qWaitFor([this] {
                     return main().findChildren<ExercisePanel*>().size() ==
                            exerciseCatalog().size();
                 }),
                 "the exercise panels were not made after the first frame");
    }

    MainWindow& main() { return program.mainWindow(); }

    // The program's windows made so far, the main window first.
    QList<QWidget*> windows() {
        QList<QWidget*> result{&program.mainWindow()};
        for (QWidget* window :
             std::initializer_list<QWidget*>{program.editorWindow(), program.settingsWindow(),
                                             program.gameWindow(), program.overviewWindow()})
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

    bool shown(const QString& name) {
        QWidget* widget = find(name);
        return widget && widget->isVisible();
    }
    QString text(const QString& label) { return find<QLabel>(label)->text(); }
    QStringList lines(const QString& textView) {
        return find<QPlainTextEdit>(textView)->toPlainText().split(QLatin1Char('\n'),
                                                                   Qt::SkipEmptyParts);
    }
    // The control of the main window that has, or will have, the keyboard.
    QWidget* focus() { return program.mainWindow().focusWidget(); }

    void click(const QString& name) {
        auto* button = find<QAbstractButton>(name);
        QVERIFY2(button, qPrintable(name));
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // Types like a keyboard, one key event per character, umlauts included.
    static void type(QWidget* box, const QString& text) {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(box, &press);
        }
    }

    static void doubleClickRow(QListWidget* list, int row) {
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }

    static Qt::Key arrowKey(GameEngine::Move move) {
        switch (move) {
        case GameEngine::Move::Up:
            return Qt::Key_Up;
        case GameEngine::Move::Down:
            return Qt::Key_Down;
        case GameEngine::Move::Left:
            return Qt::Key_Left;
        case GameEngine::Move::Right:
            break;
        }
        return Qt::Key_Right;
    }

    // Moves the game's catcher onto the next character to catch, with arrow keys sent to `target`.
    static void catchNext(const GameEngine& engine, QWidget* target) {
        const Cell next = engine.letters().constFirst();
        for (GameEngine::Move move : route(engine.catcher(), next, next))
            QTest::keyClick(target, arrowKey(move));
    }

    // Leaves a Dosensatz (with points enough for the reward) and follows the reward button.
    GameWindow* openRewardGame() {
        click(QStringLiteral("dosensatzStartButton"));
        click(QStringLiteral("dosensatzLeaveButton"));
        click(QStringLiteral("rewardButton"));
        return program.gameWindow();
    }

    // Starts a game in the open game window and catches every character in its order.
    void playGame() {
        GameWindow* game = program.gameWindow();
        QVERIFY(game);
        QTest::mouseClick(find(QStringLiteral("playingField")), Qt::LeftButton);
        const GameEngine& engine = game->session().engine();
        // Blanks are caught on their own, so the text may run out before the count does.
        for (qsizetype left = engine.gameText().size(); left > 0 && !engine.gameText().isEmpty();
             --left)
            catchNext(engine, game);
        QVERIFY(engine.gameText().isEmpty());
    }

    TivoralApp program{app};
};

inline QColor textColour(QWidget* box) {
    return box->palette().color(QPalette::Text);
}

} // namespace tivoral::testing
