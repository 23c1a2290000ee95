#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// A small reader of ID3v2 text frames as they are stored. TagLib rewrites the genre frame while it parses
// it ("(17)Pop" becomes the two values "17" and "Pop", and numbers are then shown as ID3v1 genre names), so
// the text the file really holds has to be read from the bytes.
namespace RawId3 {

enum class Container { mpeg, wav, aiff };

// The bytes of the file's ID3v2 tag, header included: at the start of an MPEG file, or in the "id3 "/"ID3 "
// chunk of a WAV or AIFF file. Empty when there is none or the file cannot be read.
QByteArray tagOf(const QString& path, Container container);

// The values of the first frame named `id` (a four-letter name; ID3v2.2 tags are searched for `id22`, the
// three-letter one) in `tag`, split at NUL separators, trailing empty value dropped. nullopt when the tag
// cannot be parsed, holds no such frame, or the frame is compressed or encrypted.
std::optional<QStringList> textFrame(const QByteArray& tag, const char id[4], const char id22[3]);

} // namespace RawId3
