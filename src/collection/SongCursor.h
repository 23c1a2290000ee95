#pragma once

#include "SongListModel.h"

#include <QJSValue>
#include <QObject>
#include <QPointer>
#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

// The keyboard cursor of a song list and what clicks and keys do with it. The cursor is a row index and
// is kept when the rows change (a new sort, a rescan); one past the end marks no row until a key moves it.
class SongCursor : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(SongListModel* model READ model WRITE setModel NOTIFY modelChanged)
    // -1: none yet.
    Q_PROPERTY(int cursor READ cursor WRITE setCursor NOTIFY cursorChanged)

public:
    explicit SongCursor(QObject* parent = nullptr) : QObject(parent) {}

    SongListModel* model() const { return m_model; }
    void setModel(SongListModel* model);
    int cursor() const { return m_cursor; }
    void setCursor(int cursor);

    // The list took the keyboard focus: without a cursor, it goes to the playing song's first row, else to
    // the first row.
    Q_INVOKABLE void focusTaken();
    // A click on a row: the cursor goes there, the list asks for the focus, the list plays from the row.
    Q_INVOKABLE void choose(int row);
    // A key for the list; true when it was taken. `focus` is the window's focused item (a field being
    // edited keeps every key).
    Q_INVOKABLE bool key(int key, int modifiers, const QString& text, bool autoRepeat, QQuickItem* focus);

signals:
    void modelChanged();
    void cursorChanged();
    // The list should take the keyboard (its section's focus value becomes the list's).
    void focusWanted();

private:
    QPointer<SongListModel> m_model;
    int m_cursor = -1;
};
