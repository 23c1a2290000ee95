#pragma once

#include "AllSongsModel.h"

#include <QObject>
#include <QQmlEngine>
#include <QtQml/qqmlregistration.h>

// The song lists that outlive the pages showing them, one set per engine: the songs section's order is
// kept (and kept up to date) between visits, so opening the section again sorts nothing.
class SongLists : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(AllSongsModel* all READ all CONSTANT)
public:
    explicit SongLists(QObject* parent) : QObject(parent) {}
    static SongLists* create(QQmlEngine* engine, QJSEngine*);
    // Made with the engine's stores when first asked for.
    AllSongsModel* all();

private:
    QQmlEngine* m_engine = nullptr;
    AllSongsModel* m_all = nullptr;
};
