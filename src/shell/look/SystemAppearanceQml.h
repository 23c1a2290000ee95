#pragma once

#include "platform/portal/SystemAppearance.h"

#include <QQmlEngine>
#include <QtQml/qqmlregistration.h>

// The desktop's appearance as QML sees it: the instance the application object installed in the engine.
struct SystemAppearanceQml {
    Q_GADGET
    QML_FOREIGN(SystemAppearance)
    QML_NAMED_ELEMENT(SystemAppearance)
    QML_SINGLETON
public:
    static SystemAppearance* create(QQmlEngine* engine, QJSEngine*);
};
