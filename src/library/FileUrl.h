#pragma once

#include <QHash>
#include <QString>
#include <QUrl>
#include <optional>

// A local file's address. Songs and covers are files on this machine, so the path is what is kept and
// compared; the URL text ("file:///…" percent-encoded) is only made for the data files and for QML.
struct FileUrl {
    QString path;

    static FileUrl fromPath(QString p) { return FileUrl{std::move(p)}; }
    bool isEmpty() const { return path.isEmpty(); }

    QUrl toUrl() const { return QUrl::fromLocalFile(path); }
    // The absolute text: the file scheme followed by the percent-encoded path.
    QString toString() const { return QString::fromLatin1(toUrl().toEncoded()); }
    // Accepts only "file:" URLs with a path.
    static std::optional<FileUrl> fromString(const QString& text);

    friend bool operator==(const FileUrl&, const FileUrl&) = default;
};

inline size_t qHash(const FileUrl& u, size_t seed = 0) {
    return qHash(u.path, seed);
}
