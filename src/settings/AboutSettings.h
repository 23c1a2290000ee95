#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>
#include <functional>

class QUrl;

// One piece of a shortcut as drawn: a key cap, or a joining word ("or", "to").
struct ShortcutPiece {
    QString text;
    bool word = false;
    friend bool operator==(const ShortcutPiece&, const ShortcutPiece&) = default;
};

struct ShortcutEntry {
    QString keys; // as drawn: pieces split at spaces, "_" a space inside one key
    QString what;
};

struct ShortcutGroup {
    QString group;
    QList<ShortcutEntry> entries;
};

// The about section: the version line, where VELTO keeps its own files and a way to show them, and the
// keyboard shortcuts as this build binds them.
class AboutSettings : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QString versionLine READ versionLine CONSTANT)
    Q_PROPERTY(QString filesHelp READ filesHelp CONSTANT)
    // [{group, entries: [{keys, what, label, pieces: [{text, word}]}]}]
    Q_PROPERTY(QVariantList shortcutGroups READ shortcutGroups CONSTANT)

public:
    explicit AboutSettings(QObject* parent = nullptr) : QObject(parent) {}

    static QString versionLine(const QString& version, const QString& build);
    QString versionLine() const;
    // A path with the home folder written "~": only the home itself or a path inside it.
    static QString tildePath(const QString& path, const QString& home);
    QString filesHelp() const;

    static const QList<ShortcutGroup>& shortcuts();
    static QList<ShortcutPiece> pieces(const QString& keys);
    // What a screen reader says for the keys: underscores as spaces.
    static QString spoken(const QString& keys);
    static QVariantList shortcutGroups();

    // Asks the desktop's file manager to show the data folder selected in its parent; opens the folder
    // itself when no file manager answers on the bus.
    Q_INVOKABLE void showInFiles() const;
    // The same for any folder, asking on `bus` and falling back to `open` when no file manager answers. The
    // answer is awaited on the event loop, never blocking the window.
    static void reveal(const QString& folder, const QDBusConnection& bus, std::function<bool(const QUrl&)> open);
};
