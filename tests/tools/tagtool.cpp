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
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
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

// Tags one file as the command line says; `args` are the arguments after FILE.
int tagFile(const char* path, const std::vector<std::string>& args) {
    TagLib::FileRef ref(path, false);
    if (ref.isNull()) {
        std::fprintf(stderr, "cannot open %s\n", path);
        return 1;
    }
    TagLib::PropertyMap props = ref.file()->properties();
    bool infoOnly = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--clear") {
            props.clear();
        } else if (arg == "--info-only") {
            infoOnly = true;
        } else if (arg == "--cover" && i + 1 < args.size()) {
            if (!addCover(ref.file(), readAll(args[++i].c_str())))
                std::fprintf(stderr, "no cover support for %s\n", path);
        } else if (const size_t eq = arg.find('='); eq != std::string::npos) {
            const TagLib::String key(arg.substr(0, eq), TagLib::String::UTF8);
            const TagLib::String value(arg.substr(eq + 1), TagLib::String::UTF8);
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
        std::fprintf(stderr, "cannot save %s\n", path);
        return 1;
    }
    return 0;
}

} // namespace

// With --batch, each line of standard input is SOURCE, TARGET and the arguments, separated by tabs: the
// source is copied to the target, which is then tagged (no arguments: copied only). One process for a
// whole generated library instead of two per file.
int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--batch") == 0) {
        int failures = 0;
        std::string line;
        while (std::getline(std::cin, line)) {
            std::vector<std::string> fields;
            std::stringstream in(line);
            for (std::string field; std::getline(in, field, '\t');)
                fields.push_back(field);
            if (fields.size() < 2) continue;
            std::error_code error;
            std::filesystem::copy_file(fields[0], fields[1],
                                       std::filesystem::copy_options::overwrite_existing, error);
            if (error) {
                std::fprintf(stderr, "cannot copy %s\n", fields[0].c_str());
                ++failures;
                continue;
            }
            if (fields.size() > 2 && tagFile(fields[1].c_str(), {fields.begin() + 2, fields.end()}) != 0)
                ++failures;
        }
        return failures == 0 ? 0 : 1;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [--clear] [--cover JPEG] [KEY=VALUE ...] | --batch\n", argv[0]);
        return 2;
    }
    return tagFile(argv[1], std::vector<std::string>(argv + 2, argv + argc));
}
