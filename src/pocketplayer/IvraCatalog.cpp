#include "IvraCatalog.h"

#include "Lineup.h"
#include "core/Defaults.h"
#include "core/SettingKeys.h"
#include "shell/AppModel.h"

QStringList IvraCatalog::models() const {
    QStringList out;
    for (IvraModel model : Ivra::allModels())
        out.append(Ivra::rawValue(model));
    return out;
}

QVariantList IvraCatalog::finishes(const QString& model) const {
    QVariantList out;
    if (const std::optional<IvraModel> m = Ivra::modelFromRaw(model))
        for (const IvraFinish& finish : Ivra::finishes(*m))
            out.append(QVariant::fromValue(finish));
    return out;
}

QList<int> IvraCatalog::capacities(const QString& model) const {
    const std::optional<IvraModel> m = Ivra::modelFromRaw(model);
    return m ? Ivra::capacities(*m) : QList<int>();
}

QVariant IvraCatalog::signature(const QString& model) const {
    const std::optional<IvraModel> m = Ivra::modelFromRaw(model);
    return m ? QVariant::fromValue(Ivra::signature(*m)) : QVariant();
}

QString IvraCatalog::name(const QString& model, int capacity) const {
    const std::optional<IvraModel> m = Ivra::modelFromRaw(model);
    return m ? Ivra::name(*m, capacity) : QString();
}

QString IvraCatalog::lineName(const QString& model) const {
    const std::optional<IvraModel> m = Ivra::modelFromRaw(model);
    return m ? Lineup::lineName(*m) : QString();
}

QString IvraCatalog::year(const QString& model) const {
    const std::optional<IvraModel> m = Ivra::modelFromRaw(model);
    return m ? Lineup::year(*m) : QString();
}

QString IvraCatalog::lineupAccessibleName(const QString& model) const {
    const std::optional<IvraModel> m = Ivra::modelFromRaw(model);
    return m ? Lineup::accessibleName(*m) : QString();
}

void IvraCatalog::pick(QObject* defaults, QObject* app, const QString& model) const {
    auto* store = qobject_cast<Defaults*>(defaults);
    auto* navigation = qobject_cast<AppModel*>(app);
    const std::optional<IvraModel> m = Ivra::modelFromRaw(model);
    if (store && navigation && m) Lineup::pick(*store, *navigation, *m);
}

QObject* ChosenPlayerWatch::defaults() const {
    return m_defaults;
}

void ChosenPlayerWatch::setDefaults(QObject* defaults) {
    auto* store = qobject_cast<Defaults*>(defaults);
    if (store == m_defaults) return;
    disconnect(m_connection);
    m_defaults = store;
    if (store)
        m_connection = connect(store, &Defaults::changed, this, [this](const QString& key) {
            if (key == QLatin1String(SettingKeys::playerModel) ||
                key == QLatin1String(SettingKeys::playerFinish) ||
                key == QLatin1String(SettingKeys::playerCapacity))
                emit playerChanged();
        });
    emit defaultsChanged();
    emit playerChanged();
}

ChosenPlayer ChosenPlayerWatch::player() const {
    if (!m_defaults) return ChosenPlayer();
    return ChosenPlayer::stored(*m_defaults);
}
