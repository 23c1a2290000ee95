#include "MixLayout.h"

#include "StableHash.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// The header band across the top of Mixview; the ring sits in the area below it.
constexpr double band = 96;
// Artists with pictures of their own are drawn in a landscape frame this much wider than high.
constexpr double wideRatio = 1.34;

// Every measure rounds halves away from zero (std::round), never to even: at a small unit the two differ
// by a pixel on several tiles.
double rounded(double v) {
    return std::round(v);
}

} // namespace

const std::array<MixLayout::Slot, 9>& MixLayout::ringSlots() {
    // In the order free slots are searched.
    static const std::array<Slot, 9> table{{
        {-0.18, -0.74, 0.40, true},
        {0.30, -0.74, 0.36, false},
        {0.80, -0.28, 0.52, false},
        {0.86, 0.32, 0.44, true},
        {0.32, 0.84, 0.48, false},
        {-0.24, 0.80, 0.34, false},
        {-0.72, 0.50, 0.34, false},
        {-0.86, 0.00, 0.46, true},
        {-0.66, -0.48, 0.30, false},
    }};
    return table;
}

const MixLayout::Slot& MixLayout::smartDJSpot() {
    static const Slot spot{-0.5, -0.7, 0.14, false};
    return spot;
}

double MixLayout::unit(QSizeF area) {
    const double e = std::min({area.width() / 2.7, (area.height() - band) / 2.35, 300.0});
    // An area lower than the band (or not laid out yet, 0 × 0) would give negative frames.
    return std::max(0.0, rounded(e));
}

std::vector<MixLayout::Placed> MixLayout::place(const MixCluster& cluster, QSizeF area,
                                                const MixCluster::HasPicture& hasPicture) {
    const double e = unit(area);
    const double cx = area.width() / 2;
    const double cy = (area.height() - band) / 2 + 84;
    const bool mirrored = stableHash(cluster.centre.id()) % 2 == 1;

    auto pictured = [&](const MixItem& item) {
        return item.kind == MixItem::Kind::artist && hasPicture(item.artist.name);
    };

    std::vector<Placed> out;
    out.reserve(size_t(cluster.around.size()) + 1);
    {
        Placed centre;
        centre.item = cluster.centre;
        centre.centre = true;
        const double cw = pictured(cluster.centre) ? rounded(wideRatio * e) : e;
        // The artwork is cw × E inside a 5-pt margin with a 30-pt caption below, so its middle is the ring's.
        centre.at = QPointF(cx, cy + 15);
        centre.size = QSizeF(cw + 10, e + 40);
        out.push_back(centre);
    }

    auto put = [&](const MixItem& item, const Slot& slot) {
        Placed p;
        p.item = item;
        const double r = rounded(e * slot.size);
        p.size = QSizeF(pictured(item) ? rounded(wideRatio * r) : r, r);
        const double x = mirrored ? -slot.x : slot.x;
        p.at = QPointF(cx + e * x, cy + e * slot.y);
        p.beat = int(out.size());
        p.leftward = x < 0;
        out.push_back(p);
    };

    for (const MixItem& item : cluster.around)
        if (item.kind == MixItem::Kind::smartDJ) put(item, smartDJSpot());

    std::array<bool, 9> taken{};
    auto take = [&](const MixItem& item, bool wide) {
        const auto& table = ringSlots();
        std::optional<size_t> chosen;
        for (size_t i = 0; i < table.size() && !chosen; ++i)
            if (!taken[i] && table[i].wide == wide) chosen = i;
        for (size_t i = 0; i < table.size() && !chosen; ++i)
            if (!taken[i]) chosen = i;
        if (!chosen) return;
        taken[*chosen] = true;
        put(item, table[*chosen]);
    };
    for (const MixItem& item : cluster.around)
        if (pictured(item)) take(item, true);
    for (const MixItem& item : cluster.around)
        if (item.kind != MixItem::Kind::smartDJ && !pictured(item)) take(item, false);
    return out;
}
