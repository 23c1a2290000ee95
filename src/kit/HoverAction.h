#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

// One action a tile or row offers under the pointer: the symbol of its round button, its label (the
// button's hint and accessible name, and, lower-cased, the title of the matching right-click menu row) and
// what it does. The label is the action's identity: labels within one list must differ.
//
//     HoverAction { symbol: "play.fill"; label: "Play"; onRun: player.play(album.songs) }
//
// Whoever offers the action triggers it by calling `run()`.
class HoverAction : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString symbol MEMBER m_symbol NOTIFY symbolChanged)
    Q_PROPERTY(QString label MEMBER m_label NOTIFY labelChanged)
public:
    explicit HoverAction(QObject* parent = nullptr) : QObject(parent) {}
    HoverAction(const QString& symbol, const QString& label, QObject* parent = nullptr)
        : QObject(parent), m_symbol(symbol), m_label(label) {}

    QString symbol() const { return m_symbol; }
    QString label() const { return m_label; }

signals:
    void run();
    void symbolChanged();
    void labelChanged();

private:
    QString m_symbol;
    QString m_label;
};
