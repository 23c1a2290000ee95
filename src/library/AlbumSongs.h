#pragma once

#include "Song.h"

#include <QList>
#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <numeric>

// An album's songs, in song order: read like the list of songs they are.
//
// An album of the collection holds the collection's one list of songs and the places of its songs in it,
// instead of copies of its songs (at 100,000 songs the copies were thirty megabytes). It holds the list,
// shared as lists are shared, never a pointer into it: an album kept from an older collection stays whole
// after a new one replaced it. The places of all albums are one shared list too, each album a stretch of
// it. An album made elsewhere holds a list of its own. Like a list, it is read; building one up or
// changing a song first gives it a list of its own.
class AlbumSongs {
public:
    class const_iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = Song;
        using difference_type = qsizetype;
        using pointer = const Song*;
        using reference = const Song&;

        const_iterator() = default;
        const_iterator(const Song* songs, const qint32* place) : m_songs(songs), m_place(place) {}

        reference operator*() const { return m_songs[*m_place]; }
        pointer operator->() const { return &m_songs[*m_place]; }
        reference operator[](difference_type n) const { return m_songs[m_place[n]]; }
        const_iterator& operator++() {
            ++m_place;
            return *this;
        }
        const_iterator operator++(int) { return {m_songs, m_place++}; }
        const_iterator& operator--() {
            --m_place;
            return *this;
        }
        const_iterator operator--(int) { return {m_songs, m_place--}; }
        const_iterator& operator+=(difference_type n) {
            m_place += n;
            return *this;
        }
        const_iterator& operator-=(difference_type n) {
            m_place -= n;
            return *this;
        }
        friend const_iterator operator+(const_iterator i, difference_type n) { return i += n; }
        friend const_iterator operator+(difference_type n, const_iterator i) { return i += n; }
        friend const_iterator operator-(const_iterator i, difference_type n) { return i -= n; }
        friend difference_type operator-(const_iterator a, const_iterator b) { return a.m_place - b.m_place; }
        friend bool operator==(const_iterator a, const_iterator b) { return a.m_place == b.m_place; }
        friend auto operator<=>(const_iterator a, const_iterator b) { return a.m_place <=> b.m_place; }

    private:
        const Song* m_songs = nullptr;
        const qint32* m_place = nullptr;
    };
    using iterator = const_iterator;
    using value_type = Song;
    using const_reference = const Song&;
    using reference = const Song&;
    using size_type = qsizetype;
    using difference_type = qsizetype;

    AlbumSongs() = default;
    // NOLINTNEXTLINE(google-explicit-constructor): songs given as a list are the album's songs
    AlbumSongs(QList<Song> songs) : m_list(std::move(songs)), m_places(m_list.size()), m_size(m_list.size()) {
        std::iota(m_places.begin(), m_places.end(), 0);
    }
    AlbumSongs(std::initializer_list<Song> songs) : AlbumSongs(QList<Song>(songs)) {}
    // The songs of `all` at places[from] to places[from + size - 1].
    AlbumSongs(QList<Song> all, QList<qint32> places, qsizetype from, qsizetype size)
        : m_list(std::move(all)), m_places(std::move(places)), m_from(from), m_size(size) {
        Q_ASSERT(from >= 0 && size >= 0 && from + size <= m_places.size());
    }

    const_iterator begin() const { return {m_list.constData(), m_places.constData() + m_from}; }
    const_iterator end() const { return begin() + m_size; }
    const_iterator cbegin() const { return begin(); }
    const_iterator cend() const { return end(); }
    const_iterator constBegin() const { return begin(); }
    const_iterator constEnd() const { return end(); }

    qsizetype size() const { return m_size; }
    qsizetype count() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    bool empty() const { return m_size == 0; }

    const Song& at(qsizetype i) const {
        Q_ASSERT(i >= 0 && i < m_size);
        return m_list.at(placeOf(i));
    }
    const Song& operator[](qsizetype i) const { return at(i); }
    const Song& first() const { return at(0); }
    const Song& last() const { return at(m_size - 1); }
    const Song& constFirst() const { return first(); }
    const Song& constLast() const { return last(); }
    const Song& front() const { return first(); }
    const Song& back() const { return last(); }
    bool contains(const Song& song) const { return std::find(begin(), end(), song) != end(); }

    // As a list of their own.
    QList<Song> toList() const { return QList<Song>(begin(), end()); }
    // NOLINTNEXTLINE(google-explicit-constructor): wherever a list of songs is asked for
    operator QList<Song>() const { return toList(); }

    void append(const Song& song) {
        own();
        m_places.append(qint32(m_list.size()));
        m_list.append(song);
        ++m_size;
    }
    Song& edit(qsizetype i) {
        Q_ASSERT(i >= 0 && i < m_size);
        own();
        return m_list[i];
    }

    // Where the songs lie: the list held, and the place in it of the i-th song.
    const QList<Song>& list() const { return m_list; }
    qint32 placeOf(qsizetype i) const { return m_places.at(m_from + i); }
    // The same places in another list (a copy of the list held, some of whose songs changed).
    AlbumSongs in(QList<Song> other) const { return AlbumSongs(std::move(other), m_places, m_from, m_size); }

    friend bool operator==(const AlbumSongs& a, const AlbumSongs& b) {
        if (a.m_size != b.m_size) return false;
        if (a.m_list.constData() == b.m_list.constData() &&
            a.m_places.constData() == b.m_places.constData() && a.m_from == b.m_from)
            return true;
        return std::equal(a.begin(), a.end(), b.begin());
    }

private:
    void own() {
        QList<Song> songs = toList();
        m_places = QList<qint32>(songs.size());
        std::iota(m_places.begin(), m_places.end(), 0);
        m_list = std::move(songs);
        m_from = 0;
    }

    QList<Song> m_list;
    QList<qint32> m_places;
    qsizetype m_from = 0;
    qsizetype m_size = 0;
};
