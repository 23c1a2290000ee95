// Writes the studio's light probe, filtered, to the file named on the command line. The build runs it once
// and the program carries the file as a resource (see Studio::Probe).
#include "Studio.h"

#include <QFile>
#include <QSaveFile>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.ktx\n", argv[0]);
        return 2;
    }
    QSaveFile file(QFile::decodeName(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(Studio::Probe::ktx()) < 0 || !file.commit()) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
