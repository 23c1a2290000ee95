#pragma once

#include "core/Defaults.h"

#include <QObject>
#include <QPointer>
#include <QQmlEngine>
#include <QQmlParserStatus>
#include <QVariant>
#include <QtQml/qqmlregistration.h>

// One stored setting as a view binds to it: `Setting { id: fade; key: "fadeOnPause" }`, then `fade.value`
// and `fade.value = false`. It reads the declared default while the key was never written (or holds a value
// of another type), writes at once, and tells its bindings only when its own key changes, so a page full
// of settings does not re-evaluate on every volume step.
class Setting : public QObject, public QQmlParserStatus {
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)
    QML_ELEMENT
    Q_PROPERTY(QString key READ key WRITE setKey NOTIFY keyChanged)
    Q_PROPERTY(QVariant value READ value WRITE setValue NOTIFY valueChanged)
    // The store written; the engine's `Stores.defaults` unless set.
    Q_PROPERTY(Defaults* defaults READ defaults WRITE setDefaults NOTIFY defaultsChanged)

public:
    explicit Setting(QObject* parent = nullptr) : QObject(parent) {}

    QString key() const { return m_key; }
    void setKey(const QString& key);
    QVariant value() const;
    void setValue(const QVariant& value);
    Defaults* defaults() const { return m_defaults; }
    void setDefaults(Defaults* defaults);

    void classBegin() override {}
    void componentComplete() override;

signals:
    void keyChanged();
    void valueChanged();
    void defaultsChanged();

private:
    void onChanged(const QString& key);

    QString m_key;
    QPointer<Defaults> m_defaults;
    QMetaObject::Connection m_connection;
};

// The settings store as the views see it (`Stores.defaults`): its type comes from a library without QML.
struct DefaultsForeign {
    Q_GADGET
    QML_FOREIGN(Defaults)
    QML_ANONYMOUS
};
