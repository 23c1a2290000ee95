#pragma once

#include "MixCluster.h"

#include <QPointF>
#include <QSizeF>
#include <array>
#include <vector>

// Where the tiles of a Mixview map go in an area of a given size: the centre in the middle of the area
// below its 96-pt header band, the others on a ring of nine fixed slots (three of them wide, for artists
// with pictures) and the Smart DJ tile on a small spot up and left of the centre. Every measure is a
// multiple of one unit that follows the area, so the map scales with the window; the ring is mirrored for
// about half of all centres, by the stable hash of the centre's id, so maps differ yet each stays the same.
struct MixLayout {
    // One tile as the view draws it.
    struct Placed {
        MixItem item;
        bool centre = false;
        QPointF at;   // the middle of the tile's frame, in the area's coordinates (y down)
        QSizeF size;  // the tile's frame
        int beat = 0; // 0 for the centre, then 1, 2, … in placement order: the entry and exit stagger
        bool leftward = false; // the tile's middle lies left of the ring's centre: its hover card opens left

        QString id() const { return item.id(); }
    };

    // A place on the ring, in units of the area's unit E from the ring's centre.
    struct Slot {
        double x = 0; // negative is left
        double y = 0; // negative is up
        double size = 0;
        bool wide = false;
    };
    static const std::array<Slot, 9>& ringSlots();
    static const Slot& smartDJSpot();

    // The area's unit: a whole number of pixels, never above 300 and never below 0.
    static double unit(QSizeF area);

    // The centre first, then the others in placement order; items beyond the nine slots are left out.
    static std::vector<Placed> place(const MixCluster& cluster, QSizeF area,
                                     const MixCluster::HasPicture& hasPicture);
};
