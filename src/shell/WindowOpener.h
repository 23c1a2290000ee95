#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>
#include <functional>

// Opens the program's windows by name from the views: `Stores.windows.open("mini")`. The application
// object says how; "main" brings back the main window, "mini" the small floating player.
class WindowOpener : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the application")
public:
    using Open = std::function<bool(const QString& id)>;
    explicit WindowOpener(Open open, QObject* parent = nullptr) : QObject(parent), m_open(std::move(open)) {}

    // False for a name that is not one of the windows, or when the window could not be made.
    Q_INVOKABLE bool open(const QString& id) {
        if (id != QLatin1String("main") && id != QLatin1String("mini")) return false;
        return m_open && m_open(id);
    }

private:
    Open m_open;
};
