#pragma once

#include "kit/Controls.h"

#include <QColor>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

// What an artwork tile shows for its size, the pointer, the keyboard cursor, the selection and the
// settings of its page: how many round actions and how big, whether the caption, the dark layer and the
// ring show, how it lifts, and its tooltip and accessible label. The tile's QML only draws these.
//
// The keyboard cursor counts like the pointer for the caption, the actions and the lift, but it neither
// darkens the picture nor takes the accent's ring colour: it rings white.
class TileModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(double width MEMBER m_width NOTIFY changed)
    Q_PROPERTY(double height MEMBER m_height NOTIFY changed)
    Q_PROPERTY(int actionCount MEMBER m_actionCount NOTIFY changed)
    Q_PROPERTY(bool hovered MEMBER m_hovered NOTIFY changed)
    Q_PROPERTY(bool cursor MEMBER m_cursor NOTIFY changed)
    Q_PROPERTY(bool selected MEMBER m_selected NOTIFY changed)
    Q_PROPERTY(bool ring MEMBER m_ring NOTIFY changed)
    Q_PROPERTY(int label MEMBER m_label NOTIFY changed)
    Q_PROPERTY(double lift MEMBER m_lift NOTIFY changed)
    Q_PROPERTY(bool reduceMotion MEMBER m_reduceMotion NOTIFY changed)
    Q_PROPERTY(QString title MEMBER m_title NOTIFY changed)
    Q_PROPERTY(QString subtitle MEMBER m_subtitle NOTIFY changed)
    Q_PROPERTY(QColor accentText MEMBER m_accentText NOTIFY changed)

    Q_PROPERTY(bool lifted READ lifted NOTIFY changed)
    Q_PROPERTY(bool actionsShown READ actionsShown NOTIFY changed)
    Q_PROPERTY(int shownActions READ shownActions NOTIFY changed)
    Q_PROPERTY(double actionSize READ actionSize NOTIFY changed)
    Q_PROPERTY(double actionInset READ actionInset NOTIFY changed)
    Q_PROPERTY(bool captionShown READ captionShown NOTIFY changed)
    Q_PROPERTY(double shade READ shade NOTIFY changed)
    Q_PROPERTY(double ringWidth READ ringWidth NOTIFY changed)
    Q_PROPERTY(QColor ringColor READ ringColor NOTIFY changed)
    Q_PROPERTY(double scale READ scale NOTIFY changed)
    Q_PROPERTY(double brightness READ brightness NOTIFY changed)
    Q_PROPERTY(QString tooltip READ tooltip NOTIFY changed)
    Q_PROPERTY(QString accessibleName READ accessibleName NOTIFY changed)
public:
    // When the caption shows; the same values as the tile's `Tile.Label`.
    enum Label { Always, OnHover, Never };
    Q_ENUM(Label)

    static constexpr double smallSide = 100;
    static constexpr int smallMaxActions = 2;
    static constexpr double smallActionSize = 22, smallInset = 5;
    static constexpr double actionSizeFull = 26, insetFull = 7;
    static constexpr double hoverShade = 0.28;
    static constexpr double ringLine = 2;
    static constexpr double liftBrightness = 0.04;

    explicit TileModel(QObject* parent = nullptr) : QObject(parent) {}

    // The pointer or the keyboard cursor is on the tile.
    bool lifted() const { return m_hovered || m_cursor; }
    bool small() const { return std::min(m_width, m_height) < smallSide; }
    int shownActions() const { return small() ? std::min(m_actionCount, smallMaxActions) : m_actionCount; }
    bool actionsShown() const { return lifted() && m_actionCount > 0; }
    double actionSize() const { return small() ? smallActionSize : actionSizeFull; }
    double actionInset() const { return small() ? smallInset : insetFull; }
    bool captionShown() const;
    double shade() const { return m_hovered ? hoverShade : 0; }
    double ringWidth() const { return m_cursor || (m_selected && m_ring) ? ringLine : 0; }
    QColor ringColor() const { return m_cursor ? QColor(Qt::white) : m_accentText; }
    double scale() const { return lifted() && !m_reduceMotion ? m_lift : 1; }
    double brightness() const { return lifted() ? liftBrightness : 0; }
    QString tooltip() const;
    QString accessibleName() const;

signals:
    void changed();

private:
    double m_width = 0, m_height = 0;
    int m_actionCount = 0;
    bool m_hovered = false, m_cursor = false, m_selected = false, m_ring = false;
    int m_label = OnHover;
    double m_lift = 1.04;
    bool m_reduceMotion = false;
    QString m_title, m_subtitle;
    QColor m_accentText;
};

// The round action button and the row of them, in their two looks: framed (a dark disc in a white ring,
// over artwork) and bare (the symbol alone, in rows).
class RoundActions : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
public:
    static constexpr double framedSpacing = 6, bareSpacing = 2;
    static constexpr double framedRing = 1.5;
    explicit RoundActions(QObject* parent = nullptr) : QObject(parent) {}
    static RoundActions* create(QQmlEngine*, QJSEngine*) { return new RoundActions; }

    // `scrim` is the framed disc at rest; `soft` the bare symbol at rest.
    Q_INVOKABLE static CircleLook look(bool bare, bool hovered, const QColor& scrim, const QColor& soft);
    Q_INVOKABLE static double iconSize(bool bare, double size) { return (bare ? 0.5 : 0.4) * size; }
    Q_INVOKABLE static double ringWidth(bool bare) { return bare ? 0 : framedRing; }
    Q_INVOKABLE static double spacing(bool bare) { return bare ? bareSpacing : framedSpacing; }
    // Framed buttons sit on artwork near its top: their hint goes below. Bare ones sit in rows: above.
    Q_INVOKABLE static bool hintBelow(bool bare) { return !bare; }
};
