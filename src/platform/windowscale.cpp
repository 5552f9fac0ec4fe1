#include "platform/windowscale.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace tivoral::windowscale {

namespace {

double currentFactor = 1.0;

// A teacher's window keeps its own factor here and is left out of apply().
constexpr const char* TeacherFactor = "tivoralTeacherFactor";
// What a window manager draws when the window is not yet shown and its frame is unknown.
constexpr int EstimatedTitleBarPixels = 36;
constexpr int EstimatedBorderPixels = 2;

// The application's own font at 100 %, found before the first change of size.
const QFont& baseApplicationFont() {
    static const QFont font = QApplication::font();
    return font;
}

// Each widget remembers what it measured at 100 % and what it was last given, so that a
// value the program has set since (a view moved, a font applied) is taken as the new measure,
// and switching back and forth never drifts by rounding.
constexpr const char* BaseGeometry = "tivoralBaseGeometry";
constexpr const char* ShownGeometry = "tivoralShownGeometry";
constexpr const char* BaseMinimum = "tivoralBaseMinimum";
constexpr const char* ShownMinimum = "tivoralShownMinimum";
constexpr const char* BaseMaximum = "tivoralBaseMaximum";
constexpr const char* ShownMaximum = "tivoralShownMaximum";
constexpr const char* BasePoints = "tivoralBasePoints";
constexpr const char* ShownPoints = "tivoralShownPoints";
constexpr const char* BaseIcon = "tivoralBaseIcon";
constexpr const char* ShownIcon = "tivoralShownIcon";
constexpr const char* BaseMargin = "tivoralBaseMargin";
constexpr const char* ShownMargin = "tivoralShownMargin";
constexpr const char* BaseLayout = "tivoralBaseLayout";
constexpr const char* ShownLayout = "tivoralShownLayout";
constexpr const char* BaseSpacing = "tivoralBaseSpacing";
constexpr const char* ShownSpacing = "tivoralShownSpacing";

class Rescaler {
public:
    Rescaler(double from, double to) : from_(from), to_(to) {}

    void window(QWidget* window) const {
        const QPoint centre = window->geometry().center();
        const QSize size = scaled(window, BaseGeometry, ShownGeometry, window->size());
        limits(window);
        window->resize(size);
        placeAround(window, centre);
        font(window);
        for (QWidget* child : window->findChildren<QWidget*>()) {
            if (child->window() == window && !isInternal(child))
                widget(child);
        }
    }

private:
    static bool isInternal(const QWidget* widget) {
        // Parts Qt makes inside its own widgets follow their owner's size.
        for (const QObject* o = widget; o; o = o->parent()) {
            if (o->objectName().startsWith(QLatin1String("qt_")))
                return true;
        }
        return false;
    }

    void widget(QWidget* w) const {
        // Measured before the limits change, which may resize the widget at once.
        const QRectF base =
            measure(w, BaseGeometry, ShownGeometry, QRectF(w->geometry()), [this](QRectF r) {
                return QRectF(r.x() / from_, r.y() / from_, r.width() / from_, r.height() / from_);
            });
        const QRect shown(qRound(base.x() * to_), qRound(base.y() * to_),
                          qRound(base.width() * to_), qRound(base.height() * to_));
        limits(w);
        w->setGeometry(shown);
        w->setProperty(ShownGeometry, QRectF(w->geometry()));
        font(w);
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            button->setIconSize(scaled(w, BaseIcon, ShownIcon, button->iconSize()));
        if (auto* label = qobject_cast<QLabel*>(w)) {
            label->setMargin(scaledNumber(w, BaseMargin, ShownMargin, label->margin()));
            if (!label->pixmap().isNull())
                label->setScaledContents(true);
        }
        if (QLayout* layout = w->layout())
            this->layout(w, layout);
    }

    void limits(QWidget* w) const {
        const QSize minimum = scaled(w, BaseMinimum, ShownMinimum, w->minimumSize());
        const QSize maximum = scaled(w, BaseMaximum, ShownMaximum, w->maximumSize());
        w->setMinimumSize(minimum);
        w->setMaximumSize(maximum);
    }

    void font(QWidget* w) const {
        // Widgets that inherit their font follow the application's font; a style sheet keeps
        // the font it found until it is set anew.
        if (!w->styleSheet().isEmpty())
            w->setStyleSheet(w->styleSheet());
        if (!w->testAttribute(Qt::WA_SetFont) || w->font().pointSizeF() <= 0)
            return;
        const double points = w->font().pointSizeF();
        const double base =
            measure(w, BasePoints, ShownPoints, points, [this](double p) { return p / from_; });
        QFont font = w->font();
        font.setPointSizeF(base * to_);
        w->setFont(font);
        w->setProperty(ShownPoints, w->font().pointSizeF());
    }

    void layout(QWidget* w, QLayout* layout) const {
        const QMargins m = layout->contentsMargins();
        const QRect packed(m.left(), m.top(), m.right(), m.bottom());
        const QRectF base = measure(w, BaseLayout, ShownLayout, QRectF(packed), [this](QRectF r) {
            return QRectF(r.x() / from_, r.y() / from_, r.width() / from_, r.height() / from_);
        });
        layout->setContentsMargins(qRound(base.x() * to_), qRound(base.y() * to_),
                                   qRound(base.width() * to_), qRound(base.height() * to_));
        const QMargins now = layout->contentsMargins();
        w->setProperty(ShownLayout,
                       QRectF(QRect(now.left(), now.top(), now.right(), now.bottom())));
        // The gaps between its controls grow too; -1 leaves mixed gaps to the style.
        if (layout->spacing() >= 0)
            layout->setSpacing(scaledNumber(w, BaseSpacing, ShownSpacing, layout->spacing()));
    }

    // The 100 % value of a property: the remembered one while the widget still shows what it
    // was last given, otherwise what it shows now at the old factor.
    template <typename T, typename Back>
    static T measure(QWidget* w, const char* baseKey, const char* shownKey, const T& now,
                     Back back) {
        const QVariant shown = w->property(shownKey);
        T base;
        if (shown.isValid() && shown.value<T>() == now && w->property(baseKey).isValid())
            base = w->property(baseKey).value<T>();
        else
            base = back(now);
        w->setProperty(baseKey, QVariant::fromValue(base));
        return base;
    }

    // Sizes keep "no limit" (QWIDGETSIZE_MAX) and zero as they are.
    QSize scaled(QWidget* w, const char* baseKey, const char* shownKey, QSize now) const {
        const QSizeF base = measure(w, baseKey, shownKey, QSizeF(now), [this](QSizeF s) {
            return QSizeF(unscale(s.width()), unscale(s.height()));
        });
        const QSize result(rescale(base.width()), rescale(base.height()));
        w->setProperty(shownKey, QSizeF(result));
        return result;
    }

    int scaledNumber(QWidget* w, const char* baseKey, const char* shownKey, int now) const {
        const double base =
            measure(w, baseKey, shownKey, double(now), [this](double v) { return v / from_; });
        const int result = qRound(base * to_);
        w->setProperty(shownKey, double(result));
        return result;
    }

    double unscale(double v) const { return v >= QWIDGETSIZE_MAX ? v : v / from_; }
    int rescale(double v) const {
        return v >= QWIDGETSIZE_MAX ? QWIDGETSIZE_MAX
                                    : int(std::min<double>(QWIDGETSIZE_MAX, qRound(v * to_)));
    }

    static void placeAround(QWidget* window, QPoint centre) {
        QRect frame(window->pos(), window->size() + frameExtra(*window));
        frame.moveCenter(centre);
        window->move(frame.topLeft());
        fitOnScreen(*window);
    }

    double from_;
    double to_;
};

} // namespace

double factor() {
    return currentFactor;
}

void apply(double factor) {
    const double to = std::clamp(factor, Smallest, Largest);
    const double from = currentFactor;
    if (qFuzzyCompare(to, from))
        return;
    currentFactor = to;

    // The fonts widgets inherit; the first call finds the application's own font.
    const QFont& applicationFont = baseApplicationFont();
    QFont inherited = applicationFont;
    if (inherited.pointSizeF() > 0)
        inherited.setPointSizeF(applicationFont.pointSizeF() * to);
    QApplication::setFont(inherited);

    const Rescaler rescaler(from, to);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->windowType() == Qt::Window && !window->objectName().isEmpty() &&
            !window->property(TeacherFactor).isValid())
            rescaler.window(window);
    }
}

namespace {

class ScreenFitter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            const Qt::WindowType type = widget->windowType();
            if (widget->isWindow() && (type == Qt::Window || type == Qt::Dialog))
                fitOnScreen(*widget);
        }
        return false;
    }
};

} // namespace

void keepWindowsOnScreen() {
    // One per application: it goes with the application it watches.
    static QPointer<ScreenFitter> fitter;
    if (fitter)
        return;
    fitter = new ScreenFitter(qApp);
    qApp->installEventFilter(fitter);
}

QSize frameExtra(const QWidget& window) {
    const QSize measured = window.frameGeometry().size() - window.size();
    if (window.isVisible() && !measured.isEmpty())
        return measured;
    if (window.windowFlags() & Qt::FramelessWindowHint)
        return QSize(0, 0);
    return QSize(2 * EstimatedBorderPixels, EstimatedTitleBarPixels + EstimatedBorderPixels);
}

void fitOnScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize extra = frameExtra(window);
    const QSize room = area.size() - extra;
    const QSize fitted = window.size().boundedTo(room).expandedTo(window.minimumSize());
    if (fitted != window.size())
        window.resize(fitted);
    // The title bar first: a window still too large for the area hangs off its bottom right.
    QRect frame(window.pos(), window.size() + extra);
    frame.moveRight(std::min(frame.right(), area.right()));
    frame.moveBottom(std::min(frame.bottom(), area.bottom()));
    frame.moveLeft(std::max(frame.left(), area.left()));
    frame.moveTop(std::max(frame.top(), area.top()));
    if (frame.topLeft() != window.pos())
        window.move(frame.topLeft());
}

void followTeacherScreen(QWidget& window) {
    const double from = factorOf(window);
    // Its texts follow its own size, not the application's font, which is the child's.
    if (!window.testAttribute(Qt::WA_SetFont) && baseApplicationFont().pointSizeF() > 0) {
        QFont font = baseApplicationFont();
        font.setPointSizeF(font.pointSizeF() * from);
        window.setFont(font);
    }
    double to = 1.0;
    if (const QScreen* screen = window.screen();
        screen && window.minimumSize() == window.maximumSize()) {
        // A window of fixed size can only fit by being smaller as a whole.
        const QSize layout(qRound(window.width() / from), qRound(window.height() / from));
        to = std::min(to, fillFactor(layout, frameExtra(window), screen->availableGeometry()));
    }
    window.setProperty(TeacherFactor, to);
    if (!qFuzzyCompare(from, to))
        Rescaler(from, to).window(&window);
}

double factorOf(const QWidget& window) {
    const QVariant own = window.window()->property(TeacherFactor);
    return own.isValid() ? own.toDouble() : currentFactor;
}

double fillFactor(QSize layoutSize, QSize frameExtra, QRect available) {
    if (layoutSize.isEmpty())
        return 1.0;
    const double across = double(available.width() - frameExtra.width()) / layoutSize.width();
    const double down = double(available.height() - frameExtra.height()) / layoutSize.height();
    return std::clamp(std::min(across, down), Smallest, Largest);
}

void centreOnScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize frame = window.size() + frameExtra(window);
    window.move(area.x() + (area.width() - frame.width()) / 2,
                area.y() + (area.height() - frame.height()) / 2);
    fitOnScreen(window);
}

} // namespace tivoral::windowscale
