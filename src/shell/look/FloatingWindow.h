#pragma once

#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

// An invisible item that keeps the window it lives in above ordinary windows. The change is made once, on
// the event loop's next turn after the item first enters a window (so the window exists and is set up),
// and is never undone, even after the item is gone. Desktops that ignore the stay-on-top hint (GNOME on
// Wayland) keep the window at its normal level.
class FloatingWindow : public QQuickItem {
    Q_OBJECT
    QML_ELEMENT
public:
    explicit FloatingWindow(QQuickItem* parent = nullptr);

protected:
    void itemChange(ItemChange change, const ItemChangeData& data) override;

private:
    bool m_scheduled = false;
};
