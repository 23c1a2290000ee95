#pragma once

#include "ChosenMusicModel.h"
#include "IvraModel.h"

#include <QObject>
#include <QQmlParserStatus>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

class AppModel;
class Defaults;
class LibraryStore;
class Player;
class PlayerMusic;
class PlaylistStore;

// The sections of the player settings page, in list order; a section is its index.
namespace PlayerSettingsSection {
enum Value { sync, when, conversion, player };
inline constexpr int count = 4;
// The list entry and the heading; empty outside 0…3.
QString label(int section);
QString hint(int section);
} // namespace PlayerSettingsSection

// What the player settings page shows and writes. It keeps only the section shown (every visit starts on
// "sync"); every other value is read from the stored settings when asked, so a write from another page
// shows here at once. The size of the music that would go on the player is worked out again only when
// the library, the picks or "sync.music" change.
class PlayerSettingsPage : public QObject, public QQmlParserStatus {
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)
    QML_ELEMENT

    Q_PROPERTY(int section READ section WRITE setSection NOTIFY sectionChanged)
    Q_PROPERTY(QVariantList sections READ sections CONSTANT)

    // The stored settings, written through their setters.
    Q_PROPERTY(QString music READ music WRITE setMusic NOTIFY settingsChanged)
    Q_PROPERTY(bool autoSync READ autoSync WRITE setAutoSync NOTIFY settingsChanged)
    Q_PROPERTY(bool removeDeleted READ removeDeleted WRITE setRemoveDeleted NOTIFY settingsChanged)
    Q_PROPERTY(QString whenFull READ whenFull WRITE setWhenFull NOTIFY settingsChanged)
    Q_PROPERTY(bool convert READ convert WRITE setConvert NOTIFY settingsChanged)
    Q_PROPERTY(double quality READ quality WRITE setQuality NOTIFY settingsChanged)
    Q_PROPERTY(bool keepCopies READ keepCopies WRITE setKeepCopies NOTIFY settingsChanged)
    Q_PROPERTY(QString name READ name WRITE setName NOTIFY settingsChanged)

    // What the rows show.
    Q_PROPERTY(QString musicFigure READ musicFigure NOTIFY musicBytesChanged)
    Q_PROPERTY(QString musicHelp READ musicHelp NOTIFY settingsChanged)
    Q_PROPERTY(bool showsChosenMusic READ showsChosenMusic NOTIFY settingsChanged)
    Q_PROPERTY(QString whenFullHelp READ whenFullHelp NOTIFY settingsChanged)
    Q_PROPERTY(QString qualityHelp READ qualityHelp NOTIFY settingsChanged)
    Q_PROPERTY(ChosenPlayer chosen READ chosen NOTIFY settingsChanged)
    // One entry per model: model (raw value), caption, finish, selected.
    Q_PROPERTY(QVariantList modelCards READ modelCards NOTIFY settingsChanged)
    // One entry per finish of the chosen model: finish, selected.
    Q_PROPERTY(QVariantList swatches READ swatches NOTIFY settingsChanged)
    Q_PROPERTY(QString colourHelp READ colourHelp NOTIFY settingsChanged)
    // Segmented options of the chosen model's sizes: value, label.
    Q_PROPERTY(QVariantList capacityOptions READ capacityOptions NOTIFY settingsChanged)
    Q_PROPERTY(bool singleCapacity READ singleCapacity NOTIFY settingsChanged)
    Q_PROPERTY(QString sizeHelp READ sizeHelp NOTIFY settingsChanged)

    // The storage bar.
    Q_PROPERTY(bool showsBar READ showsBar NOTIFY showsBarChanged)
    Q_PROPERTY(double musicSpace READ musicSpaceNumber NOTIFY settingsChanged)
    Q_PROPERTY(double musicBytes READ musicBytesNumber NOTIFY musicBytesChanged)

    Q_PROPERTY(ChosenMusicModel* chosenMusic READ chosenMusic CONSTANT)

public:
    struct Stores {
        Defaults* defaults = nullptr;
        LibraryStore* library = nullptr;
        PlaylistStore* playlists = nullptr;
        PlayerMusic* picks = nullptr;
        Player* player = nullptr;
        AppModel* app = nullptr;
    };

    explicit PlayerSettingsPage(QObject* parent = nullptr);
    PlayerSettingsPage(const Stores& stores, QObject* parent = nullptr);

    void classBegin() override {}
    void componentComplete() override;

    int section() const { return m_section; }
    void setSection(int section);
    static QVariantList sections();
    Q_INVOKABLE static QString label(int section) { return PlayerSettingsSection::label(section); }
    Q_INVOKABLE static QString hint(int section) { return PlayerSettingsSection::hint(section); }

    QString music() const;
    void setMusic(const QString& value);
    bool autoSync() const;
    void setAutoSync(bool on);
    bool removeDeleted() const;
    void setRemoveDeleted(bool on);
    QString whenFull() const;
    void setWhenFull(const QString& value);
    bool convert() const;
    void setConvert(bool on);
    double quality() const;
    void setQuality(double kbps);
    bool keepCopies() const;
    void setKeepCopies(bool on);
    QString name() const;
    void setName(const QString& name);

    QString musicFigure() const;
    QString musicHelp() const;
    bool showsChosenMusic() const { return music() == QLatin1String("choose"); }
    QString whenFullHelp() const;
    QString qualityHelp() const;
    ChosenPlayer chosen() const;
    QVariantList modelCards() const;
    QVariantList swatches() const;
    QString colourHelp() const;
    QVariantList capacityOptions() const;
    bool singleCapacity() const { return Ivra::capacities(chosen().model()).size() == 1; }
    QString sizeHelp() const;

    bool showsBar() const;
    qint64 musicSpace() const;
    double musicSpaceNumber() const { return double(musicSpace()); }
    qint64 musicBytes() const { return m_musicBytes; }
    double musicBytesNumber() const { return double(m_musicBytes); }
    ChosenMusicModel* chosenMusic() { return &m_chosenMusic; }

    // A model card: that model in its showcase colour at its first size, also when it is already chosen.
    Q_INVOKABLE void chooseModel(const QString& raw);
    // A swatch: the finish's name.
    Q_INVOKABLE void chooseFinish(const QString& name);
    // The size control; the only thing that writes a size.
    Q_INVOKABLE void chooseCapacity(int gigabytes);
    // Disconnects the sample player and nothing else.
    Q_INVOKABLE void forget();

    // "Red", "Space Grey": each word capitalised.
    static QString capitalised(const QString& name);

signals:
    void sectionChanged();
    void settingsChanged();
    void musicBytesChanged();
    void showsBarChanged();

private:
    void attach(const Stores& stores);
    void settingChanged(const QString& key);
    void recount();
    QJsonValue read(const char* key) const;
    void write(const char* key, const QJsonValue& value);

    Stores m_stores;
    int m_section = PlayerSettingsSection::sync;
    qint64 m_musicBytes = 0;
    ChosenMusicModel m_chosenMusic;
};
