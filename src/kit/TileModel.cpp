#include "TileModel.h"

bool TileModel::captionShown() const {
    switch (m_label) {
    case Always:
        return true;
    case OnHover:
        return lifted();
    default:
        return false;
    }
}

QString TileModel::tooltip() const {
    return m_subtitle.isEmpty() ? m_title : m_title + QStringLiteral(" \u00b7 ") + m_subtitle;
}

QString TileModel::accessibleName() const {
    return m_subtitle.isEmpty() ? m_title : m_title + QStringLiteral(", ") + m_subtitle;
}

CircleLook RoundActions::look(bool bare, bool hovered, const QColor& scrim, const QColor& soft) {
    CircleLook look;
    if (bare) {
        look.icon = hovered ? QColor(Qt::white) : soft;
        look.disc = Qt::transparent;
        look.ring = Qt::transparent;
    } else {
        look.icon = hovered ? QColor(0x11, 0x11, 0x11) : QColor(Qt::white);
        look.disc = hovered ? QColor(Qt::white) : scrim;
        look.ring = Qt::white;
    }
    return look;
}
