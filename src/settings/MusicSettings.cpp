#include "MusicSettings.h"

#include "SettingsController.h"

#include "core/Text.h"
#include "library/LibraryStore.h"
#include "playback/LastFMStore.h"
#include "shell/look/Theme.h"

#include <QLocale>

MusicSettings::MusicSettings(QObject* parent) : QObject(parent) {}

void MusicSettings::setLibrary(LibraryStore* library) {
    if (library == m_library) return;
    for (const auto& c : std::as_const(m_libraryConnections))
        disconnect(c);
    m_libraryConnections.clear();
    m_library = library;
    if (library) {
        for (auto signal : {&LibraryStore::songsChanged, &LibraryStore::albumsChanged,
                            &LibraryStore::artistsChanged, &LibraryStore::duplicatesChanged})
            m_libraryConnections.append(connect(library, signal, this, &MusicSettings::collectionChanged));
        m_libraryConnections.append(
            connect(library, &LibraryStore::artistsChanged, this, &MusicSettings::recount));
        m_libraryConnections.append(
            connect(library, &LibraryStore::folderChanged, this, &MusicSettings::folderChanged));
        m_libraryConnections.append(
            connect(library, &LibraryStore::scanningChanged, this, &MusicSettings::scanningChanged));
    }
    recount();
    emit libraryChanged();
    emit collectionChanged();
    emit folderChanged();
    emit scanningChanged();
}

void MusicSettings::setLastFM(LastFMStore* lastFM) {
    if (lastFM == m_lastFM) return;
    for (const auto& c : std::as_const(m_lastFMConnections))
        disconnect(c);
    m_lastFMConnections.clear();
    m_lastFM = lastFM;
    if (lastFM) {
        m_lastFMConnections.append(
            connect(lastFM, &LastFMStore::artistsChanged, this, &MusicSettings::recount));
        m_lastFMConnections.append(connect(lastFM, &LastFMStore::keyChanged, this, [this] {
            emit lastFMStateChanged();
            emit statusChanged();
        }));
        for (auto signal : {&LastFMStore::statusChanged, &LastFMStore::troubleChanged})
            m_lastFMConnections.append(connect(lastFM, signal, this, &MusicSettings::statusChanged));
    }
    recount();
    emit lastFMChanged();
    emit lastFMStateChanged();
    emit statusChanged();
}

void MusicSettings::setPage(SettingsController* page) {
    if (page == m_page) return;
    for (const auto& c : std::as_const(m_pageConnections))
        disconnect(c);
    m_pageConnections.clear();
    m_page = page;
    if (page) {
        for (auto signal : {&SettingsController::keyDraftChanged, &SettingsController::editingKeyChanged})
            m_pageConnections.append(connect(page, signal, this, &MusicSettings::lastFMStateChanged));
    }
    emit pageChanged();
    emit lastFMStateChanged();
}

QString MusicSettings::figure(qint64 n) {
    return QLocale().toString(n);
}

QString MusicSettings::duplicatesText(qint64 n) {
    if (n <= 0) return {};
    return QString::number(n) +
           QStringLiteral(" more files are second copies of songs already here, and are left out.");
}

QString MusicSettings::songs() const {
    return figure(m_library ? m_library->songs().size() : 0);
}

QString MusicSettings::albums() const {
    return figure(m_library ? m_library->albums().size() : 0);
}

QString MusicSettings::artists() const {
    return figure(m_library ? m_library->artists().size() : 0);
}

QString MusicSettings::onDisk() const {
    return Theme::formatSize(m_library ? m_library->totalBytes() : 0);
}

QString MusicSettings::duplicatesNote() const {
    return duplicatesText(m_library ? m_library->duplicates().size() : 0);
}

QString MusicSettings::folderPath() const {
    return m_library ? m_library->folder().path : QString();
}

bool MusicSettings::scanning() const {
    return m_library && m_library->scanning();
}

bool MusicSettings::connected() const {
    return m_lastFM && m_lastFM->hasKey() && !(m_page && m_page->editingKey());
}

bool MusicSettings::canSave() const {
    return m_page && !Text::trimmed(m_page->keyDraft()).isEmpty();
}

MusicSettings::Status MusicSettings::lastFMStatus(bool hasKey, bool trouble, const QString& status,
                                                  qsizetype lookedUp, qsizetype total) {
    if (!hasKey) return {QStringLiteral("Not connected. Paste a free API key from Last.fm to start."), false};
    if (trouble && !status.isNull()) return {status, false};
    if (!status.isNull()) return {QStringLiteral("Connected, ") + status, true};
    return {QStringLiteral("Connected. %1 of %2 artists looked up.").arg(lookedUp).arg(total), true};
}

QVariantMap MusicSettings::status() const {
    const Status s = m_lastFM ? lastFMStatus(m_lastFM->hasKey(), m_lastFM->trouble(), m_lastFM->status(),
                                             m_lookedUp, m_library ? m_library->artists().size() : 0)
                              : lastFMStatus(false, false, {}, 0, 0);
    return {{QStringLiteral("text"), s.text}, {QStringLiteral("on"), s.on}};
}

void MusicSettings::recount() {
    qsizetype n = 0;
    if (m_library && m_lastFM) {
        const LastFMArtists& cached = m_lastFM->artists();
        for (const Artist& artist : m_library->artists())
            if (cached.contains(Text::lower(artist.name))) ++n;
    }
    if (n == m_lookedUp) return;
    m_lookedUp = n;
    emit statusChanged();
}

QStringList MusicSettings::artistNames() const {
    QStringList names;
    if (!m_library) return names;
    names.reserve(m_library->artists().size());
    for (const Artist& artist : m_library->artists())
        names.append(artist.name);
    return names;
}

void MusicSettings::chooseFolder() {
    if (m_library) m_library->chooseFolder();
}

void MusicSettings::scan() {
    if (m_library) m_library->scan();
}

void MusicSettings::addMusic() {
    if (m_library) m_library->addMusic();
}

void MusicSettings::setWatching(bool on) {
    if (m_library) m_library->setWatching(on);
}

void MusicSettings::saveKey() {
    if (!m_page || !m_lastFM) return;
    const QString key = Text::trimmed(m_page->keyDraft());
    if (key.isEmpty()) return;
    m_lastFM->setKey(key);
    m_page->setKeyDraft(QString());
    m_page->setEditingKey(false);
    lookUp();
}

void MusicSettings::changeKey() {
    if (!m_page || !m_lastFM) return;
    m_page->setKeyDraft(m_lastFM->key());
    m_page->setEditingKey(true);
}

void MusicSettings::cancelKey() {
    if (m_page) m_page->setEditingKey(false);
}

void MusicSettings::lookUp() {
    if (m_lastFM) m_lastFM->refresh(artistNames(), true);
}

void MusicSettings::forget() {
    if (m_lastFM) m_lastFM->forget();
}
