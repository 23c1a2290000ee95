#include "AccentStore.h"

#include "core/SettingKeys.h"

#include "ColorMath.h"
#include "Motion.h"
#include "ShellObjects.h"
#include "core/Defaults.h"

#include <QPointer>
#include <QVariantAnimation>

AccentStore::AccentStore(const Defaults& defaults, CoverColors coverColors, QObject* parent)
    : QObject(parent), m_coverColors(std::move(coverColors)), m_accent(Accent::magenta()),
      m_drawn(Accent::magenta()) {
    // A preset shows at once; "player" and "cover" stay magenta until the first update has run.
    if (auto choice =
            AccentChoices::fromRaw(defaults.declared(QString::fromLatin1(SettingKeys::accent)).toString()))
        if (auto preset = AccentChoices::preset(*choice)) m_accent = m_drawn = *preset;

    m_fade = new QVariantAnimation(this);
    m_fade->setStartValue(0.0);
    m_fade->setEndValue(1.0);
    m_fade->setDuration(Motion::accentChangeMs);
    m_fade->setEasingCurve(Motion::easeInOutCurve());
    connect(m_fade, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        m_drawn = Accent::blend(m_fadeFrom, m_accent, v.toDouble());
        emit drawnChanged();
    });
}

AccentStore::~AccentStore() = default;

std::optional<Accent> AccentStore::accentFor(const QColor& finishTop) {
    if (ColorMath::hsb(finishTop).s < 0.25) return std::nullopt;
    return Accent::around(finishTop);
}

void AccentStore::update(AccentChoice choice, const QColor& playerTop, const QUrl& playing) {
    const quint64 generation = ++m_generation;
    if (choice == AccentChoice::cover) {
        if (playing.isEmpty() || !m_coverColors) return offer(Accent::magenta(), generation);
        QPointer<AccentStore> self(this);
        m_coverColors(playing).then(this, [self, generation](const QList<QColor>& colors) {
            if (!self) return;
            self->offer(colors.size() >= 2 ? Accent::around(colors.at(0), colors.at(1)) : Accent::magenta(),
                        generation);
        });
        return;
    }
    if (choice == AccentChoice::player)
        return offer(accentFor(playerTop).value_or(Accent::magenta()), generation);
    offer(*AccentChoices::preset(choice), generation);
}

void AccentStore::update(const QString& choice, const QColor& playerTop, const QUrl& playing) {
    update(AccentChoices::fromRaw(choice).value_or(AccentChoice::magenta), playerTop, playing);
}

void AccentStore::offer(const Accent& candidate, quint64 generation) {
    if (generation != m_generation || candidate == m_accent) return;
    m_fadeFrom = m_drawn;
    m_accent = candidate;
    emit accentChanged();
    m_fade->stop();
    m_fade->start();
}

QStringList AccentStore::choices() const {
    QStringList out;
    for (AccentChoice c : AccentChoices::all())
        out << AccentChoices::rawValue(c);
    return out;
}

QString AccentStore::choiceName(const QString& raw) const {
    auto c = AccentChoices::fromRaw(raw);
    return c ? AccentChoices::name(*c) : QString();
}

QVariant AccentStore::preset(const QString& raw) const {
    auto c = AccentChoices::fromRaw(raw);
    auto p = c ? AccentChoices::preset(*c) : std::nullopt;
    return p ? QVariant::fromValue(*p) : QVariant();
}

AccentStore* AccentStore::create(QQmlEngine* engine, QJSEngine*) {
    return ShellObjects::accentStore(engine);
}
