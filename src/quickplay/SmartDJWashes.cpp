#include "SmartDJWashes.h"

#include "QuickplayModel.h"
#include "core/Text.h"
#include "library/ArtistImageStore.h"
#include "shell/artwork/ArtworkCache.h"

#include <QQmlEngine>
#include <algorithm>
#include <cmath>
#include <memory>

namespace SmartDJWash {

const QList<QRgb>& palette() {
    static const QList<QRgb> colours = {0x8CC63F, 0xEC008C, 0xF7941D, 0x00AEEF, 0x8E44AD, 0xE8392F};
    return colours;
}

QColor colour(int index) {
    return QColor::fromRgb(palette().at(index));
}

int fallback(int position) {
    return position % 2;
}

QList<int> choose(const QList<std::optional<double>>& hues) {
    QList<double> paletteHues;
    for (int k = 0; k < palette().size(); ++k)
        paletteHues.append(std::max(0.0, double(colour(k).toRgb().hsvHueF())));
    QList<int> out;
    std::optional<int> previous;
    for (int i = 0; i < hues.size(); ++i) {
        QList<int> candidates;
        if (const auto h = hues[i]) {
            for (int k = 0; k < paletteHues.size(); ++k)
                candidates.append(k);
            auto distance = [&](int k) {
                const double d = std::abs(paletteHues[k] - *h);
                return std::min(d, 1 - d);
            };
            std::stable_sort(candidates.begin(), candidates.end(),
                             [&](int a, int b) { return distance(a) < distance(b); });
        } else {
            candidates = {i % 2, (i + 1) % 2};
        }
        int pick = candidates.first();
        for (int k : candidates)
            if (!previous || k != *previous) {
                pick = k;
                break;
            }
        out.append(pick);
        previous = pick;
    }
    return out;
}

namespace {

double lum(double r, double g, double b) {
    return 0.3 * r + 0.59 * g + 0.11 * b;
}

// The "color" blend: the source's hue and saturation at the backdrop's luminosity, brought back into range
// without changing that luminosity.
void setLum(double& r, double& g, double& b, double l) {
    const double d = l - lum(r, g, b);
    r += d;
    g += d;
    b += d;
    const double L = lum(r, g, b);
    const double n = std::min({r, g, b});
    const double x = std::max({r, g, b});
    auto clip = [&](double& c) {
        if (n < 0) c = L + (c - L) * L / (L - n);
        if (x > 1) c = L + (c - L) * (1 - L) / (x - L);
    };
    clip(r);
    clip(g);
    clip(b);
}

} // namespace

QImage wash(const QImage& picture, const QColor& tint) {
    if (picture.isNull()) return {};
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    const double tr = tint.redF(), tg = tint.greenF(), tb = tint.blueF();
    constexpr double over = 0.18;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb p = line[x];
            const double grey = std::clamp(
                (lum(qRed(p) / 255.0, qGreen(p) / 255.0, qBlue(p) / 255.0) - 0.5) * 1.2 + 0.5, 0.0, 1.0);
            double r = tr, g = tg, b = tb;
            setLum(r, g, b, grey);
            r = r * (1 - over) + tr * over;
            g = g * (1 - over) + tg * over;
            b = b * (1 - over) + tb * over;
            auto byte = [](double v) { return int(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
            line[x] = qRgba(byte(r), byte(g), byte(b), qAlpha(p));
        }
    }
    return out;
}

} // namespace SmartDJWash

WashSources WashSources::of(ArtistImageStore& pictures, ArtworkCache& cache) {
    QPointer<ArtistImageStore> store(&pictures);
    QPointer<ArtworkCache> covers(&cache);
    WashSources out;
    out.pictureHue = [store](const QString& name) -> std::optional<std::optional<double>> {
        if (!store || !store->has(name)) return std::nullopt;
        const QImage picture = store->image(name);
        if (picture.isNull()) return std::nullopt;
        return ArtworkCache::hue(picture);
    };
    out.coverHue = [covers](const FileUrl& url) {
        return covers ? covers->hue(url) : QtFuture::makeReadyFuture(std::optional<double>());
    };
    return out;
}

SmartDJWashes::SmartDJWashes(QObject* parent) : QObject(parent) {}

SmartDJWashes::~SmartDJWashes() = default;

void SmartDJWashes::setModel(QuickplayModel* model) {
    if (model == m_model) return;
    m_model = model;
    follow();
    emit modelChanged();
}

void SmartDJWashes::setPictures(ArtistImageStore* pictures) {
    if (pictures == m_pictures) return;
    m_pictures = pictures;
    m_sources.reset();
    follow();
    emit modelChanged();
}

void SmartDJWashes::setSources(WashSources sources, std::function<QStringList()> pictureNames) {
    m_sources = std::move(sources);
    m_pictureNames = std::move(pictureNames);
    update(true);
}

void SmartDJWashes::follow() {
    for (const auto& c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    if (m_model) m_connections.append(connect(m_model, &QuickplayModel::rebuilt, this, [this] { update(); }));
    if (m_pictures)
        m_connections.append(
            connect(m_pictures, &ArtistImageStore::artistsChanged, this, [this] { update(); }));
    update();
}

QStringList SmartDJWashes::key() const {
    QStringList out;
    if (m_model)
        for (const Artist& artist : m_model->content().smartDJ)
            out.append(Text::lower(artist.name));
    // Every picture name, not only the Smart DJ artists': a new picture anywhere chooses again.
    out.append(QStringLiteral("\n"));
    if (m_pictureNames)
        out += m_pictureNames();
    else if (m_pictures)
        out += m_pictures->artists();
    return out;
}

void SmartDJWashes::update(bool force) {
    if (!m_model) return;
    if (!m_sources && m_pictures) {
        QQmlEngine* engine = qmlEngine(this);
        ArtworkCache* cache = engine ? ArtworkCache::create(engine, nullptr) : nullptr;
        if (cache) m_sources = WashSources::of(*m_pictures, *cache);
    }
    if (!m_sources) return;
    const QStringList next = key();
    if (!force && m_keyed && next == m_key) return;
    m_key = next;
    m_keyed = true;

    const int run = ++m_run;
    const QList<Artist> artists = m_model->content().smartDJ;
    struct Pending {
        QList<std::optional<double>> hues;
        qsizetype waiting = 0;
    };
    auto pending = std::make_shared<Pending>();
    pending->hues.resize(artists.size());
    auto finish = [this, run, artists, pending] {
        if (run != m_run) return; // overtaken by a newer run
        const QList<int> picks = SmartDJWash::choose(pending->hues);
        QHash<QString, QColor> chosen;
        for (qsizetype i = 0; i < artists.size(); ++i)
            chosen.insert(Text::lower(artists[i].name), SmartDJWash::colour(picks[i]));
        ++m_applied;
        if (chosen != m_chosen) {
            m_chosen = chosen;
            emit chosenChanged();
        }
    };
    QList<std::pair<qsizetype, FileUrl>> covers;
    for (qsizetype i = 0; i < artists.size(); ++i) {
        if (const auto picture = m_sources->pictureHue(artists[i].name)) {
            // A picture without a hue does not fall back to the album's cover.
            pending->hues[i] = *picture;
        } else if (!artists[i].albums.isEmpty()) {
            if (const auto url = artists[i].albums.first().artworkURL()) covers.append({i, *url});
        }
    }
    pending->waiting = covers.size();
    if (covers.isEmpty()) {
        finish();
        return;
    }
    for (const auto& cover : covers) {
        const qsizetype i = cover.first;
        m_sources->coverHue(cover.second).then(this, [pending, i, finish](std::optional<double> hue) {
            pending->hues[i] = hue;
            if (--pending->waiting == 0) finish();
        });
    }
}

QColor SmartDJWashes::tint(const QString& name, int position) const {
    return m_chosen.value(Text::lower(name), SmartDJWash::colour(SmartDJWash::fallback(position)));
}

QVariantMap SmartDJWashes::chosenMap() const {
    QVariantMap out;
    for (auto it = m_chosen.cbegin(); it != m_chosen.cend(); ++it)
        out.insert(it.key(), it.value());
    return out;
}
