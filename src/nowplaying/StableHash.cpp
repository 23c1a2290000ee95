#include "StableHash.h"

quint64 stableHash(QStringView text) {
    return StableHashing::feed(StableHashing::basis, text.toUtf8());
}
