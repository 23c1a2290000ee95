#pragma once

#include <QDBusConnection>
#include <QDBusVariant>
#include <QObject>
#include <optional>

// Whether the desktop is in dark mode, and whether it asks for reduced motion, read from the XDG desktop
// portal's Settings interface when made and followed through its SettingChanged signal. With no portal (a
// bare X session, CI) the desktop reads as light with full motion. VELTO_REDUCE_MOTION=1/0 overrides the
// motion setting, so tests and users without a portal can choose it.
class SystemAppearance : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool isDark READ isDark NOTIFY isDarkChanged)
    Q_PROPERTY(bool reduceMotion READ reduceMotion NOTIFY reduceMotionChanged)
public:
    explicit SystemAppearance(QDBusConnection bus = QDBusConnection::sessionBus(), QObject* parent = nullptr);

    bool isDark() const { return m_isDark; }
    bool reduceMotion() const { return m_reduceMotion; }

    static constexpr const char* reduceMotionVariable = "VELTO_REDUCE_MOTION";

signals:
    void isDarkChanged();
    void reduceMotionChanged();

private slots:
    void onSettingChanged(const QString& group, const QString& key, const QDBusVariant& value);

private:
    std::optional<QVariant> read(const QString& group, const QString& key) const;
    void applyColorScheme(const QVariant& value);
    void applyAnimations(const QVariant& value);

    QDBusConnection m_bus;
    bool m_isDark = false;
    bool m_reduceMotion = false;
    bool m_motionOverridden = false;
};
