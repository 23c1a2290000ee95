#pragma once

#include "QuickplayModel.h"
#include "library/Artist.h"
#include "library/ArtistImageStore.h"

#include <QColor>
#include <QFuture>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>
#include <functional>
#include <optional>

class ArtworkCache;

// The Smart DJ tiles' washes: six colours, one per tile, chosen from the hue of each artist's picture so
// that neighbouring tiles differ.
namespace SmartDJWash {
// 0xRRGGBB, in the order the choice prefers on a tie.
const QList<QRgb>& palette();
QColor colour(int index);
// The palette index of each tile: the hues in tile order (none for a picture without a hue).
QList<int> choose(const QList<std::optional<double>>& hues);
// A tile's tint before any choice has been made: alternating by position.
int fallback(int position);

// The resting look of a tile's picture: grey, contrast 1.2, the tint's hue and saturation at the grey's
// lightness, then the tint at 0.18 over it.
QImage wash(const QImage& picture, const QColor& tint);
} // namespace SmartDJWash

// Where an artist's hue comes from: the user's own picture (a hue or none, and "no picture" told apart from
// "a picture without a hue"), else the cover of the artist's first album, which may have to be loaded.
struct WashSources {
    // Outer none: the artist has no picture of their own.
    std::function<std::optional<std::optional<double>>(const QString& name)> pictureHue;
    std::function<QFuture<std::optional<double>>(const FileUrl& cover)> coverHue;

    static WashSources of(ArtistImageStore& pictures, ArtworkCache& cache);
};

// The washes of the Smart DJ half, chosen again whenever the Smart DJ artists or the set of artist pictures
// change. The hues are fetched together and the choice is made once all are known; a run overtaken by a
// newer one is dropped, so a slow cover cannot put an old choice over a newer one.
class SmartDJWashes : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QuickplayModel* model READ model WRITE setModel NOTIFY modelChanged)
    Q_PROPERTY(ArtistImageStore* pictures READ pictures WRITE setPictures NOTIFY modelChanged)
    // Lower-cased name → colour; empty until the first run ends.
    Q_PROPERTY(QVariantMap chosen READ chosenMap NOTIFY chosenChanged)

public:
    explicit SmartDJWashes(QObject* parent = nullptr);
    ~SmartDJWashes() override;

    QuickplayModel* model() const { return m_model; }
    void setModel(QuickplayModel* model);
    ArtistImageStore* pictures() const { return m_pictures; }
    void setPictures(ArtistImageStore* pictures);
    // Tests stand in for the picture store and the cache with their own sources.
    void setSources(WashSources sources, std::function<QStringList()> pictureNames = {});

    // The tint of the artist at `position`: its chosen colour, else the alternating fallback.
    Q_INVOKABLE QColor tint(const QString& name, int position) const;
    const QHash<QString, QColor>& chosen() const { return m_chosen; }
    // Runs started and runs whose result was applied.
    int runs() const { return m_run; }
    int applied() const { return m_applied; }

    // Chooses again when the key changed (or always, with `force`).
    Q_INVOKABLE void update(bool force = false);

signals:
    void modelChanged();
    void chosenChanged();

private:
    QVariantMap chosenMap() const;
    QStringList key() const;
    void follow();

    QPointer<QuickplayModel> m_model;
    QPointer<ArtistImageStore> m_pictures;
    std::optional<WashSources> m_sources;
    std::function<QStringList()> m_pictureNames;
    QList<QMetaObject::Connection> m_connections;
    QStringList m_key;
    bool m_keyed = false;
    int m_run = 0;
    int m_applied = 0;
    QHash<QString, QColor> m_chosen;
};
