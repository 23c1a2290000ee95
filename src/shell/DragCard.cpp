#include "DragCard.h"

#include "artwork/ArtworkCache.h"
#include "artwork/PlaylistCover.h"
#include "library/ArtistImageStore.h"
#include "library/AutoPlaylist.h"
#include "library/LibraryStore.h"
#include "library/PlaylistStore.h"
#include "look/Theme.h"
#include "playback/Player.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <cmath>

namespace {

const QString dot = QStringLiteral(" \u00B7 ");

LikesAndPlays listenerOf(const Player& player) {
    LikesAndPlays out;
    out.likes = player.likes();
    const QHash<QString, int>& counts = player.playCounts();
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        out.playCounts.insert(it.key(), it.value());
    return out;
}

QImage cachedCover(const DragCard::Sources& s, const std::optional<FileUrl>& url) {
    if (!url || !s.artwork) return {};
    return s.artwork->cached(*url);
}

// The picture drawn into a square, filling it and cut to it around its centre.
void drawFilled(QPainter& painter, const QImage& picture, const QRectF& box) {
    const QSizeF source = picture.size();
    const double scale = std::max(box.width() / source.width(), box.height() / source.height());
    const QSizeF shown(box.width() / scale, box.height() / scale);
    const QRectF cut((source.width() - shown.width()) / 2, (source.height() - shown.height()) / 2,
                     shown.width(), shown.height());
    painter.drawImage(box, picture, cut);
}

void drawPlaceholder(QPainter& painter, PlaceholderKind kind, const QRectF& box) {
    // Always the dark placeholder: the card is dark in either scheme.
    const auto c = PlaceholderGlyph::colours(true);
    painter.save();
    painter.translate(box.topLeft());
    const QSizeF view = box.size();
    QLinearGradient fill(PlaceholderGlyph::gradientStart(view), PlaceholderGlyph::gradientEnd(view));
    fill.setColorAt(0, c.top);
    fill.setColorAt(1, c.bottom);
    painter.fillRect(QRectF(QPointF(0, 0), view), fill);
    QPen pen(c.glyph, PlaceholderGlyph::lineWidth(view), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(PlaceholderGlyph::path(kind, view));
    painter.restore();
}

double textWidthLimit() {
    return DragCard::maxWidth - 2 * DragCard::inset - DragCard::trailingExtra - DragCard::artSide -
           DragCard::spacing;
}

} // namespace

QString DragCard::countText(qsizetype songs) {
    return songs == 1 ? QStringLiteral("1 song") : QString::number(songs) + QStringLiteral(" songs");
}

QString DragCard::detailText(const PlayerPick& pick, qsizetype songs) {
    const QString count = countText(songs);
    switch (pick.kind) {
    case PlayerPick::Kind::artist:
        return QStringLiteral("artist") + dot + count;
    case PlayerPick::Kind::album:
        return pick.by ? *pick.by + dot + count : count;
    case PlayerPick::Kind::song:
        return pick.by ? *pick.by : count;
    case PlayerPick::Kind::playlist:
        return QStringLiteral("playlist") + dot + count;
    }
    return count;
}

PlaceholderKind DragCard::placeholderFor(PlayerPick::Kind kind) {
    switch (kind) {
    case PlayerPick::Kind::artist:
        return PlaceholderKind::artist;
    case PlayerPick::Kind::album:
        return PlaceholderKind::album;
    case PlayerPick::Kind::song:
        return PlaceholderKind::song;
    case PlayerPick::Kind::playlist:
        return PlaceholderKind::playlist;
    }
    return PlaceholderKind::song;
}

DragCard DragCard::make(const PlayerPick& pick, const Sources& s) {
    DragCard card;
    card.name = pick.name;
    card.placeholder = placeholderFor(pick.kind);

    QList<Song> songs;
    if (s.library && s.playlists)
        songs = pick.songs(*s.library, *s.playlists, s.player ? listenerOf(*s.player) : LikesAndPlays{});
    card.detail = detailText(pick, songs.size());

    switch (pick.kind) {
    case PlayerPick::Kind::artist: {
        // The user's own picture of the artist comes before any album's cover.
        if (s.pictures) card.art = s.pictures->image(pick.key);
        if (card.art.isNull() && s.library) {
            const std::optional<Artist> artist = s.library->artist(pick.key);
            if (artist && !artist->albums.isEmpty())
                card.art = cachedCover(s, artist->albums.first().artworkURL());
        }
        break;
    }
    case PlayerPick::Kind::album:
    case PlayerPick::Kind::song:
        if (!songs.isEmpty() && s.library) card.art = cachedCover(s, s.library->artworkURL(songs.first()));
        break;
    case PlayerPick::Kind::playlist:
        if (s.artwork && s.library) {
            const LibraryStore* library = s.library;
            const QList<FileUrl> urls =
                PlaylistCover::urls(songs, [library](const QString& id) -> std::optional<FileUrl> {
                    const std::optional<Album> album = library->album(id);
                    if (!album || album->songs.isEmpty()) return std::nullopt;
                    return library->artworkURL(album->songs.first());
                });
            if (!urls.isEmpty()) card.art = s.artwork->cachedMosaic(urls);
        }
        break;
    }
    return card;
}

QSizeF DragCard::size() const {
    const QFontMetricsF nameMetrics(Theme::row()), detailMetrics(Theme::detail());
    const double textWidth = std::min(textWidthLimit(), std::max(nameMetrics.horizontalAdvance(name),
                                                                 detailMetrics.horizontalAdvance(detail)));
    const double textHeight = nameMetrics.height() + lineSpacing + detailMetrics.height();
    const double width =
        std::min(maxWidth, 2 * inset + trailingExtra + artSide + spacing + std::ceil(textWidth));
    return {width, 2 * inset + std::max(artSide, std::ceil(textHeight))};
}

QImage DragCard::paint(double pixelRatio, const QColor& accentFrom, const QColor& accentTo) const {
    const QSizeF box = size();
    const double ratio = pixelRatio > 0 ? pixelRatio : 1;
    QImage image(QSize(int(std::ceil(box.width() * ratio)), int(std::ceil(box.height() * ratio))),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(QColor::fromRgba(background));

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);

    const QRectF art(inset, (box.height() - artSide) / 2, artSide, artSide);
    if (!art.isEmpty() && !this->art.isNull())
        drawFilled(painter, this->art, art);
    else
        drawPlaceholder(painter, placeholder, art);

    // Two lines, each cut to one line, centred as a block beside the picture.
    const QFont nameFont = Theme::row(), detailFont = Theme::detail();
    const QFontMetricsF nameMetrics(nameFont), detailMetrics(detailFont);
    const double left = art.right() + spacing;
    const double width = box.width() - left - inset - trailingExtra;
    const double blockHeight = nameMetrics.height() + lineSpacing + detailMetrics.height();
    double y = (box.height() - blockHeight) / 2;
    painter.setFont(nameFont);
    painter.setPen(Qt::white);
    painter.drawText(QPointF(left, y + nameMetrics.ascent()),
                     nameMetrics.elidedText(name, Qt::ElideRight, width));
    y += nameMetrics.height() + lineSpacing;
    painter.setFont(detailFont);
    QColor faded(Qt::white);
    faded.setAlphaF(float(detailOpacity));
    painter.setPen(faded);
    painter.drawText(QPointF(left, y + detailMetrics.ascent()),
                     detailMetrics.elidedText(detail, Qt::ElideRight, width));

    // The accent stripe along the leading edge, over everything: the accent from its leading to its
    // trailing edge, as everywhere else it is drawn.
    QLinearGradient stripe(0, 0, stripeWidth, 0);
    stripe.setColorAt(0, accentFrom);
    stripe.setColorAt(1, accentTo);
    painter.fillRect(QRectF(0, 0, stripeWidth, box.height()), stripe);
    return image;
}
