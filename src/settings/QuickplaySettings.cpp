#include "QuickplaySettings.h"

#include "quickplay/QuickplayPage.h"

#include "core/Text.h"
#include "kit/DropMenu.h"
#include "library/LibraryStore.h"
#include "playback/Player.h"
#include "shell/AppModel.h"

#include <QQmlEngine>
#include <QSet>
#include <algorithm>

namespace {
QSet<QString> lowered(const std::optional<QStringList>& names) {
    QSet<QString> out;
    if (names)
        for (const QString& n : *names)
            out.insert(Text::lower(n));
    return out;
}
} // namespace

QuickplaySettings::QuickplaySettings(QObject* parent) : QObject(parent) {}

void QuickplaySettings::setApp(AppModel* app) {
    if (app == m_app) return;
    m_app = app;
    follow();
}

void QuickplaySettings::setLibrary(LibraryStore* library) {
    if (library == m_library) return;
    m_library = library;
    follow();
}

void QuickplaySettings::setPlayer(Player* player) {
    if (player == m_player) return;
    m_player = player;
    follow();
}

void QuickplaySettings::follow() {
    for (const auto& c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    if (m_app) {
        m_connections.append(
            connect(m_app, &AppModel::smartDJArtistsChanged, this, &QuickplaySettings::slotsChanged));
        m_connections.append(connect(m_app, &AppModel::pinsChanged, this, &QuickplaySettings::pinsChanged));
    }
    if (m_library)
        m_connections.append(
            connect(m_library, &LibraryStore::artistsChanged, this, &QuickplaySettings::slotsChanged));
    if (m_player) {
        // The listening log grows when a song ends or changes; the history moves with it.
        for (auto signal : {&Player::historyPathsChanged, &Player::indexChanged, &Player::queueChanged})
            m_connections.append(connect(m_player, signal, this, &QuickplaySettings::historyChanged));
    }
    emit storesChanged();
    emit slotsChanged();
    emit pinsChanged();
    emit historyChanged();
}

QList<SmartDJSlot> QuickplaySettings::slotsFor(const std::optional<QStringList>& stored,
                                               const LibraryStore& library) {
    QList<SmartDJSlot> out;
    if (stored)
        for (const QString& name : *stored)
            if (std::optional<Artist> artist = library.artist(name))
                out.append(SmartDJSlot{artist->name, false, true});
    const bool othersExist = [&] {
        const QSet<QString> taken = lowered(stored);
        for (const Artist& a : library.artists())
            if (!taken.contains(Text::lower(a.name))) return true;
        return false;
    }();
    for (qsizetype i = out.size(), first = out.size(); i < placeCount; ++i)
        out.append(SmartDJSlot{QString(), i == first, i == first && othersExist});
    return out;
}

QStringList QuickplaySettings::others(const std::optional<QStringList>& stored, const LibraryStore& library) {
    const QSet<QString> taken = lowered(stored);
    QStringList out;
    for (const Artist& a : library.artists())
        if (!taken.contains(Text::lower(a.name))) out.append(a.name);
    return out;
}

QStringList QuickplaySettings::added(const QStringList& stored, const QString& name,
                                     const std::function<bool(const QString&)>& resolves) {
    // The start page's add tile keeps the same rule.
    return QuickplayPage::smartDJAdded(stored, name, resolves);
}

QString QuickplaySettings::pinsHelpFor(qsizetype pins) {
    return pins > 0 ? QString::number(pins) + QStringLiteral(" of six pinned.")
                    : QStringLiteral("Nothing pinned.");
}

QList<SmartDJSlot> QuickplaySettings::currentSlots() const {
    if (!m_app || !m_library) return {};
    return slotsFor(m_app->smartDJArtists(), *m_library);
}

QVariantList QuickplaySettings::slotValues() const {
    QVariantList out;
    for (const SmartDJSlot& s : currentSlots())
        out.append(QVariantMap{{QStringLiteral("name"), s.name},
                               {QStringLiteral("adds"), s.adds},
                               {QStringLiteral("enabled"), s.enabled}});
    return out;
}

QString QuickplaySettings::pinsHelp() const {
    return pinsHelpFor(m_app ? m_app->pins().size() : 0);
}

QString QuickplaySettings::pinsQuestion() const {
    return QStringLiteral("unpin all ") + QString::number(m_app ? m_app->pins().size() : 0) +
           QLatin1Char('?');
}

bool QuickplaySettings::hasPins() const {
    return m_app && !m_app->pins().isEmpty();
}

bool QuickplaySettings::canClearHistory() const {
    return m_player && !(m_player->historyPaths().isEmpty() && m_player->log().listens().isEmpty());
}

void QuickplaySettings::add(const QString& name) {
    if (!m_app || !m_library || m_app->hasSmartDJ(name)) return;
    const LibraryStore* library = m_library;
    m_app->setSmartDJ(added(m_app->smartDJArtists().value_or(QStringList{}), name,
                            [library](const QString& n) { return library->artist(n).has_value(); }));
}

void QuickplaySettings::remove(const QString& name) {
    if (m_app && m_app->hasSmartDJ(name)) m_app->toggleSmartDJ(name);
}

DropMenuPage QuickplaySettings::addMenu() {
    std::vector<DropMenuSection> sections(1);
    sections.front().title = QStringLiteral("add an artist");
    if (m_app && m_library) {
        const QStringList names = others(m_app->smartDJArtists(), *m_library);
        sections.front().items.reserve(names.size());
        QPointer<QuickplaySettings> self(this);
        for (const QString& name : names)
            sections.front().items.emplace_back(name, false, false, [self, name] {
                if (self) self->add(name);
            });
    }
    return DropMenuPage(std::move(sections));
}

void QuickplaySettings::openAddMenu(QQuickItem* anchor) {
    if (!anchor) return;
    if (DropMenu* menus = DropMenu::of(qmlEngine(anchor)))
        menus->show(addMenu(), DropMenuAnchor::qmlAttachedProperties(anchor));
}

void QuickplaySettings::clearPins() {
    if (m_app) m_app->clearPins();
}

void QuickplaySettings::clearHistory() {
    if (m_player) m_player->clearHistory();
    emit historyChanged();
}
