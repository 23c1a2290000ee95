#pragma once

#include "Listen.h"

#include <QList>
#include <QString>

// Every song the player left, oldest first, kept in "listening.json" in the data folder and rewritten whole
// at each new entry. Read once when made.
class ListeningLog {
public:
    static constexpr qsizetype capacity = 5000;

    // Reads the log from `filePath`, by default the data folder's "listening.json".
    explicit ListeningLog(QString filePath = {});

    const QList<Listen>& listens() const { return m_listens; }
    // Replaces the entries (the player empties them when the history is cleared); does not save.
    void setListens(QList<Listen> listens) { m_listens = std::move(listens); }

    // Appends, keeps the newest `capacity` entries and saves.
    void record(const Listen& listen);
    // Writes the whole log; a failed write leaves the file as it was and the log in memory unchanged.
    // When the load skipped malformed entries, a copy of the file is set aside first.
    void save();

    QString filePath() const { return m_path; }

private:
    QString m_path;
    QList<Listen> m_listens;
    bool m_copyBeforeSave = false;
};
