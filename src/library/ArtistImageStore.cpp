#include "ArtistImageStore.h"

#include "core/DataFolder.h"
#include "core/JsonFile.h"
#include "core/Text.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QStringDecoder>
#include <algorithm>

namespace {

const QString extension = QStringLiteral(".jpg");

bool keptAsIs(char32_t c) {
    switch (QChar::category(c)) {
    case QChar::Letter_Uppercase:
    case QChar::Letter_Lowercase:
    case QChar::Letter_Titlecase:
    case QChar::Letter_Modifier:
    case QChar::Letter_Other:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Number_DecimalDigit:
    case QChar::Number_Letter:
    case QChar::Number_Other:
        return true;
    default:
        return false;
    }
}

std::optional<QString> percentEncoded(const QString& text) {
    static const char hex[] = "0123456789ABCDEF";
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        char32_t code = c.unicode();
        qsizetype units = 1;
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            code = QChar::surrogateToUcs4(c, text.at(i + 1));
            units = 2;
        } else if (c.isSurrogate()) {
            // A lone surrogate has no UTF-8 form.
            return std::nullopt;
        }
        const QString piece = text.mid(i, units);
        i += units - 1;
        if (keptAsIs(code)) {
            out += piece;
            continue;
        }
        for (char byte : piece.toUtf8()) {
            const auto b = static_cast<unsigned char>(byte);
            out += QLatin1Char('%');
            out += QLatin1Char(hex[b >> 4]);
            out += QLatin1Char(hex[b & 0xF]);
        }
    }
    return out;
}

int hexValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    return -1;
}

std::optional<QString> percentDecoded(const QString& text) {
    QByteArray bytes;
    const QByteArray utf8 = text.toUtf8();
    bytes.reserve(utf8.size());
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        if (utf8.at(i) != '%') {
            bytes.append(utf8.at(i));
            continue;
        }
        if (i + 2 >= utf8.size()) return std::nullopt;
        const int high = hexValue(QLatin1Char(utf8.at(i + 1)));
        const int low = hexValue(QLatin1Char(utf8.at(i + 2)));
        if (high < 0 || low < 0) return std::nullopt;
        bytes.append(char(high * 16 + low));
        i += 2;
    }
    QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString out = decode(bytes);
    if (decode.hasError()) return std::nullopt;
    return out;
}

} // namespace

ArtistImageStore::ArtistImageStore(QObject* parent) : QObject(parent) {
    const QStringList entries =
        QDir(folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QString& entry : entries) {
        if (!entry.endsWith(extension, Qt::CaseSensitive)) continue;
        if (auto name = artistName(entry)) m_artists.append(*name);
    }
    sortArtists();
}

QString ArtistImageStore::folder() {
    return DataFolder::file(QStringLiteral("Artist Pictures"));
}

QString ArtistImageStore::fileName(const QString& artist) {
    return percentEncoded(Text::lower(artist)).value_or(QStringLiteral("artist")) + extension;
}

std::optional<QString> ArtistImageStore::artistName(const QString& fileName) {
    if (!fileName.endsWith(extension, Qt::CaseSensitive)) return std::nullopt;
    return percentDecoded(fileName.chopped(extension.size()));
}

void ArtistImageStore::sortArtists() {
    std::stable_sort(m_artists.begin(), m_artists.end(),
                     [](const QString& a, const QString& b) { return Text::localizedCompare(a, b) < 0; });
}

bool ArtistImageStore::has(const QString& artist) const {
    const QString key = Text::lower(artist);
    return std::any_of(m_artists.cbegin(), m_artists.cend(),
                       [&](const QString& name) { return Text::lower(name) == key; });
}

QImage ArtistImageStore::image(const QString& artist) {
    const QString key = Text::lower(artist);
    if (auto it = m_cache.constFind(key); it != m_cache.cend()) return *it;
    if (!has(artist)) return {};
    // A failed read is not remembered: the next request tries again.
    QImage picture = load(folder() + QLatin1Char('/') + fileName(artist));
    if (!picture.isNull()) m_cache.insert(key, picture);
    return picture;
}

bool ArtistImageStore::set(const QUrl& picture, const QString& artist) {
    if (!picture.isLocalFile()) return false;
    const QImage source = load(picture.toLocalFile());
    if (source.isNull()) return false;
    const std::optional<QByteArray> data = jpeg(source);
    if (!data) return false;
    DataFolder::ensure(folder());
    if (!JsonFile::writeBytes(folder() + QLatin1Char('/') + fileName(artist), *data)) return false;

    const QString key = Text::lower(artist);
    QImage stored;
    stored.loadFromData(*data, "JPEG");
    if (stored.isNull())
        m_cache.remove(key);
    else
        m_cache.insert(key, stored);
    // Published again even when the name is listed already, so views showing the artist draw the new one.
    if (!has(artist)) {
        m_artists.append(artist);
        sortArtists();
    }
    emit artistsChanged();
    emit pictureFileChanged(folder() + QLatin1Char('/') + fileName(artist));
    return true;
}

void ArtistImageStore::remove(const QString& artist) {
    const QString path = folder() + QLatin1Char('/') + fileName(artist);
    QFile::remove(path);
    const QString key = Text::lower(artist);
    m_cache.remove(key);
    if (m_artists.removeIf([&](const QString& name) { return Text::lower(name) == key; }) > 0)
        emit artistsChanged();
    emit pictureFileChanged(path);
}

void ArtistImageStore::chosen(const QUrl& picture, const QString& artist) {
    if (picture.isEmpty() || !picture.isLocalFile()) return;
    set(picture, artist);
}

QImage ArtistImageStore::load(const QString& path) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    return reader.read();
}

QSize ArtistImageStore::storedSize(QSize size) {
    const qint64 longer = std::max(size.width(), size.height());
    if (longer <= maxSide) return size;
    // Exact integer arithmetic: truncating a floating scale could lose the last pixel of the longer side.
    // A side never shrinks to nothing, so even a sliver of a picture can be stored.
    const auto scaled = [&](int side) { return int(std::max<qint64>(1, qint64(side) * maxSide / longer)); };
    return QSize(scaled(size.width()), scaled(size.height()));
}

std::optional<QByteArray> ArtistImageStore::jpeg(const QImage& picture) {
    if (picture.isNull()) return std::nullopt;
    const QSize size = storedSize(picture.size());
    // Drawn into a bitmap that starts transparent, as on a fresh canvas; JPEG then drops the alpha.
    QImage bitmap = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (bitmap.size() != size) bitmap = bitmap.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (bitmap.isNull()) return std::nullopt;
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(jpegQuality);
    if (!writer.write(bitmap.convertToFormat(QImage::Format_RGB32))) return std::nullopt;
    return data;
}
