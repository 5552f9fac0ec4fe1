#include "platform/svgiconengine.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

#include <future>
#include <optional>

namespace tivoral {

namespace {

// Centred at its own proportions, as Qt's SVG icons are.
void drawCentred(QSvgRenderer& renderer, QPaintDevice& device, QSize size) {
    QPainter painter(&device);
    QSizeF picture = renderer.defaultSize();
    picture.scale(size, Qt::KeepAspectRatio);
    renderer.render(&painter, QRectF(QPointF((size.width() - picture.width()) / 2,
                                             (size.height() - picture.height()) / 2),
                                     picture));
}

struct AheadDrawing {
    QString path;
    QSize pixels;
    std::future<QImage> image;
};

std::optional<AheadDrawing>& aheadDrawing() {
    static std::optional<AheadDrawing> drawing;
    return drawing;
}

std::optional<QPixmap> takeAheadDrawing(const QString& path, QSize pixels) {
    std::optional<AheadDrawing>& drawing = aheadDrawing();
    if (!drawing || drawing->path != path || drawing->pixels != pixels)
        return std::nullopt;
    QImage image = drawing->image.get();
    drawing.reset();
    if (image.isNull())
        return std::nullopt;
    return QPixmap::fromImage(std::move(image));
}

} // namespace

SvgIconEngine::DrawingAhead::~DrawingAhead() {
    // The future of a thread of its own waits for that thread when it goes.
    aheadDrawing().reset();
}

SvgIconEngine::DrawingAhead SvgIconEngine::drawAhead(const QString& path, QSize pixels) {
    aheadDrawing() = AheadDrawing{path, pixels, std::async(std::launch::async, [path, pixels] {
                                      QSvgRenderer renderer(path);
                                      if (!renderer.isValid() || pixels.isEmpty())
                                          return QImage();
                                      QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
                                      image.fill(Qt::transparent);
                                      drawCentred(renderer, image, pixels);
                                      return image;
                                  })};
    return {};
}

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
    QPixmap drawn;
    if (std::optional<QPixmap> ahead = takeAheadDrawing(path_, size)) {
        drawn = std::move(*ahead);
    } else {
        drawn = QPixmap(size);
        drawn.fill(Qt::transparent);
        if (size.isEmpty() || !renderer().isValid())
            return drawn;
        drawCentred(renderer(), drawn, size);
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
