#include "window_icon.hpp"

#include <QIconEngine>
#include <QList>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <array>
#include <map>

namespace quadrel {

namespace {

constexpr std::array kSizes{16, 32, 48, 64, 128};

class CameraIconEngine : public QIconEngine {
public:
    QPixmap pixmap(const QSize &size, QIcon::Mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        if (side <= 0)
            return {};
        QPixmap &cached = pixmaps_[side];
        if (cached.isNull())
            cached = draw(side);
        return cached;
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device()->devicePixelRatioF();
        painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const int side : kSizes)
            sizes.append({side, side});
        return sizes;
    }

    QIconEngine *clone() const override { return new CameraIconEngine(*this); }
    QString key() const override { return QStringLiteral("QuadrelCamera"); }

private:
    static QPixmap draw(int side) {
        if (std::find(kSizes.begin(), kSizes.end(), side) != kSizes.end()) {
            // The format is named so that Qt does not probe every image plugin for it.
            QImageReader reader(QStringLiteral(":/images/camera-%1.png").arg(side), "png");
            reader.setAutoDetectImageFormat(false);
            return QPixmap::fromImage(reader.read());
        }
        QPixmap drawn = QIcon(QStringLiteral(":/images/camera.svg")).pixmap(side, side);
        if (drawn.size() != QSize(side, side)) {
            // Without the SVG plugin: the nearest larger picture, scaled down.
            const auto larger = std::lower_bound(kSizes.begin(), kSizes.end() - 1, side);
            drawn = draw(*larger).scaled(side, side, Qt::KeepAspectRatio,
                                         Qt::SmoothTransformation);
        }
        return drawn;
    }

    std::map<int, QPixmap> pixmaps_;
};

} // namespace

QIcon cameraIcon() {
    return QIcon(new CameraIconEngine);
}

} // namespace quadrel
