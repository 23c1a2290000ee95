#pragma once

#include <QObject>

class AppModel;
class QQuickWindow;
class RootModel;

// Space and Escape for the whole main window, seen before any control: Space plays or pauses unless a text
// field is being edited (then it types), Escape steps back. The Now Playing page handles its own keys,
// except while files are dragged over the window.
class WindowKeys : public QObject {
    Q_OBJECT
public:
    WindowKeys(QQuickWindow& window, AppModel& app, RootModel& root, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool editingText() const;

    QQuickWindow& m_window;
    AppModel& m_app;
    RootModel& m_root;
};
