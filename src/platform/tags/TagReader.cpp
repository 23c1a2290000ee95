#include "TagReader.h"
#include "Adts.h"
#include "RawId3.h"
#include "platform/gst/GstStart.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <gst/gst.h>
#include <gst/pbutils/pbutils.h>

#include <taglib/aifffile.h>
#include <taglib/apefooter.h>
#include <taglib/apetag.h>
#include <taglib/attachedpictureframe.h>
#include <taglib/fileref.h>
#include <taglib/flacfile.h>
#include <taglib/flacpicture.h>
#include <taglib/id3v1genres.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/id3v2header.h>
#include <taglib/id3v2tag.h>
#include <taglib/infotag.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/tbytevectorstream.h>
#include <taglib/textidentificationframe.h>
#include <taglib/tfilestream.h>
#include <taglib/tpropertymap.h>
#include <taglib/wavfile.h>
#include <taglib/xiphcomment.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>

namespace TagReader {
namespace {

// TagLib 1.13 fills a few static tables on first use without a lock (the ID3v2 involved-people map is
// one). Two scan threads meeting there for the first time race, so the first read of the process runs
// every tag format's property code once, alone, before any other read may start.
void warmUp() {
    static std::once_flag once;
    std::call_once(once, [] {
        using namespace TagLib;
        ID3v2::TextIdentificationFrame::involvedPeopleMap();
        ID3v2::FrameFactory::instance();
        ID3v1::genreList();
        ID3v1::genreMap();

        PropertyMap sample;
        sample.replace("TITLE", StringList("t"));
        sample.replace("GENRE", StringList("(17)Rock"));
        sample.replace("DATE", StringList("2001"));
        sample.replace("TRACKNUMBER", StringList("1/2"));
        sample.replace("ARRANGER", StringList("a"));
        sample.replace("PERFORMER:PIANO", StringList("p"));

        ID3v2::Tag id3;
        id3.setProperties(sample);
        id3.properties();
        // Parse the rendered tag back the way a real file is parsed, through the frame factory.
        ByteVectorStream stream(id3.render());
        MPEG::File mpeg(&stream, ID3v2::FrameFactory::instance(), true);
        if (mpeg.hasID3v2Tag()) mpeg.ID3v2Tag()->properties();

        Ogg::XiphComment xiph;
        xiph.setProperties(sample);
        xiph.properties();
        RIFF::Info::Tag info;
        info.setProperties(sample);
        info.properties();
        APE::Tag ape;
        ape.setProperties(sample);
        ape.properties();
        ID3v1::Tag v1;
        v1.setProperties(sample);
        v1.properties();
    });
}

QString toQString(const TagLib::String& s) {
    return QString::fromStdWString(s.toWString());
}

// Appends the values of `from` after those already in `into`, so that the first tag format keeps
// precedence and later ones only fill what it lacks. Taggers often write one value into every format
// (ID3v2 and ID3v1, ID3v2 and RIFF INFO); such a repeat is kept once.
void merge(TagLib::PropertyMap& into, const TagLib::PropertyMap& from) {
    for (auto it = from.begin(); it != from.end(); ++it) {
        TagLib::StringList& values = into[it->first];
        for (const TagLib::String& v : it->second)
            if (!values.contains(v)) values.append(v);
    }
}

bool allDigits(const TagLib::String& s) {
    return !s.isEmpty() && std::all_of(s.begin(), s.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

// The genre as the file holds it. While parsing, TagLib splits "(17)Pop" into the values "17" and "Pop" and
// then shows numbers as ID3v1 genre names, so "(17)Pop" would read "Rock" and "(17)" alone "Rock" too. Only
// a frame where TagLib left a bare number can differ from what is stored; that one is read again from the
// file's bytes. A value that really is a bare number (the ID3v2.4 way of naming an ID3v1 genre) still
// reads as that genre's name.
TagLib::PropertyMap id3Properties(TagLib::ID3v2::Tag* tag, const char* path, RawId3::Container container) {
    TagLib::PropertyMap map = tag->properties();
    const TagLib::ID3v2::FrameListMap& frames = tag->frameListMap();
    const auto genres = frames.find("TCON");
    if (genres == frames.end() || genres->second.isEmpty()) return map;
    const auto* frame = dynamic_cast<const TagLib::ID3v2::TextIdentificationFrame*>(genres->second.front());
    if (!frame) return map;
    const TagLib::StringList fields = frame->fieldList();
    if (std::none_of(fields.begin(), fields.end(), allDigits)) return map;
    const auto raw = RawId3::textFrame(RawId3::tagOf(QFile::decodeName(path), container), "TCON", "TCO");
    if (!raw) return map;
    TagLib::StringList values;
    for (const QString& text : *raw) {
        TagLib::String value(text.toStdWString());
        if (allDigits(value) && value.size() <= 3) {
            const TagLib::String name = TagLib::ID3v1::genre(value.toInt());
            if (!name.isEmpty()) value = name;
        }
        values.append(value);
    }
    map.replace("GENRE", values);
    return map;
}

// File::properties() in TagLib 1.13 keeps only the first non-empty tag of a file that carries several
// (ID3v2 before RIFF INFO in a WAV, ID3v2 before APE and ID3v1 in an MP3): read them all, in that order.
TagLib::PropertyMap propertiesOf(TagLib::File* file) {
    TagLib::PropertyMap map;
    if (auto* f = dynamic_cast<TagLib::MPEG::File*>(file)) {
        if (f->hasID3v2Tag()) merge(map, id3Properties(f->ID3v2Tag(), f->name(), RawId3::Container::mpeg));
        if (f->hasAPETag()) merge(map, f->APETag()->properties());
        if (f->hasID3v1Tag()) merge(map, f->ID3v1Tag()->properties());
    } else if (auto* f = dynamic_cast<TagLib::RIFF::WAV::File*>(file)) {
        if (f->hasID3v2Tag()) merge(map, id3Properties(f->ID3v2Tag(), f->name(), RawId3::Container::wav));
        if (f->hasInfoTag()) merge(map, f->InfoTag()->properties());
    } else if (auto* f = dynamic_cast<TagLib::RIFF::AIFF::File*>(file)) {
        if (f->hasID3v2Tag()) merge(map, id3Properties(f->tag(), f->name(), RawId3::Container::aiff));
    } else if (auto* f = dynamic_cast<TagLib::FLAC::File*>(file)) {
        if (f->hasXiphComment()) merge(map, f->xiphComment()->properties());
        if (f->hasID3v2Tag()) merge(map, f->ID3v2Tag()->properties());
        if (f->hasID3v1Tag()) merge(map, f->ID3v1Tag()->properties());
    } else {
        map = file->properties();
    }
    return map;
}

QStringList values(const TagLib::PropertyMap& map, const char* key) {
    QStringList out;
    const auto it = map.find(key);
    if (it == map.end()) return out;
    for (const TagLib::String& s : it->second)
        out.append(toQString(s));
    return out;
}

// TagLib opens a file by name for reading and writing when it may, and closing a file opened for writing
// raises IN_CLOSE_WRITE: every read would look like a change to the folder watch, and to anything else
// watching the user's music. Reading goes through a stream that only ever opens the file read-only.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const QByteArray& name) : m_stream(name.constData(), true) {}
    bool isOpen() const { return m_stream.isOpen(); }
    TagLib::IOStream* stream() { return &m_stream; }

private:
    TagLib::FileStream m_stream;
};

double finiteSeconds(double s) {
    return std::isfinite(s) && s > 0 ? s : 0;
}

void setTexts(const TagLib::PropertyMap& map, FileTags& out) {
    out.title = values(map, "TITLE");
    out.artist = values(map, "ARTIST");
    out.album = values(map, "ALBUM");
    out.albumArtist = values(map, "ALBUMARTIST");
    out.genre = values(map, "GENRE");
    out.date = values(map, "DATE");
    out.track = values(map, "TRACKNUMBER");
    out.disc = values(map, "DISCNUMBER");
}

bool readWithTagLib(const QByteArray& name, FileTags& out) {
    ReadOnlyFile source(name);
    if (!source.isOpen()) return false;
    TagLib::FileRef ref(source.stream(), true, TagLib::AudioProperties::Average);
    if (ref.isNull()) return false;
    TagLib::File* file = ref.file();
    setTexts(propertiesOf(file), out);
    // Broken files report lengths of -2^31 ms; those count as unknown.
    if (const TagLib::AudioProperties* audio = file->audioProperties())
        out.seconds = finiteSeconds(audio->lengthInMilliseconds() / 1000.0);
    out.readable = true;
    return true;
}

// The tags around raw audio TagLib has no reader for: an ID3v2 tag at the start, an APE tag and an ID3v1
// tag at the end, found where taggers put them. TagLib's MPEG reader finds the same tags, but on bytes that
// hold no MPEG frame it looks for a misplaced ID3v2 tag through the whole file, a byte at a time.
class TagsAround : public TagLib::File {
public:
    explicit TagsAround(TagLib::IOStream* stream) : TagLib::File(stream) {
        if (!isValid()) return;
        const long size = length();
        if (readAt(0, 3) == TagLib::ID3v2::Header::fileIdentifier())
            m_id3v2 = std::make_unique<TagLib::ID3v2::Tag>(this, 0);
        // "TAG" 128 bytes from the end, unless those bytes are the end of an APE tag's footer.
        long end = size;
        if (size >= 128 && readAt(size - 128, 3) == TagLib::ID3v1::Tag::fileIdentifier() &&
            !(size >= 131 && readAt(size - 131, 8) == TagLib::APE::Tag::fileIdentifier())) {
            m_id3v1 = std::make_unique<TagLib::ID3v1::Tag>(this, size - 128);
            end = size - 128;
        }
        if (end >= TagLib::APE::Footer::size() &&
            readAt(end - long(TagLib::APE::Footer::size()), 8) == TagLib::APE::Tag::fileIdentifier())
            m_ape = std::make_unique<TagLib::APE::Tag>(this, end - long(TagLib::APE::Footer::size()));
    }

    TagLib::ID3v2::Tag* id3v2() const { return m_id3v2.get(); }
    TagLib::APE::Tag* ape() const { return m_ape.get(); }
    TagLib::ID3v1::Tag* id3v1() const { return m_id3v1.get(); }
    TagLib::Tag* tag() const override { return nullptr; }
    TagLib::AudioProperties* audioProperties() const override { return nullptr; }
    bool save() override { return false; }

private:
    TagLib::ByteVector readAt(long offset, unsigned long count) {
        seek(offset);
        return readBlock(count);
    }

    std::unique_ptr<TagLib::ID3v2::Tag> m_id3v2;
    std::unique_ptr<TagLib::APE::Tag> m_ape;
    std::unique_ptr<TagLib::ID3v1::Tag> m_id3v1;
};

// Raw AAC: the length from the frame headers, the tags from an ID3v2 tag in front and an APE or ID3v1 tag
// behind.
bool readRawAac(const QString& path, FileTags& out) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const std::optional<double> length = Adts::seconds(file);
    if (!length) return false;
    out.readable = true;
    out.seconds = finiteSeconds(*length);
    const QByteArray name = QFile::encodeName(path);
    ReadOnlyFile source(name);
    if (!source.isOpen()) return true;
    const TagsAround tags(source.stream());
    TagLib::PropertyMap map;
    if (tags.id3v2()) merge(map, id3Properties(tags.id3v2(), name.constData(), RawId3::Container::mpeg));
    if (tags.ape()) merge(map, tags.ape()->properties());
    if (tags.id3v1()) merge(map, tags.id3v1()->properties());
    setTexts(map, out);
    return true;
}

void appendStrings(const GstTagList* tags, const char* tag, QStringList& into) {
    const guint n = gst_tag_list_get_tag_size(tags, tag);
    for (guint i = 0; i < n; ++i) {
        const gchar* s = nullptr;
        if (gst_tag_list_peek_string_index(tags, tag, i, &s) && s) into.append(QString::fromUtf8(s));
    }
}

void appendNumber(const GstTagList* tags, const char* tag, QStringList& into) {
    guint n = 0;
    if (gst_tag_list_get_uint(tags, tag, &n)) into.append(QString::number(n));
}

void readDiscovererTags(const GstTagList* tags, FileTags& out) {
    appendStrings(tags, GST_TAG_TITLE, out.title);
    appendStrings(tags, GST_TAG_ARTIST, out.artist);
    appendStrings(tags, GST_TAG_ALBUM, out.album);
    appendStrings(tags, GST_TAG_ALBUM_ARTIST, out.albumArtist);
    appendStrings(tags, GST_TAG_GENRE, out.genre);
    appendNumber(tags, GST_TAG_TRACK_NUMBER, out.track);
    appendNumber(tags, GST_TAG_ALBUM_VOLUME_NUMBER, out.disc);
    GstDateTime* when = nullptr;
    if (gst_tag_list_get_date_time(tags, GST_TAG_DATE_TIME, &when) && when) {
        if (gchar* text = gst_date_time_to_iso8601_string(when)) {
            out.date.append(QString::fromUtf8(text));
            g_free(text);
        }
        gst_date_time_unref(when);
    }
    GDate* date = nullptr;
    if (out.date.isEmpty() && gst_tag_list_get_date(tags, GST_TAG_DATE, &date) && date) {
        if (g_date_valid(date))
            out.date.append(QStringLiteral("%1").arg(g_date_get_year(date), 4, 10, QLatin1Char('0')));
        g_date_free(date);
    }
}

void readWithDiscoverer(const QString& path, FileTags& out) {
    if (!GstStart::ready()) return;

    GError* error = nullptr;
    GstDiscoverer* discoverer =
        gst_discoverer_new(GstClockTime(discovererTimeoutSeconds) * GST_SECOND, &error);
    g_clear_error(&error);
    if (!discoverer) return;
    const QByteArray uri = QUrl::fromLocalFile(path).toEncoded();
    GstDiscovererInfo* info = gst_discoverer_discover_uri(discoverer, uri.constData(), &error);
    g_clear_error(&error);
    if (info && gst_discoverer_info_get_result(info) == GST_DISCOVERER_OK) {
        GList* audio = gst_discoverer_info_get_audio_streams(info);
        if (audio) {
            out.readable = true;
            const GstClockTime length = gst_discoverer_info_get_duration(info);
            if (GST_CLOCK_TIME_IS_VALID(length))
                out.seconds = finiteSeconds(double(length) / double(GST_SECOND));
            if (const GstTagList* tags = gst_discoverer_info_get_tags(info)) readDiscovererTags(tags, out);
        }
        gst_discoverer_stream_info_list_free(audio);
    }
    if (info) g_object_unref(info);
    g_object_unref(discoverer);
}

QByteArray bytes(const TagLib::ByteVector& v) {
    return QByteArray(v.data(), qsizetype(v.size()));
}

QByteArray fromApic(TagLib::ID3v2::Tag* tag) {
    if (!tag) return {};
    QByteArray first;
    for (TagLib::ID3v2::Frame* frame : tag->frameList("APIC")) {
        auto* pic = dynamic_cast<TagLib::ID3v2::AttachedPictureFrame*>(frame);
        if (!pic || pic->picture().isEmpty()) continue;
        if (pic->type() == TagLib::ID3v2::AttachedPictureFrame::FrontCover) return bytes(pic->picture());
        if (first.isEmpty()) first = bytes(pic->picture());
    }
    return first;
}

QByteArray fromFlacPictures(const TagLib::List<TagLib::FLAC::Picture*>& pictures) {
    QByteArray first;
    for (TagLib::FLAC::Picture* pic : pictures) {
        if (!pic || pic->data().isEmpty()) continue;
        if (pic->type() == TagLib::FLAC::Picture::FrontCover) return bytes(pic->data());
        if (first.isEmpty()) first = bytes(pic->data());
    }
    return first;
}

bool hasExtension(const QString& path, const char* ext) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || path.indexOf(QLatin1Char('/'), dot) >= 0) return false;
    return QStringView(path).sliced(dot + 1).compare(QLatin1String(ext), Qt::CaseInsensitive) == 0;
}

} // namespace

// Playable extensions TagLib 1.13 has no reader for: Core Audio files and ALAC named as such. Only these go
// to GStreamer, which never returns on some broken files TagLib reads fine.
bool needsDiscoverer(const QString& path) {
    return hasExtension(path, "caf") || hasExtension(path, "alac");
}

FileTags read(const QString& path) {
    warmUp();
    FileTags out;
    if (readWithTagLib(QFile::encodeName(path), out)) return out;
    // Bytes that are not ADTS in an ".aac" file (an ADIF stream, a damaged file) stay unreadable: GStreamer
    // would only spend a pipeline on them to say the same.
    if (hasExtension(path, "aac"))
        readRawAac(path, out);
    else if (needsDiscoverer(path))
        readWithDiscoverer(path, out);
    return out;
}

QByteArray embeddedPicture(const QString& path) {
    warmUp();
    ReadOnlyFile source(QFile::encodeName(path));
    if (!source.isOpen()) return {};
    TagLib::FileRef ref(source.stream(), false);
    if (ref.isNull()) return {};
    TagLib::File* file = ref.file();
    if (auto* f = dynamic_cast<TagLib::MPEG::File*>(file))
        return f->hasID3v2Tag() ? fromApic(f->ID3v2Tag()) : QByteArray();
    if (auto* f = dynamic_cast<TagLib::RIFF::WAV::File*>(file))
        return f->hasID3v2Tag() ? fromApic(f->ID3v2Tag()) : QByteArray();
    if (auto* f = dynamic_cast<TagLib::RIFF::AIFF::File*>(file))
        return f->hasID3v2Tag() ? fromApic(f->tag()) : QByteArray();
    if (auto* f = dynamic_cast<TagLib::FLAC::File*>(file)) {
        QByteArray pic = fromFlacPictures(f->pictureList());
        if (pic.isEmpty() && f->hasXiphComment()) pic = fromFlacPictures(f->xiphComment()->pictureList());
        return pic;
    }
    if (auto* f = dynamic_cast<TagLib::MP4::File*>(file)) {
        TagLib::MP4::Tag* tag = f->tag();
        if (!tag || !tag->contains("covr")) return {};
        for (const TagLib::MP4::CoverArt& art : tag->item("covr").toCoverArtList())
            if (!art.data().isEmpty()) return bytes(art.data());
        return {};
    }
    // Every Ogg flavour (Vorbis, Opus, Speex, FLAC in Ogg) keeps pictures in its Xiph comment.
    if (auto* xiph = dynamic_cast<TagLib::Ogg::XiphComment*>(file->tag()))
        return fromFlacPictures(xiph->pictureList());
    return {};
}

} // namespace TagReader
