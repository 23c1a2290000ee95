#include "Setting.h"

#include "AppStores.h"
#include "core/SettingKeys.h"

#include <QJsonValue>
#include <QQmlEngine>
#include <QtDebug>

void Setting::setKey(const QString& key) {
    if (key == m_key) return;
    m_key = key;
    if (!SettingKeys::isDeclared(key))
        qWarning().noquote() << "Setting: the key" << key
                             << "is not declared; it reads as nothing until written";
    emit keyChanged();
    emit valueChanged();
}

QVariant Setting::value() const {
    if (m_key.isEmpty()) return {};
    if (!m_defaults) return SettingKeys::fallback(m_key).toVariant();
    return m_defaults->declared(m_key).toVariant();
}

void Setting::setValue(const QVariant& value) {
    if (m_key.isEmpty() || !m_defaults) return;
    m_defaults->write(m_key, value);
}

void Setting::setDefaults(Defaults* defaults) {
    if (defaults == m_defaults) return;
    disconnect(m_connection);
    m_defaults = defaults;
    if (defaults) m_connection = connect(defaults, &Defaults::changed, this, &Setting::onChanged);
    emit defaultsChanged();
    emit valueChanged();
}

void Setting::componentComplete() {
    if (m_defaults) return;
    if (QQmlEngine* engine = qmlEngine(this))
        if (Defaults* defaults = AppStores::create(engine, nullptr)->defaults) setDefaults(defaults);
}

void Setting::onChanged(const QString& key) {
    if (key == m_key) emit valueChanged();
}
