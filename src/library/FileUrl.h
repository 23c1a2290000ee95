#pragma once

#include <QHash>
#include <QString>
#include <QUrl>
#include <optional>
#include <string_view>

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
    // The same, from UTF-8 text.
    static std::optional<FileUrl> fromUtf8(std::string_view text);

    friend bool operator==(const FileUrl&, const FileUrl&) = default;
};

// What a file URL's path keeps as it is (unreserved characters, sub-delimiters, ':', '@', '/');
// everything else is percent-encoded. FileUrl reads both forms.
constexpr bool plainInPath(char16_t c) {
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')) return true;
    switch (c) {
    case u'-':
    case u'.':
    case u'_':
    case u'~':
    case u'!':
    case u'$':
    case u'&':
    case u'\'':
    case u'(':
    case u')':
    case u'*':
    case u'+':
    case u',':
    case u';':
    case u'=':
    case u':':
    case u'@':
    case u'/':
        return true;
    default:
        return false;
    }
}

inline size_t qHash(const FileUrl& u, size_t seed = 0) {
    return qHash(u.path, seed);
}
