#pragma once

#include <QColor>
#include <QFont>
#include <QObject>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

class QQmlEngine;
class QJSEngine;

// How a round button is drawn for one combination of filled, hovered and on.
struct CircleLook {
    Q_GADGET
    QML_VALUE_TYPE(circleLook)
    Q_PROPERTY(QColor icon MEMBER icon CONSTANT)
    Q_PROPERTY(QColor disc MEMBER disc CONSTANT)
    Q_PROPERTY(QColor ring MEMBER ring CONSTANT)
    Q_PROPERTY(double brightness MEMBER brightness CONSTANT)
public:
    QColor icon;
    QColor disc; // transparent: no disc
    QColor ring;
    double brightness = 0;
};

// How a pill button is drawn.
struct PillLook {
    Q_GADGET
    QML_VALUE_TYPE(pillLook)
    Q_PROPERTY(QColor text MEMBER text CONSTANT)
    Q_PROPERTY(QColor fill MEMBER fill CONSTANT)
    Q_PROPERTY(QColor border MEMBER border CONSTANT)
    Q_PROPERTY(double brightness MEMBER brightness CONSTANT)
public:
    QColor text;
    QColor fill;   // transparent: empty capsule
    QColor border; // transparent: no border
    double brightness = 0;
};

// What an arrow key does to a list of sections: `handled` false passes the key on.
struct SectionStep {
    Q_GADGET
    QML_VALUE_TYPE(sectionStep)
    Q_PROPERTY(bool handled MEMBER handled CONSTANT)
    Q_PROPERTY(int index MEMBER index CONSTANT)
public:
    bool handled = false;
    int index = -1;
};

// The rules of the kit's small controls: buttons, hints, the switch, the segmented picker and the settings
// blocks. The QML controls only draw what these say, so every rule is reachable from a test without a window.
class Controls : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
public:
    static constexpr double hitHeight = 44;
    static constexpr double smallHitWidth = 36;
    static constexpr double filledHoverBrightness = -0.12;
    static constexpr double pillHoverBrightness = -0.1;
    static constexpr double pillBorderOpacity = 0.85;
    static constexpr int hintWaitMs = 300;
    static constexpr double hintHeight = 22;
    static constexpr double hintPadding = 9;
    static constexpr double hintLift = 26;
    static constexpr double hintSlide = 4;
    static constexpr int balanceSteps = 14;

    explicit Controls(QObject* parent = nullptr) : QObject(parent) {}
    static Controls* create(QQmlEngine*, QJSEngine*) { return new Controls; }

    // The area a round button takes clicks in: 36 wide up to a diameter of 36, else as wide as the circle;
    // always 44 tall.
    Q_INVOKABLE static QSizeF circleHitSize(double size);
    // The ring is a little bolder on big buttons.
    Q_INVOKABLE static double ringWidth(double size);
    // `isOn` is undefined for a plain action button, else true or false. `on` is the accent's text colour.
    Q_INVOKABLE static CircleLook circleLook(bool filled, bool hovered, const QVariant& isOn,
                                             const QColor& primary, const QColor& inverse, const QColor& on);
    Q_INVOKABLE static QColor iconColor(bool hovered, const QVariant& isOn, const QColor& primary,
                                        const QColor& on);
    Q_INVOKABLE static PillLook pillLook(bool filled, bool hovered, const QColor& color,
                                         const QColor& inverse);
    // The hint of an on/off button says its state; a plain button's hint is its label.
    Q_INVOKABLE static QString hintText(const QString& label, const QVariant& isOn);
    Q_INVOKABLE static QString accessibleValue(const QVariant& isOn);
    // A brightness change as the colour filters apply it: the same amount added to each component.
    Q_INVOKABLE static QColor brightened(const QColor& color, double amount);

    // Segmented picker: a segment is selected when its value equals the selection (so equal values are
    // both selected). Leaving a segment clears the hover only while it still points at that segment, so
    // that the neighbour's entry is kept whichever of the two events comes first; -1 is none.
    Q_INVOKABLE static bool isSelected(const QVariant& value, const QVariant& selection);
    Q_INVOKABLE static int hoverAfterExit(int hovered, int left) { return hovered == left ? -1 : hovered; }

    // Up and Down in a section list: clamped moves without wrap-around. A key held with Ctrl, Alt or Meta
    // belongs to the shortcuts and is passed on (Shift does not count); so is every key while the selection
    // is not one of the sections.
    Q_INVOKABLE static SectionStep sectionStep(const QVariantList& sections, const QVariant& selection,
                                               int key, int modifiers);

    // The narrowest width at which a paragraph in Inter of `size` pixels keeps the height it has at
    // `maxWidth`: 14 bisections between a third of `maxWidth` and `maxWidth`, rounded up, plus 4, never
    // more than `maxWidth`. It lays the text out as the QML Text that draws it does (same font, wrapping
    // at word boundaries or anywhere).
    Q_INVOKABLE static double balancedWidth(const QString& text, double size, double maxWidth);
    // The height of the paragraph laid out at `width`.
    static double textHeight(const QString& text, double size, double width);
    // The transport's middle button.
    Q_INVOKABLE static QString playSymbol(bool playing) {
        return playing ? QStringLiteral("pause.fill") : QStringLiteral("play.fill");
    }
    Q_INVOKABLE static QString playLabel(bool playing) {
        return playing ? QStringLiteral("Pause") : QStringLiteral("Play");
    }
    // What follows a scrub reading: the length of the song, "0:00" without one.
    Q_INVOKABLE static QString readingTotal(double duration);
    // A view with several seek bars shows the first reading present among them, in the order given.
    Q_INVOKABLE static QString firstReading(const QStringList& readings);
    // The system's fixed-width font at `size` pixels, for fields that hold keys and paths.
    Q_INVOKABLE static QFont fixedFont(double size);
};

// A capsule as the shape that takes clicks: set as an item's `containmentMask`, it answers for that item's
// own size, so the corners outside the rounded ends let the pointer through.
class CapsuleMask : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(double width MEMBER m_width NOTIFY changed)
    Q_PROPERTY(double height MEMBER m_height NOTIFY changed)
public:
    explicit CapsuleMask(QObject* parent = nullptr) : QObject(parent) {}
    Q_INVOKABLE bool contains(const QPointF& point) const;
    static bool inCapsule(const QSizeF& size, const QPointF& point);

signals:
    void changed();

private:
    double m_width = 0;
    double m_height = 0;
};
