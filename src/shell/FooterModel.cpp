#include "FooterModel.h"

#include "AppStores.h"
#include "FrameRules.h"
#include "core/SettingKeys.h"

void FooterModel::setDefaults(Defaults* defaults) {
    if (m_defaults == defaults) return;
    disconnect(m_defaultsConnection);
    m_defaults = defaults;
    if (defaults)
        m_defaultsConnection = connect(defaults, &Defaults::changed, this, [this](const QString& key) {
            if (key == QLatin1String(SettingKeys::playerModel)) emit playerGlyphChanged();
        });
    emit defaultsChanged();
    emit playerGlyphChanged();
}

void FooterModel::setPlayer(Player* player) {
    if (m_player == player) return;
    m_player = player;
    emit playerChanged();
}

PlayerMusic* FooterModel::music() const {
    if (m_music) return m_music;
    QQmlEngine* engine = qmlEngine(this);
    return engine ? AppStores::create(engine, nullptr)->playerMusic : nullptr;
}

QString FooterModel::playerGlyph() const {
    const QString model =
        m_defaults ? m_defaults->declared(QLatin1String(SettingKeys::playerModel)).toString() : QString();
    return FrameRules::playerGlyph(model);
}

bool FooterModel::drop(const QList<QByteArray>& payloads) {
    PlayerMusic* music = this->music();
    if (!music || payloads.isEmpty()) return false;
    QList<PlayerPick> picks;
    for (const QByteArray& payload : payloads) {
        std::optional<PlayerPick> pick = PlayerPick::fromJsonBytes(payload);
        if (!pick) return false;
        picks.append(std::move(*pick));
    }
    QPointer<Player> player = m_player;
    music->add(picks, [player](const QString& text) {
        if (player) player->setNotice(Player::Notice::make(text));
    });
    return true;
}

bool FooterModel::dropPicks(const QVariantList& payloads) {
    QList<QByteArray> bytes;
    for (const QVariant& payload : payloads)
        bytes.append(payload.metaType() == QMetaType::fromType<QString>() ? payload.toString().toUtf8()
                                                                          : payload.toByteArray());
    return drop(bytes);
}
