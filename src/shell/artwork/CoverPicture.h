#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <optional>

// The two colours of a cover: the lower-left quarter's and the upper-right quarter's, made vivid.
struct CoverGradient {
    QColor from;
    QColor to;
    friend bool operator==(const CoverGradient&, const CoverGradient&) = default;
};

// The picture work of the cover cache, free of threads and caching so that each step can be checked on a
// made-up picture. Every function is safe to call from any thread.
namespace CoverPicture {

// Pictures whose decoded bitmap would need more than this are refused before any pixel is read: a cover
// file claiming 60000×60000 pixels must not take the program's memory with it.
inline constexpr qint64 maxDecodedBytes = 96ll * 1024 * 1024;
// Picture files beyond this size are not read at all.
inline constexpr qint64 maxFileBytes = 64ll * 1024 * 1024;

// A null image when the data is not a picture, is damaged or too big. EXIF orientation is applied.
QImage decode(const QByteArray& bytes);
QImage decodeFile(const QString& path);

// Whether a file name (any case) is one of the picture files a folder may hold for its songs:
// cover/folder/front/album/artwork with the extension jpg, jpeg or png.
bool isFolderPictureName(const QString& fileName);
// Whether an address is itself a picture file (jpg, jpeg or png, any case) rather than a song.
bool isPictureFile(const QString& path);

// The dominant hue from 0 to 1, or none for a picture without one (greys, near-black, too few coloured
// pixels). Worked out on a 32×32 reduction.
std::optional<double> hue(const QImage& picture);
// The pure step after the reduction, for checking the binning on exact pixel values.
std::optional<double> hueOfPixels(const QImage& rgba32x32);

// The cover's two colours; none for a null picture.
std::optional<CoverGradient> gradient(const QImage& picture);
// Raises saturation to at least 0.55 and brightness to at least 0.65, keeping the hue.
QColor vivid(const QColor& colour);

// The 600×600 mosaic of four pictures: first top-left, second top-right, third bottom-left, fourth
// bottom-right, each cropped to its centred square.
QImage mosaic(const QList<QImage>& four);

// The picture shrunk so that it still covers `size` (never enlarged); unchanged for an empty size.
QImage scaledToCover(const QImage& picture, const QSize& size);

// The bytes a decoded picture keeps in memory.
inline qint64 bytesOf(const QImage& picture) {
    return picture.sizeInBytes();
}

} // namespace CoverPicture
