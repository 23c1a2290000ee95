#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <QString>
#include <optional>

// Whole-file JSON storage shared by every store: written atomically (a reader never sees half a file and a
// failed write leaves the old one), read once when the store is made. A file that exists but cannot be
// decoded is set aside under a new name rather than being overwritten by the next save, so a bad byte never
// costs the user what the file held.
namespace JsonFile {

enum class ReadStatus { Missing, Unreadable, Ok };

struct ReadResult {
    ReadStatus status = ReadStatus::Missing;
    QByteArray data;
};

ReadResult read(const QString& path);

// Compact JSON, parent folders made first. False when anything fails; the old file then stays as it was.
bool write(const QString& path, const QJsonDocument& doc);
bool writeBytes(const QString& path, const QByteArray& bytes);

// Renames `path` to "<path>.unreadable-<unix seconds>" (with a counter when that exists). Returns the new
// path, or an empty string when nothing was there or the rename failed.
QString setAside(const QString& path);
// The same, but copies instead of renaming, for a file that was read in part and is about to be rewritten
// without what could not be read.
QString copyAside(const QString& path);

// Reads and decodes a store's file. A missing file gives nullopt quietly; a file that is unreadable, is not
// JSON, or that `decode` rejects (returns nullopt) is set aside and gives nullopt.
template <typename T, typename Decode> std::optional<T> load(const QString& path, Decode decode) {
    const ReadResult r = read(path);
    if (r.status == ReadStatus::Missing) return std::nullopt;
    if (r.status == ReadStatus::Ok) {
        QJsonParseError error{};
        const QJsonDocument doc = QJsonDocument::fromJson(r.data, &error);
        if (error.error == QJsonParseError::NoError) {
            std::optional<T> value = decode(doc);
            if (value) return value;
        }
    }
    setAside(path);
    return std::nullopt;
}

} // namespace JsonFile
