#pragma once

#include "artwork/PlaceholderArt.h"
#include "library/PlayerPick.h"

#include <QColor>
#include <QImage>
#include <QString>

class ArtistImageStore;
class ArtworkCache;
class LibraryStore;
class PlaylistStore;
class Player;

// The small card that follows the pointer while a pick is dragged: the pick's picture, its name and a line
// of detail, dark whatever the window's scheme. A platform drag shows a still picture, so the card is
// worked out once when the drag starts and painted then; it does not follow later changes of the library.
class DragCard {
public:
    // Where the card looks things up. Any of them may be missing (a view without stores): the card then
    // counts no songs and shows the placeholder.
    struct Sources {
        const LibraryStore* library = nullptr;
        const PlaylistStore* playlists = nullptr;
        const Player* player = nullptr;
        ArtistImageStore* pictures = nullptr;
        const ArtworkCache* artwork = nullptr;
    };

    static constexpr double artSide = 40;
    static constexpr double inset = 6;
    static constexpr double trailingExtra = 10;
    static constexpr double spacing = 10;
    static constexpr double lineSpacing = 2;
    static constexpr double maxWidth = 280;
    static constexpr double stripeWidth = 3;
    static constexpr QRgb background = 0xFF1C1C1C; // 28/255 on each channel
    static constexpr double detailOpacity = 0.6;

    QString name;
    QString detail;
    // The picture the cover cache (or the user's artist pictures) held when the drag started; null for none.
    QImage art;
    PlaceholderKind placeholder = PlaceholderKind::song;

    // The pick's songs are worked out once; the detail and the picture both come from that list.
    static DragCard make(const PlayerPick& pick, const Sources& sources);

    // "1 song", else the number and " songs" ("0 songs" for none).
    static QString countText(qsizetype songs);
    static QString detailText(const PlayerPick& pick, qsizetype songs);
    static PlaceholderKind placeholderFor(PlayerPick::Kind kind);

    // The card at a device pixel ratio, with the accent's two colours on its stripe.
    QImage paint(double pixelRatio, const QColor& accentFrom, const QColor& accentTo) const;
    // The card's size in device-independent pixels.
    QSizeF size() const;
};
