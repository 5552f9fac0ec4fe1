#pragma once

// A started main window over a temporary working folder, for the GUI tests.

#include "platform/twips.h"
#include "shell/mainwindow.h"
#include "store/appstate.h"
#include "support/scripteddialogs.h"
#include "support/sequencerandom.h"
#include "support/workfolder.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>

namespace tivoral::testing {

using Files = QList<QPair<QString, QByteArray>>;

inline const QStringList Defaults = {
    QStringLiteral("Nach dem Essen mache ich meine Hausaufgaben."),
    QStringLiteral("Die Schule macht mir heute gar keinen Spaß."),
    QStringLiteral("Der Bauer fährt mit dem Traktor aufs Feld."),
    QStringLiteral("Vater bringt das Auto in die Werkstatt."),
    QStringLiteral("Auf der Autobahn ist ein Stau entstanden."),
};
inline const QByteArray Settings24 = "Verdana\r\n24\r\n100\r\n";

// A started program over a working folder that holds the given files.
struct Program {
    explicit Program(const Files& files = {}, QList<double> draws = {0.0})
        : filesLaid(lay(folder, files)), random(std::move(draws)) {
        window.startUp();
        window.show();
    }
    static bool lay(const WorkFolder& folder, const Files& files) {
        for (const auto& [name, bytes] : files)
            folder.write(name, bytes);
        return true;
    }
    template <typename T = QWidget> T* find(const char* name) {
        T* child = window.findChild<T*>(QString::fromLatin1(name));
        if (!child && window.objectName() == QLatin1String(name))
            child = qobject_cast<T*>(&window);
        return child;
    }
    void click(const char* name) {
        QAbstractButton* button = find<QAbstractButton>(name);
        QVERIFY2(button, name);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QStringList lines(const char* name) {
        return find<QPlainTextEdit>(name)->toPlainText().split(QLatin1Char('\n'),
                                                               Qt::SkipEmptyParts);
    }
    bool isOpenAt(const char* name, int leftTwips) {
        QWidget* view = find(name);
        return view->isVisible() && view->x() == twips(leftTwips);
    }
    bool isParked(const char* name) {
        QWidget* view = find(name);
        return !view->isVisible() && view->x() == twips(HiddenLeftTwips);
    }

    WorkFolder folder;
    bool filesLaid;
    ScriptedDialogs dialogs;
    SequenceRandom random;
    AppState app{folder.dir(), dialogs, random};
    MainWindow window{app};
};

inline const QColor Black(0, 0, 0);
inline const QColor Red(255, 0, 0);

inline QColor textColour(QWidget* box) {
    return box->palette().color(QPalette::Text);
}

// Types like a keyboard, one key event per character, umlauts included.
inline void typeKeys(QWidget* box, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(box, &press);
    }
}

// The points display of each exercise panel.
inline QStringList pointsDisplays(Program& program) {
    QStringList shown;
    for (const char* name : {"dosensatzPointsDisplay", "puzzlePointsDisplay", "mosaicPointsDisplay",
                             "verrutscherPointsDisplay"})
        shown.append(program.find<QLabel>(name)->text());
    return shown;
}

inline void doubleClickRow(QListWidget* list, int row) {
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

} // namespace tivoral::testing
