#pragma once

#include "IvraModel.h"
#include "shell/look/Accent.h"

#include <QFuture>
#include <QImage>
#include <QSize>
#include <QStringList>
#include <QUrl>
#include <functional>

class ArtworkCache;

// The pocket player's own screen: its menu over the newest cover (or, without one, a glow in the accent
// colours) and its status icons. Drawn off-screen once per model and picture into a bitmap of a fixed size
// that the device picture shows in its display.
namespace IvraScreen {

inline constexpr int pixelsPerPoint = 3;

// The screen's size in points: 240 × 320 for flash, 272 × 480 for hd.
QSize pointSize(IvraModel model);
// The bitmap's size: the point size at three pixels per point.
QSize pixelSize(IvraModel model);
// The menu, top to bottom.
QStringList menu(IvraModel model);
// The menu's font size in points, and how much consecutive lines overlap (a fraction of the font size).
double menuFontSize(IvraModel model);
double menuOverlap(IvraModel model);
// Where the menu starts, in points from the top left corner.
QPointF menuOrigin(IvraModel model);
// How strongly the cover or the glow shows through the black: 1 for flash, 0.35 for hd.
double backgroundOpacity(IvraModel model);

// Draws the screen. A null `picture` shows the accent glow instead of a cover.
QImage draw(IvraModel model, const QImage& picture, const Accent& accent);

// Loads the cover of `art` from the cache (a song or picture file) and draws the screen with it on
// `context`'s thread; no art, or a file without a readable cover, gives the glow. The accent is asked for
// when the screen is drawn. The future never finishes when `context` is gone by then.
QFuture<QImage> render(IvraModel model, const QUrl& art, ArtworkCache* cache,
                       const std::function<Accent()>& accent, QObject* context);

} // namespace IvraScreen
