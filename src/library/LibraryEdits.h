#pragma once

#include "Song.h"

#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <optional>

// What the user changed over the scanned songs: song titles (keyed by file path), album names and chosen
// covers (keyed by album identity). The music files are never touched; these live in "edits.json" and the
// "Covers" folder and are laid over the songs every time the collection is derived. Entries outlive the
// songs they name, so an edit comes back when its file or album does.
struct LibraryEdits {
    QHash<QString, QString> songTitles;
    QHash<QString, QString> albumTitles;
    QHash<QString, QString> covers;

    // Lays the title and album edits over `songs`, which must have their album artists resolved: the album
    // key is taken before the name is replaced, so an edited album keeps its identity. With no title or
    // album edits the very list given comes back (covers are the albums' business, not the songs').
    QList<Song> apply(const QList<Song>& songs) const;
    // The same, with the songs' album identities already at hand (one per song, in order).
    QList<Song> apply(const QList<Song>& songs, const QList<QString>& albumIDs) const;

    // The chosen cover of an album, whether or not the picture is still there.
    std::optional<FileUrl> cover(const QString& albumID) const;

    // Writes "edits.json" atomically; false when it could not (the edits stay in force for this run).
    bool save() const;

    // Reads "edits.json"; empty when missing. An undecodable file is set aside so the next save cannot
    // overwrite what it held.
    static LibraryEdits load();

    static QString file();
    static QString coverFolder();

    QJsonObject toJson() const;
    // nullopt unless the object has all three maps, each from text to text.
    static std::optional<LibraryEdits> fromJson(const QJsonObject& object);

    friend bool operator==(const LibraryEdits&, const LibraryEdits&) = default;
};
