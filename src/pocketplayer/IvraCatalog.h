#pragma once

#include "IvraModel.h"

#include <QObject>
#include <QPointer>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

class Defaults;

// The pocket-player models, finishes and sizes for the views: `Ivra.finishes("hd")`. A text that is not
// a model gives nothing.
class IvraCatalog : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(Ivra)
    QML_SINGLETON
public:
    explicit IvraCatalog(QObject* parent = nullptr) : QObject(parent) {}

    Q_INVOKABLE QStringList models() const;
    Q_INVOKABLE QVariantList finishes(const QString& model) const;
    Q_INVOKABLE QList<int> capacities(const QString& model) const;
    Q_INVOKABLE QVariant signature(const QString& model) const;
    Q_INVOKABLE QString name(const QString& model, int capacity) const;

    // The no-player page's tiles (see Lineup): an unknown model text gives empty texts and picks nothing.
    Q_INVOKABLE QString lineName(const QString& model) const;
    Q_INVOKABLE QString year(const QString& model) const;
    Q_INVOKABLE QString lineupAccessibleName(const QString& model) const;
    Q_INVOKABLE void pick(QObject* defaults, QObject* app, const QString& model) const;
};

// The chosen player as a binding: `ChosenPlayerWatch { defaults: Stores.defaults }.player`, told again
// whenever the model, finish or capacity setting changes.
class ChosenPlayerWatch : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QObject* defaults READ defaults WRITE setDefaults NOTIFY defaultsChanged)
    Q_PROPERTY(ChosenPlayer player READ player NOTIFY playerChanged)
public:
    explicit ChosenPlayerWatch(QObject* parent = nullptr) : QObject(parent) {}

    QObject* defaults() const;
    void setDefaults(QObject* defaults);
    ChosenPlayer player() const;

signals:
    void defaultsChanged();
    void playerChanged();

private:
    QPointer<Defaults> m_defaults;
    QMetaObject::Connection m_connection;
};
