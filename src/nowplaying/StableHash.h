#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <algorithm>
#include <utility>
#include <vector>

// A text hash that never changes between runs, builds or machines (64-bit FNV-1a over the UTF-8 bytes, as
// they are: no case folding, no Unicode normalisation), so that every order and mirroring Mixview draws
// from it is the same map every time. qHash is seeded per process and cannot be used for that.
namespace StableHashing {
inline constexpr quint64 basis = 0xcbf29ce484222325ULL;
inline constexpr quint64 prime = 0x100000001b3ULL;

// Goes on hashing from `hash` over more bytes: hashing a text in parts gives the hash of the whole.
inline quint64 feed(quint64 hash, QByteArrayView bytes) {
    for (char c : bytes) {
        hash ^= quint64(uchar(c));
        hash *= prime;
    }
    return hash;
}
} // namespace StableHashing

quint64 stableHash(QStringView text);

// The items in an order that looks random yet is the same for the same seed and keys: ascending (unsigned)
// by the stable hash of seed, U+0001 and the item's key; items whose hashes are equal keep their order.
template <typename T, typename Key> QList<T> mixed(const QList<T>& items, const QString& seed, Key key) {
    // The seed's part of the text is the same for every item, so it is hashed once.
    const quint64 prefix = StableHashing::feed(StableHashing::basis, QString(seed + QChar(1)).toUtf8());
    std::vector<std::pair<quint64, qsizetype>> order;
    order.reserve(size_t(items.size()));
    for (qsizetype i = 0; i < items.size(); ++i)
        order.emplace_back(StableHashing::feed(prefix, QString(key(items[i])).toUtf8()), i);
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<T> out;
    out.reserve(items.size());
    for (const auto& [hash, i] : order)
        out.append(items[i]);
    return out;
}
