#include "SettingsController.h"

#include "core/Defaults.h"
#include "core/SettingKeys.h"
#include "shell/look/Accent.h"

#include <algorithm>

namespace SettingsSection {
namespace {
struct Entry {
    const char* label;
    const char* hint;
};
constexpr Entry entries[count] = {
    {"music", "folder, new music, last.fm"}, {"playback", "pausing, the light"},
    {"theme", "light or dark, accent"},      {"quickplay", "opening screen, smart dj, pins"},
    {"artist pictures", "your own photos"},  {"about", "version, files, shortcuts"},
};
} // namespace

QString label(int section) {
    return section >= 0 && section < count ? QString::fromLatin1(entries[section].label) : QString();
}

QString hint(int section) {
    return section >= 0 && section < count ? QString::fromLatin1(entries[section].hint) : QString();
}
} // namespace SettingsSection

SettingsController::SettingsController(QObject* parent) : QObject(parent) {}

void SettingsController::setSection(int section) {
    section = std::clamp(section, 0, SettingsSection::count - 1);
    if (section == m_section) return;
    m_section = section;
    emit sectionChanged();
}

void SettingsController::setKeyDraft(const QString& draft) {
    if (draft == m_keyDraft) return;
    m_keyDraft = draft;
    emit keyDraftChanged();
}

void SettingsController::setEditingKey(bool on) {
    if (on == m_editingKey) return;
    m_editingKey = on;
    emit editingKeyChanged();
}

QVariantList SettingsController::sections() {
    QVariantList out;
    for (int i = 0; i < SettingsSection::count; ++i)
        out.append(i);
    return out;
}

void SettingsController::setDefaults(Defaults* defaults) {
    if (defaults == m_defaults) return;
    disconnect(m_connection);
    m_defaults = defaults;
    if (defaults)
        m_connection = connect(defaults, &Defaults::changed, this, [this](const QString& key) {
            if (key == QLatin1String(SettingKeys::accent)) emit accentChoiceChanged();
        });
    emit defaultsChanged();
    emit accentChoiceChanged();
}

QString SettingsController::accentChoice() const {
    const QString stored =
        m_defaults ? m_defaults->declared(QString::fromLatin1(SettingKeys::accent)).toString() : QString();
    return AccentChoices::rawValue(AccentChoices::fromRaw(stored).value_or(AccentChoice::magenta));
}
