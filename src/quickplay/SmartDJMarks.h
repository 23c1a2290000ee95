#pragma once

#include <QColor>
#include <QPainterPath>
#include <QQuickAsyncImageProvider>
#include <QQuickPaintedItem>
#include <QtQml/qqmlregistration.h>
#include <algorithm>

class ArtworkCache;

// The two emblems of the Smart DJ tiles, drawn in a square of side s: the Smart DJ mark (a ring open on the
// right with a play triangle in it and three waves leaving the opening) and the artist mark (a ring round a
// head and shoulders). Strokes have butt ends and mitre joins.
namespace DJMarks {
double ringWidth(double side);
double waveWidth(double side);
// Stroked parts, and filled parts, of each mark.
QPainterPath smartDJRing(double side);
QPainterPath smartDJWaves(double side);
QPainterPath smartDJFill(double side);
QPainterPath artistRing(double side);
QPainterPath artistFill(double side);
} // namespace DJMarks

class DJMark : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(Kind kind MEMBER m_kind NOTIFY changed)
    Q_PROPERTY(QColor color MEMBER m_color NOTIFY changed)
public:
    enum Kind { SmartDJ, Artist };
    Q_ENUM(Kind)
    explicit DJMark(QQuickItem* parent = nullptr);
    void paint(QPainter* painter) override;

signals:
    void changed();

private:
    Kind m_kind = SmartDJ;
    QColor m_color = Qt::white;
};

// Serves the resting Smart DJ pictures ("image://smartdjwash/<RRGGBB>/<artwork id>"): the picture the
// artwork cache gives for the address, washed with the tint off the GUI thread.
class WashImageProvider : public QQuickAsyncImageProvider {
public:
    static constexpr auto name = "smartdjwash";
    explicit WashImageProvider(ArtworkCache& cache) : m_cache(cache) {}
    QQuickImageResponse* requestImageResponse(const QString& id, const QSize& requestedSize) override;

private:
    ArtworkCache& m_cache;
};

// What the tiles' QML asks for the washed picture.
class SmartDJLook : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
public:
    using QObject::QObject;
    // The washed picture of an artist: their own picture when they have one, else the cover at `address`
    // (a song or picture file); empty for neither. Installs the provider in the engine the first time.
    Q_INVOKABLE QString washSource(const QString& artist, const QString& address, const QColor& tint,
                                   int revision = 0);
    Q_INVOKABLE static double nameSize(double scale) { return std::min(scale, 1.5) * 28; }
};
