#pragma once

#include "Accent.h"

#include <QFuture>
#include <QObject>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

class QQmlEngine;
class QJSEngine;
#include <functional>

class Defaults;
class QVariantAnimation;

// Holds the current accent and works it out again when the choice, the chosen pocket player or the
// playing cover changes. `accent` is the value decided; `drawn` is what views paint, fading from the old
// accent to the new one so every accent-coloured view changes together.
class AccentStore : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(Accent accent READ accent NOTIFY accentChanged)
    Q_PROPERTY(Accent drawn READ drawn NOTIFY drawnChanged)
public:
    // The two colours of a cover, worked out off the GUI thread; an empty list when there are none.
    using CoverColors = std::function<QFuture<QList<QColor>>(const QUrl& artwork)>;

    explicit AccentStore(const Defaults& defaults, CoverColors coverColors = {}, QObject* parent = nullptr);
    ~AccentStore() override;

    const Accent& accent() const { return m_accent; }
    const Accent& drawn() const { return m_drawn; }

    // The accent of a pocket-player colour: none for a black, white or grey finish.
    static std::optional<Accent> accentFor(const QColor& finishTop);

    // Starts working out the accent. Any update still waiting (for cover colours) is dropped, as is one
    // cancelled with cancel(): a slow analysis of a cover that no longer plays never wins.
    void update(AccentChoice choice, const QColor& playerTop, const QUrl& playing);
    // From QML: an unknown choice text counts as magenta.
    Q_INVOKABLE void update(const QString& choice, const QColor& playerTop, const QUrl& playing);
    Q_INVOKABLE void cancel() { ++m_generation; }

    // The settings page's list: raw values, shown names and the fixed sets (none for player and cover).
    Q_INVOKABLE QStringList choices() const;
    Q_INVOKABLE QString choiceName(const QString& raw) const;
    Q_INVOKABLE QVariant preset(const QString& raw) const;

    // For the QML singleton: the instance the application object installed in the engine.
    static AccentStore* create(QQmlEngine* engine, QJSEngine*);

signals:
    void accentChanged();
    void drawnChanged();

private:
    void offer(const Accent& candidate, quint64 generation);

    CoverColors m_coverColors;
    Accent m_accent;
    Accent m_drawn;
    Accent m_fadeFrom;
    QVariantAnimation* m_fade = nullptr;
    quint64 m_generation = 0;
};
