#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

#include "core/Defaults.h"

// The six sections of the settings page, in list order; a section is its index.
namespace SettingsSection {
enum Value { music, playback, theme, quickplay, pictures, about };
inline constexpr int count = 6;
// The list entry and the page heading; empty outside 0…5.
QString label(int section);
// The second line of the list entry.
QString hint(int section);
} // namespace SettingsSection

// The view state of one visit to the settings page, made with the page and gone with it, so every visit
// starts on music with an empty key field: the section shown, the Last.fm key being typed and whether the
// user chose to change the stored key. It also reads the stored accent choice for the theme section.
class SettingsController : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(int section READ section WRITE setSection NOTIFY sectionChanged)
    Q_PROPERTY(QString keyDraft READ keyDraft WRITE setKeyDraft NOTIFY keyDraftChanged)
    Q_PROPERTY(bool editingKey READ editingKey WRITE setEditingKey NOTIFY editingKeyChanged)
    // 0…5, for the section list.
    Q_PROPERTY(QVariantList sections READ sections CONSTANT)
    // The settings store read; the views hand in `Stores.defaults`.
    Q_PROPERTY(Defaults* defaults READ defaults WRITE setDefaults NOTIFY defaultsChanged)
    // The raw value of the accent in use: the stored "accent" when it is one of the eight, else "magenta".
    Q_PROPERTY(QString accentChoice READ accentChoice NOTIFY accentChoiceChanged)

public:
    explicit SettingsController(QObject* parent = nullptr);

    int section() const { return m_section; }
    // Out-of-range sections are clamped: the page always shows one.
    void setSection(int section);
    QString keyDraft() const { return m_keyDraft; }
    void setKeyDraft(const QString& draft);
    bool editingKey() const { return m_editingKey; }
    void setEditingKey(bool on);
    static QVariantList sections();
    Defaults* defaults() const { return m_defaults; }
    void setDefaults(Defaults* defaults);
    QString accentChoice() const;

    Q_INVOKABLE static QString label(int section) { return SettingsSection::label(section); }
    Q_INVOKABLE static QString hint(int section) { return SettingsSection::hint(section); }

signals:
    void sectionChanged();
    void keyDraftChanged();
    void editingKeyChanged();
    void defaultsChanged();
    void accentChoiceChanged();

private:
    int m_section = SettingsSection::music;
    QString m_keyDraft;
    bool m_editingKey = false;
    QPointer<Defaults> m_defaults;
    QMetaObject::Connection m_connection;
};
