#include "MusicImport.h"

#include "LibraryScanner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace MusicImport {

namespace {
bool trimmable(QChar c) {
    return c == QLatin1Char('.') || c.isSpace();
}

QString trimEnds(const QString& s) {
    qsizetype start = 0, end = s.size();
    while (start < end && trimmable(s[start]))
        ++start;
    while (end > start && trimmable(s[end - 1]))
        --end;
    return s.mid(start, end - start);
}

// Cuts to at most `limit` UTF-8 bytes without splitting a character.
QString fitBytes(const QString& s, int limit) {
    if (s.toUtf8().size() <= limit) return s;
    QString out;
    int bytes = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const bool pair = s[i].isHighSurrogate() && i + 1 < s.size();
        const QString ch = pair ? s.mid(i, 2) : QString(s[i]);
        const int n = int(ch.toUtf8().size());
        if (bytes + n > limit) break;
        out += ch;
        bytes += n;
        if (pair) ++i;
    }
    return out;
}

QString canonical(const QString& path) {
    const QString c = QFileInfo(path).canonicalFilePath();
    return c.isEmpty() ? QDir::cleanPath(path) : c;
}

// Whether `folder`, with every link on its way resolved, lies inside the music folder. A link in the music
// folder (an artist folder pointing at another disk, say) must not carry a copy outside it. The folder need
// not exist yet: its nearest existing ancestor decides, since whatever is missing would be made beneath it.
bool resolvesInside(const QString& folder, const QString& musicFolder) {
    const QString root = QDir::cleanPath(musicFolder);
    if (!QFileInfo::exists(root)) return folder.startsWith(root + QLatin1Char('/')); // nothing there to link
    const QString rootPrefix = canonical(root) + QLatin1Char('/');
    QString existing = QDir::cleanPath(folder);
    while (!QFileInfo::exists(existing)) {
        const QString parent = QFileInfo(existing).path();
        if (parent == existing) return false;
        existing = parent;
    }
    const QString resolved = QFileInfo(existing).canonicalFilePath();
    return !resolved.isEmpty() && (resolved + QLatin1Char('/')).startsWith(rootPrefix);
}
} // namespace

QString cleanFolderName(const QString& name) {
    QString s = name;
    for (QChar& c : s)
        if (c == QLatin1Char('/') || c == QLatin1Char(':') || c == QChar(0)) c = QLatin1Char('-');
    s = trimEnds(fitBytes(trimEnds(s), 255));
    return s.isEmpty() ? QStringLiteral("Unknown") : s;
}

void copyCovers(const QString& from, const QString& to) {
    const QDir source(from);
    if (!source.exists()) return;
    for (const QString& name : source.entryList(QDir::Files | QDir::Hidden)) {
        const QString ext = QFileInfo(name).suffix().toLower();
        if (ext != QLatin1String("jpg") && ext != QLatin1String("jpeg") && ext != QLatin1String("png"))
            continue;
        const QString target = to + QLatin1Char('/') + name;
        if (QFileInfo::exists(target)) continue;
        QFile::copy(source.filePath(name), target);
    }
}

Result run(const QList<FileUrl>& items, const QString& musicFolder, const QSet<QString>& known,
           const Identity& identity, const Status& status, const std::atomic<bool>* stop) {
    const QString insidePrefix = canonical(musicFolder) + QLatin1Char('/');
    QList<FileUrl> files;
    for (const FileUrl& item : items) {
        if (item.isEmpty()) continue;
        for (const FileUrl& f : LibraryScanner::files(item))
            if (!canonical(f.path).startsWith(insidePrefix)) files.append(f);
    }

    Result result;
    const qsizetype n = files.size();
    if (n == 0) {
        result.endText = QStringLiteral("no songs in what you dropped");
        return result;
    }
    for (qsizetype i = 0; i < n; ++i) {
        if (stop && stop->load(std::memory_order_relaxed)) break;
        if (status) status(QStringLiteral("copying %1 of %2 songs").arg(i + 1).arg(n));
        const FileUrl& file = files[i];
        const Song song = LibraryScanner::song(file);
        if (known.contains(identity(song))) {
            ++result.skipped;
            continue;
        }
        const QString albumFolder = musicFolder + QLatin1Char('/') + cleanFolderName(song.albumArtist) +
                                    QLatin1Char('/') + cleanFolderName(song.album);
        const QString target = albumFolder + QLatin1Char('/') + QFileInfo(file.path).fileName();
        // The album folder is checked before it is made and again after (a link could appear meanwhile);
        // a link at the target itself is never written through.
        if (!resolvesInside(albumFolder, musicFolder) || !QDir().mkpath(albumFolder) ||
            !resolvesInside(albumFolder, musicFolder) || QFileInfo::exists(target) ||
            QFileInfo(target).isSymLink() || !QFile::copy(file.path, target)) {
            ++result.skipped;
            continue;
        }
        copyCovers(QFileInfo(file.path).absolutePath(), albumFolder);
        ++result.added;
    }
    result.endText =
        result.skipped == 0
            ? QStringLiteral("added %1 songs").arg(result.added)
            : QStringLiteral("added %1 songs, %2 already here").arg(result.added).arg(result.skipped);
    return result;
}

} // namespace MusicImport
