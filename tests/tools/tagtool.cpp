// velto-tagtool: writes tags and an embedded cover into an audio file, for test fixtures and generated
// benchmark libraries.
//   velto-tagtool FILE [--clear] [--info-only] [--cover JPEG] [KEY=VALUE ...]
// KEY is a TagLib property name (TITLE, ARTIST, ALBUM, ALBUMARTIST, GENRE, DATE, TRACKNUMBER, DISCNUMBER);
// an empty VALUE removes the key. --info-only writes a WAV's tags as a RIFF INFO chunk alone (no ID3v2),
// the way many Windows tools leave them.
#include <taglib/aifffile.h>
#include <taglib/attachedpictureframe.h>
#include <taglib/fileref.h>
#include <taglib/flacfile.h>
#include <taglib/flacpicture.h>
#include <taglib/id3v2tag.h>
#include <taglib/infotag.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/tpropertymap.h>
#include <taglib/vorbisfile.h>
#include <taglib/wavfile.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

TagLib::ByteVector readAll(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return TagLib::ByteVector(bytes.data(), static_cast<unsigned>(bytes.size()));
}

void addApic(TagLib::ID3v2::Tag* tag, const TagLib::ByteVector& jpeg) {
    auto* frame = new TagLib::ID3v2::AttachedPictureFrame;
    frame->setMimeType("image/jpeg");
    frame->setType(TagLib::ID3v2::AttachedPictureFrame::FrontCover);
    frame->setPicture(jpeg);
    tag->addFrame(frame);
}

TagLib::FLAC::Picture* flacPicture(const TagLib::ByteVector& jpeg) {
    auto* pic = new TagLib::FLAC::Picture;
    pic->setMimeType("image/jpeg");
    pic->setType(TagLib::FLAC::Picture::FrontCover);
    pic->setData(jpeg);
    return pic;
}

bool addCover(TagLib::File* file, const TagLib::ByteVector& jpeg) {
    if (auto* f = dynamic_cast<TagLib::MPEG::File*>(file)) {
        addApic(f->ID3v2Tag(true), jpeg);
    } else if (auto* f = dynamic_cast<TagLib::FLAC::File*>(file)) {
        f->addPicture(flacPicture(jpeg));
    } else if (auto* f = dynamic_cast<TagLib::MP4::File*>(file)) {
        TagLib::MP4::CoverArtList covers;
        covers.append(TagLib::MP4::CoverArt(TagLib::MP4::CoverArt::JPEG, jpeg));
        f->tag()->setItem("covr", covers);
    } else if (auto* f = dynamic_cast<TagLib::Ogg::Vorbis::File*>(file)) {
        f->tag()->addPicture(flacPicture(jpeg));
    } else if (auto* f = dynamic_cast<TagLib::RIFF::WAV::File*>(file)) {
        addApic(f->ID3v2Tag(), jpeg);
    } else if (auto* f = dynamic_cast<TagLib::RIFF::AIFF::File*>(file)) {
        addApic(f->tag(), jpeg);
    } else {
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [--clear] [--cover JPEG] [KEY=VALUE ...]\n", argv[0]);
        return 2;
    }
    TagLib::FileRef ref(argv[1], false);
    if (ref.isNull()) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    TagLib::PropertyMap props = ref.file()->properties();
    bool infoOnly = false;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--clear") == 0) {
            props.clear();
        } else if (std::strcmp(argv[i], "--info-only") == 0) {
            infoOnly = true;
        } else if (std::strcmp(argv[i], "--cover") == 0 && i + 1 < argc) {
            if (!addCover(ref.file(), readAll(argv[++i])))
                std::fprintf(stderr, "no cover support for %s\n", argv[1]);
        } else if (const char* eq = std::strchr(argv[i], '=')) {
            const TagLib::String key(std::string(static_cast<const char*>(argv[i]), eq),
                                     TagLib::String::UTF8);
            const TagLib::String value(eq + 1, TagLib::String::UTF8);
            if (value.isEmpty())
                props.erase(key);
            else
                props.replace(key, TagLib::StringList(value));
        }
    }
    bool saved = false;
    if (auto* wav = dynamic_cast<TagLib::RIFF::WAV::File*>(ref.file()); wav && infoOnly) {
        wav->InfoTag()->setProperties(props);
        saved = wav->save(TagLib::RIFF::WAV::File::Info, TagLib::File::StripOthers);
    } else {
        ref.file()->setProperties(props);
        saved = ref.file()->save();
    }
    if (!saved) {
        std::fprintf(stderr, "cannot save %s\n", argv[1]);
        return 1;
    }
    return 0;
}
