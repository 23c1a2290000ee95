#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP (logout, Ctrl+C, a closed terminal) into an orderly
// QCoreApplication::quit(), so aboutToQuit runs and the stores write what they hold. The handler only
// writes a byte to a pipe; the quit happens on the event loop.
class QuitSignals : public QObject {
    Q_OBJECT
public:
    explicit QuitSignals(QObject* parent = nullptr);
    ~QuitSignals() override;

signals:
    void received(int signal);

private:
    QSocketNotifier* m_notifier = nullptr;
};
