#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

// The figures of the storage bar: how much of the player's music space the music takes, what is free, and
// by how much the music overflows when it doesn't fit.
struct StorageFigures {
    double fraction = 1; // of the bar to fill, in [0, 1]
    QString music;       // the music's size
    QString free;        // what is left, or "doesn't fit, 1.3 GB too much"
    bool overflow = false;

    // Byte counts below zero count as none.
    static StorageFigures of(qint64 capacity, qint64 musicBytes);
};

// The storage bar's figures for QML: set the two byte counts, read the rest.
class StorageReading : public QObject {
    Q_OBJECT
    QML_ELEMENT
    // QML numbers are doubles; they hold byte counts exactly up to 2⁵³.
    Q_PROPERTY(double capacity READ capacityNumber WRITE setCapacityNumber NOTIFY changed)
    Q_PROPERTY(double musicBytes READ musicBytesNumber WRITE setMusicBytesNumber NOTIFY changed)
    Q_PROPERTY(double fraction READ fraction NOTIFY changed)
    Q_PROPERTY(QString musicText READ musicText NOTIFY changed)
    Q_PROPERTY(QString freeText READ freeText NOTIFY changed)
    Q_PROPERTY(bool overflow READ overflow NOTIFY changed)
public:
    explicit StorageReading(QObject* parent = nullptr);

    qint64 capacity() const { return m_capacity; }
    void setCapacity(qint64 bytes);
    qint64 musicBytes() const { return m_musicBytes; }
    void setMusicBytes(qint64 bytes);
    double capacityNumber() const { return double(m_capacity); }
    void setCapacityNumber(double bytes);
    double musicBytesNumber() const { return double(m_musicBytes); }
    void setMusicBytesNumber(double bytes);

    double fraction() const { return m_figures.fraction; }
    QString musicText() const { return m_figures.music; }
    QString freeText() const { return m_figures.free; }
    bool overflow() const { return m_figures.overflow; }

signals:
    void changed();

private:
    void update();

    qint64 m_capacity = 0;
    qint64 m_musicBytes = 0;
    StorageFigures m_figures;
};
