#pragma once

#include "Navigation.h"

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

// The rules of the window's frame (header, back button, footer) apart from any window: which page button
// is selected, when Back acts, whose name the header greets, how the footer's groups share its width and
// what the pocket-player button says.
class FrameRules : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    // The first word of the logged-in user's full name; empty when the account has none.
    Q_PROPERTY(QString firstName READ firstName CONSTANT)

public:
    explicit FrameRules(QObject* parent = nullptr) : QObject(parent) {}

    static constexpr double footerHeight = 104;
    static constexpr double footerPadding = 28;
    static constexpr double footerSpacing = 24;
    static constexpr double infoWidth = 230;
    static constexpr double stripSpacing = 14;
    static constexpr double firstInfoHeight = 56;

    QString firstName() const;

    // The first space-separated word of a full name, empty when there is none.
    static QString firstWord(const QString& fullName);
    // The account's full name from its GECOS field: the text before the first comma.
    static QString fullNameFromGecos(const QString& gecos);
    // The logged-in user's full name, read from the password database.
    static QString systemFullName();

    // Whether a header button (its title) is selected on a page.
    Q_INVOKABLE static bool selected(const QString& button, Nav::Page page);
    // Back acts while Mixview is open or the page history has a page.
    Q_INVOKABLE static bool backActive(bool mixviewOpen, bool canGoBack) { return mixviewOpen || canGoBack; }

    // The strip's width: the cover (as tall as the info column), the spacing and the info column.
    Q_INVOKABLE static double stripWidth(double infoHeight) { return infoHeight + stripSpacing + infoWidth; }
    // Each outer group's width: the two share what the strip and the bar's padding and spacing leave, so
    // the strip stays in the middle whatever the groups hold.
    Q_INVOKABLE static double outerGroupWidth(double barWidth, double stripWidth);

    // The pocket player's glyph: "hd" only for exactly that model text, "flash" for any other.
    Q_INVOKABLE static QString playerGlyph(const QString& model);
    Q_INVOKABLE static QString playerLabel(bool samplePlayer);
    Q_INVOKABLE static QString batteryText() { return QStringLiteral("82%"); }
    Q_INVOKABLE static QString playerHint() {
        return QStringLiteral("Drag artists, albums, songs or playlists here to put them on your player");
    }
};
