#include "platform/svgiconengine.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

namespace tivoral {

SvgIconEngine::SvgIconEngine(const QString& path) : path_(path) {}

SvgIconEngine::~SvgIconEngine() = default;

QSvgRenderer& SvgIconEngine::renderer() {
    if (!renderer_)
        renderer_ = std::make_shared<QSvgRenderer>(path_);
    return *renderer_;
}

void SvgIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                          QIcon::State state) {
    painter->drawPixmap(rect, pixmap(rect.size() * painter->device()->devicePixelRatioF(), mode,
                                     state));
}

QPixmap SvgIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) {
    const QString key = QStringLiteral("%1x%2/%3/%4")
                            .arg(size.width())
                            .arg(size.height())
                            .arg(int(mode))
                            .arg(int(state));
    if (const auto found = drawn_.constFind(key); found != drawn_.constEnd())
        return *found;
    QPixmap drawn(size);
    drawn.fill(Qt::transparent);
    if (size.isEmpty() || !renderer().isValid())
        return drawn;
    {
        QPainter painter(&drawn);
        // Centred at its own proportions, as Qt's SVG icons are.
        QSizeF picture = renderer().defaultSize();
        picture.scale(size, Qt::KeepAspectRatio);
        renderer().render(&painter, QRectF(QPointF((size.width() - picture.width()) / 2,
                                                   (size.height() - picture.height()) / 2),
                                           picture));
    }
    // A disabled button shows its picture greyed by the style, as with any other icon.
    if (mode != QIcon::Normal && qobject_cast<QApplication*>(QCoreApplication::instance())) {
        const QStyleOption option;
        drawn = QApplication::style()->generatedIconPixmap(mode, drawn, &option);
    }
    drawn_.insert(key, drawn);
    return drawn;
}

QIconEngine* SvgIconEngine::clone() const {
    return new SvgIconEngine(*this);
}

QString SvgIconEngine::key() const {
    return QStringLiteral("tivoral-svg");
}

bool SvgIconEngine::isNull() {
    return path_.isEmpty();
}

} // namespace tivoral
