#pragma once

#include <QHash>
#include <QIconEngine>
#include <QPixmap>

#include <memory>

class QSvgRenderer;

namespace tivoral {

// One of the program's SVG pictures as an icon, read once, when it is first drawn. Qt's own SVG
// icon reads every file twice (to check it when the icon is made, and again to draw it), which
// the window's first frame waited for.
class SvgIconEngine final : public QIconEngine {
public:
    explicit SvgIconEngine(const QString& path);
    ~SvgIconEngine() override;

    // A picture being drawn ahead. When it goes, its thread is waited for and a drawing no icon
    // took is dropped: it must go before the application object, whose painting the thread uses.
    class DrawingAhead {
    public:
        DrawingAhead() = default;
        ~DrawingAhead();
        DrawingAhead(const DrawingAhead&) = delete;
        DrawingAhead& operator=(const DrawingAhead&) = delete;
    };

    // Starts drawing a large picture on a thread of its own, so that the first window need not
    // wait for it; the first icon of that picture asked for the same size in device pixels
    // takes this drawing.
    [[nodiscard]] static DrawingAhead drawAhead(const QString& path, QSize pixels);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override;
    bool isNull() override;

private:
    QSvgRenderer& renderer();

    QString path_;
    // Shared by an icon's copies, which Qt makes on every change of a copied icon.
    std::shared_ptr<QSvgRenderer> renderer_;
    QHash<QString, QPixmap> drawn_;
};

} // namespace tivoral
