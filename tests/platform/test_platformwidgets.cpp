// The platform's services that need the screen or the printer: the hourglass and the held
// timers while the folder lock waits, window scaling over the program's real windows, the
// pictures drawn ahead at the start.

#include "platform/folderlock.h"
#include "platform/lockwaitcursor.h"
#include "platform/picturebutton.h"
#include "platform/windowscale.h"
#include "shell/infowindow.h"
#include "support/programdriver.h"

#include <QCursor>
#include <QLockFile>
#include <QScreen>
#include <QTimer>

using namespace tivoral;
using namespace tivoral::testing;
using namespace Qt::StringLiterals;

namespace {

// Place and size (a window's own place left out), font size and icon size of every named
// control of a window, by object path.
QMap<QString, QList<double>> measures(QWidget* window) {
    QCoreApplication::processEvents(); // as shown, once fonts and layouts have followed
    QMap<QString, QList<double>> result;
    const QList<QWidget*> widgets = window->findChildren<QWidget*>() << window;
    for (QWidget* w : widgets) {
        QString path;
        for (const QObject* o = w; o != window; o = o->parent())
            path.prepend(u"/"_s + o->objectName());
        // Unnamed controls, and the parts Qt makes inside its own, are left out.
        if (w->window() != window || path.endsWith(u'/') || path.contains(u"/qt_"_s))
            continue;
        const QRect r = w == window ? QRect(QPoint(), w->size()) : w->geometry();
        QList<double> m{double(r.x()), double(r.y()), double(r.width()), double(r.height()),
                        w->font().pointSizeF()};
        if (const auto* button = qobject_cast<QAbstractButton*>(w))
            m << button->iconSize().width() << button->iconSize().height();
        result.insert(path, m);
    }
    return result;
}

} // namespace

class PlatformWidgetsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void whileWaitingTheHourglassShowsAndTimersHoldStill();
    void everyWindowScalesAsAWhole();
    void aPictureDrawnAheadIsTheOneDrawnWhenAsked_data();
    void aPictureDrawnAheadIsTheOneDrawnWhenAsked();
};

void PlatformWidgetsTest::whileWaitingTheHourglassShowsAndTimersHoldStill() {
    const WorkFolder folder;
    QLockFile otherCopy(folder.path(QString::fromLatin1(FolderLock::FileName)));
    QVERIFY(otherCopy.lock());
    const LockWaitCursor waitCursor;
    Qt::CursorShape shapeWhileWaiting = Qt::ArrowCursor;
    QTimer::singleShot(0, [&shapeWhileWaiting] {
        if (const QCursor* cursor = QGuiApplication::overrideCursor())
            shapeWhileWaiting = cursor->shape();
    });
    // A clock that writes a file each time it fires, as the game's end writes its scores.
    bool waiting = false;
    int writesInsideTheWait = 0;
    int writes = 0;
    QTimer clock;
    connect(&clock, &QTimer::timeout, [&] {
        writesInsideTheWait += waiting ? 1 : 0;
        const FolderLock second(folder.dir(), std::chrono::milliseconds{0});
        if (second.mayWrite())
            folder.write(u"UHR.TXT"_s, QByteArray::number(++writes));
    });
    clock.start(20);

    // Long enough for the lock to try more than once and the clock to fire, short for a test.
    waiting = true;
    const FolderLock lock(folder.dir(), std::chrono::milliseconds{300});
    waiting = false;

    QCOMPARE(lock.state(), FolderLock::State::Busy);
    QCOMPARE(shapeWhileWaiting, Qt::WaitCursor);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QCOMPARE(writesInsideTheWait, 0);
    // Held, not lost: the clock goes on once the wait is over.
    otherCopy.unlock();
    QTRY_VERIFY(writes > 0);
}

void PlatformWidgetsTest::everyWindowScalesAsAWhole() {
    ProgramDriver program;
    SettingsWindow settings(program.app);
    EditorWindow editor(program.app);
    GameWindow game(program.app);
    OverviewWindow overview(program.app);
    InfoWindow info;
    // The child's windows first; the teacher's keep their size whatever the child's.
    const QList<QWidget*> windows{&program.main(), &game, &info, &settings, &editor, &overview};
    constexpr qsizetype ChildWindows = 3;
    QList<QMap<QString, QList<double>>> at100;
    for (QWidget* window : windows)
        at100.append(measures(window));
    // Every value at `factor` times its value at 100 %, give or take rounding; every window's
    // title bar on the screen.
    const auto expectScaled = [&](double factor, double rounding) {
        int compared = 0;
        for (qsizetype w = 0; w < windows.size(); ++w) {
            const QMap<QString, QList<double>> now = measures(windows.at(w));
            QCOMPARE(now.keys(), at100.at(w).keys());
            const double expected = w < ChildWindows ? factor : 1.0;
            for (auto it = at100.at(w).cbegin(); it != at100.at(w).cend(); ++it, ++compared)
                for (qsizetype k = 0; k < it->size(); ++k)
                    QVERIFY2(qAbs(now.value(it.key()).at(k) - it->at(k) * expected) <= rounding,
                             qPrintable(windows.at(w)->objectName() + it.key()));
            const QRect screen = windows.at(w)->screen()->availableGeometry();
            QVERIFY(screen.contains(windows.at(w)->frameGeometry().topLeft()));
        }
        QVERIFY(compared > 100);
    };
    windowscale::apply(1.5);
    expectScaled(1.5, 1.0);

    // Back at 100 % through the smallest size, where odd sizes round, nothing has drifted.
    windowscale::apply(windowscale::Smallest / 2);
    QCOMPARE(windowscale::factor(), windowscale::Smallest);
    windowscale::apply(1.0);
    expectScaled(1.0, 0.0);
}

void PlatformWidgetsTest::aPictureDrawnAheadIsTheOneDrawnWhenAsked_data() {
    QTest::addColumn<QSize>("ahead");
    QTest::addColumn<QSize>("asked");
    QTest::newRow("the size asked for") << QSize(564, 432) << QSize(564, 432);
    QTest::newRow("another shape: centred") << QSize(700, 300) << QSize(700, 300);
    QTest::newRow("another size than drawn ahead") << QSize(564, 432) << QSize(282, 216);
}

void PlatformWidgetsTest::aPictureDrawnAheadIsTheOneDrawnWhenAsked() {
    QFETCH(QSize, ahead);
    QFETCH(QSize, asked);
    const auto drawing = PictureButton::drawAhead(u"dose"_s, ahead);
    const auto drawn = [asked] {
        return PictureButton::icon(u"dose"_s).pixmap(asked).toImage().convertToFormat(
            QImage::Format_ARGB32_Premultiplied);
    };
    const QImage first = drawn();
    QCOMPARE(first.size(), asked);
    QCOMPARE(first, drawn()); // a new icon draws for itself: a drawing ahead is handed out once

}

QTEST_MAIN(PlatformWidgetsTest)
#include "test_platformwidgets.moc"
