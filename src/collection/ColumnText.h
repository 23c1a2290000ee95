#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

// What the column headers say, and the sorts as their buttons step through them, for the QML views.
class ColumnText : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
public:
    explicit ColumnText(QObject* parent = nullptr) : QObject(parent) {}

    // "12 songs", "1 artist", "0 artists".
    Q_INVOKABLE static QString count(int count, const QString& noun);
    // What a screen reader says of a sort button.
    Q_INVOKABLE static QString sortButtonName(const QString& label);
    // Labels and the next raw value of a stored sort; an unknown raw value stands for `fallback`.
    Q_INVOKABLE static QString albumSortLabel(const QString& raw, const QString& fallback);
    Q_INVOKABLE static QString nextAlbumSort(const QString& raw, const QString& fallback);
    Q_INVOKABLE static QString songSortLabel(const QString& raw);
    Q_INVOKABLE static QString nextSongSort(const QString& raw);
};
