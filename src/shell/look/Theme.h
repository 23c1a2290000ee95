#pragma once

#include <QColor>
#include <QFont>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QRectF>
#include <QSizeF>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

class AccentStore;

// A colour with one value for the dark and one for the light appearance, resolved where it is drawn.
struct DynamicColor {
    quint32 dark = 0;
    quint32 light = 0;
    QColor resolve(bool isDark) const;
};

// The palette, fonts and text formats of the interface, and the scheme of each part of the window.
//
// QML reads it as an attached object: `Theme.primary` in any item gives the palette colour for the scheme
// that item is drawn in. `Theme.scheme` set on an item forces a scheme on it and everything inside it (Now
// Playing and Mixview stay dark in a light window); an item that sets none takes its parent's, and the top
// of a window is light unless told otherwise.
class Theme : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Theme is read through its attached properties")
    QML_ATTACHED(Theme)
    Q_PROPERTY(Scheme scheme READ scheme WRITE setScheme NOTIFY schemeChanged)
    Q_PROPERTY(bool dark READ isDark NOTIFY darkChanged)
    Q_PROPERTY(QColor primary READ primary NOTIFY darkChanged)
    Q_PROPERTY(QColor inverse READ inverse NOTIFY darkChanged)
    Q_PROPERTY(QColor secondary READ secondary NOTIFY darkChanged)
    Q_PROPERTY(QColor muted READ muted NOTIFY darkChanged)
    Q_PROPERTY(QColor faint READ faint NOTIFY darkChanged)
    Q_PROPERTY(QColor line READ line NOTIFY darkChanged)
    Q_PROPERTY(QColor track READ track NOTIFY darkChanged)
    Q_PROPERTY(QColor soft READ soft NOTIFY darkChanged)
    Q_PROPERTY(QColor border READ border NOTIFY darkChanged)
    Q_PROPERTY(QColor base READ base NOTIFY darkChanged)
    Q_PROPERTY(QColor panel READ panel NOTIFY darkChanged)
    Q_PROPERTY(QColor connected READ connected NOTIFY darkChanged)
    Q_PROPERTY(QColor scrim READ scrim CONSTANT)
    Q_PROPERTY(QColor ring READ ring CONSTANT)
    Q_PROPERTY(QVariantList chromeColors READ chromeColors NOTIFY darkChanged)
    Q_PROPERTY(QColor plumCentre READ plumCentre NOTIFY darkChanged)
    Q_PROPERTY(QColor plumEdge READ plumEdge NOTIFY darkChanged)
    // The two ends of the accent gradients (leading to trailing, top to bottom), following the accent.
    Q_PROPERTY(QColor accentFrom READ accentFrom NOTIFY accentChanged)
    Q_PROPERTY(QColor accentTo READ accentTo NOTIFY accentChanged)
    // Accent-coloured text (destructive menu rows, check marks): the accent's text on a dark scheme, its
    // text for light backgrounds on a light one.
    Q_PROPERTY(QColor accentText READ accentText NOTIFY accentTextChanged)
    Q_PROPERTY(QFont display READ display CONSTANT)
    Q_PROPERTY(QFont pageTitle READ pageTitle CONSTANT)
    Q_PROPERTY(QFont heading READ heading CONSTANT)
    Q_PROPERTY(QFont tileName READ tileName CONSTANT)
    Q_PROPERTY(QFont setting READ setting CONSTANT)
    Q_PROPERTY(QFont row READ row CONSTANT)
    Q_PROPERTY(QFont meta READ meta CONSTANT)
    Q_PROPERTY(QFont detail READ detail CONSTANT)
public:
    enum Scheme { Inherit, Light, Dark };
    Q_ENUM(Scheme)

    // The palette.
    static constexpr DynamicColor primaryColor{0xFFFFFF, 0x161616};
    static constexpr DynamicColor inverseColor{0x111111, 0xFFFFFF};
    static constexpr DynamicColor secondaryColor{0xA3A3A3, 0x5E5E5E};
    static constexpr DynamicColor mutedColor{0x8F8F8F, 0x737373};
    static constexpr DynamicColor faintColor{0x6F6F6F, 0x9A9A9A};
    static constexpr DynamicColor lineColor{0x262626, 0xE2E2E2};
    static constexpr DynamicColor trackColor{0x3A3A3A, 0xD2D2D2};
    static constexpr DynamicColor softColor{0xD4D4D4, 0x303030};
    static constexpr DynamicColor borderColor{0x5C5C5C, 0xB4B4B4};
    static constexpr DynamicColor baseColor{0x0E0E0E, 0xF2F2F2};
    static constexpr DynamicColor panelColor{0x1A1A1A, 0xFFFFFF};
    static constexpr DynamicColor connectedColor{0x4CC38A, 0x1E9A5E};
    // The window backdrop's radial gradient, centre first, and the plum wash over it.
    static constexpr DynamicColor chromeGradient[3] = {
        {0x272727, 0xFFFFFF}, {0x151515, 0xF6F6F6}, {0x0E0E0E, 0xECECEC}};
    static constexpr DynamicColor plumCentreColor{0xFFF5FA, 0xFFFFFF};
    static constexpr DynamicColor plumEdgeColor{0xFF9CE8, 0xFFFFFF};
    static constexpr double chromeRadius = 900;
    static constexpr double plumRadius = 720;
    static constexpr QPointF chromeCentre{0.5, 0.42};
    static constexpr QSizeF defaultWindowSize{1280, 800};

    enum class FontRole { display, pageTitle, heading, tileName, setting, row, meta, detail };
    static QFont font(FontRole role);
    // The caption style: upper-cased, semibold, of the given pixel size.
    static QFont capsFont(double pixelSize);
    static QString fontFamily() { return QStringLiteral("Inter"); }

    // Seconds as "m:ss"; "0:00" for anything negative or not finite. Minutes are never folded into hours.
    Q_INVOKABLE static QString formatTime(double seconds);
    // Bytes in decimal units: "1.5 GB" from a gigabyte up, else "250 MB".
    Q_INVOKABLE static QString formatSize(qint64 bytes);
    // The centre, in a view's own unit square, that makes its backdrop gradient continue the window's: the
    // view lies at `frame` in a window of `windowSize`.
    Q_INVOKABLE static QPointF chromeMatchCentre(QSizeF windowSize, QRectF frame);

    explicit Theme(QObject* target = nullptr);
    static Theme* qmlAttachedProperties(QObject* object);

    Scheme scheme() const { return m_scheme; }
    void setScheme(Scheme scheme);
    bool isDark() const { return m_dark; }

    QColor primary() const { return primaryColor.resolve(m_dark); }
    QColor inverse() const { return inverseColor.resolve(m_dark); }
    QColor secondary() const { return secondaryColor.resolve(m_dark); }
    QColor muted() const { return mutedColor.resolve(m_dark); }
    QColor faint() const { return faintColor.resolve(m_dark); }
    QColor line() const { return lineColor.resolve(m_dark); }
    QColor track() const { return trackColor.resolve(m_dark); }
    QColor soft() const { return softColor.resolve(m_dark); }
    QColor border() const { return borderColor.resolve(m_dark); }
    QColor base() const { return baseColor.resolve(m_dark); }
    QColor panel() const { return panelColor.resolve(m_dark); }
    QColor connected() const { return connectedColor.resolve(m_dark); }
    static QColor scrim() { return QColor::fromRgbF(0, 0, 0, 0.55f); }
    static QColor ring() { return QColor::fromRgbF(1, 1, 1, 0.25f); }
    QVariantList chromeColors() const;
    QColor plumCentre() const { return plumCentreColor.resolve(m_dark); }
    QColor plumEdge() const { return plumEdgeColor.resolve(m_dark); }
    QColor accentFrom() const;
    QColor accentTo() const;
    QColor accentText() const;

    static QFont display() { return font(FontRole::display); }
    static QFont pageTitle() { return font(FontRole::pageTitle); }
    static QFont heading() { return font(FontRole::heading); }
    static QFont tileName() { return font(FontRole::tileName); }
    static QFont setting() { return font(FontRole::setting); }
    static QFont row() { return font(FontRole::row); }
    static QFont meta() { return font(FontRole::meta); }
    static QFont detail() { return font(FontRole::detail); }

signals:
    void schemeChanged();
    void darkChanged();
    void accentChanged();
    void accentTextChanged();

private:
    void followParent();
    void resolve();

    QObject* m_target = nullptr;
    QPointer<Theme> m_parentTheme;
    QMetaObject::Connection m_parentConnection;
    QPointer<AccentStore> m_accent;
    Scheme m_scheme = Inherit;
    bool m_dark = false;
};
