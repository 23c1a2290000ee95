#pragma once

#include <QColor>
#include <QList>
#include <QObject>
#include <QSizeF>
#include <QString>
#include <QtQml/qqmlregistration.h>
#include <optional>

// One colour finish of a pocket player. A finish name means something only together with its model: both
// models sell a "red", in different colours.
struct IvraFinish {
    Q_GADGET
    QML_VALUE_TYPE(ivraFinish)
    Q_PROPERTY(QString name MEMBER name CONSTANT)
    Q_PROPERTY(QColor top READ topColor CONSTANT)
    Q_PROPERTY(QColor bottom READ bottomColor CONSTANT)
    Q_PROPERTY(bool light MEMBER light CONSTANT)

public:
    QString name;
    quint32 top = 0;    // 0xRRGGBB: the main colour, upper end of the swatch, source of the player accent
    quint32 bottom = 0; // 0xRRGGBB: lower end of the swatch
    bool light = false; // a pale finish (drawn with dark details)

    QString id() const { return name; }
    QColor topColor() const { return QColor::fromRgb(top & 0xFFFFFF); }
    QColor bottomColor() const { return QColor::fromRgb(bottom & 0xFFFFFF); }
    friend bool operator==(const IvraFinish&, const IvraFinish&) = default;
};

size_t qHash(const IvraFinish& finish, size_t seed = 0);

// The two pocket-player models, each with its fixed finishes and sizes.
enum class IvraModel { flash, hd };

namespace Ivra {
QList<IvraModel> allModels();
QString rawValue(IvraModel model);
// Exactly "flash" or "hd"; any other text (another case, spaces) is no model.
std::optional<IvraModel> modelFromRaw(const QString& raw);
const QList<IvraFinish>& finishes(IvraModel model);
QList<int> capacities(IvraModel model);
// The showcase colour of a model, shown when a model is picked or shown without a chosen finish.
IvraFinish signature(IvraModel model);
// "ivra 8", "ivra hd 64": the caller adds a unit or more words.
QString name(IvraModel model, int capacity);
// The real outline of the model's front face, in millimetres; all drawings take their proportions from it.
QSizeF frontFace(IvraModel model);
} // namespace Ivra

// The player the user chose. Built only from the stored settings texts, so the finish and capacity always
// belong to the model.
class Defaults;

class ChosenPlayer {
    Q_GADGET
    QML_VALUE_TYPE(chosenPlayer)
    // "flash" or "hd".
    Q_PROPERTY(QString model READ modelText CONSTANT)
    Q_PROPERTY(IvraFinish finish READ finish CONSTANT)
    Q_PROPERTY(int capacity READ capacity CONSTANT)
    // "ivra hd 64".
    Q_PROPERTY(QString name READ nameText CONSTANT)

public:
    ChosenPlayer() : ChosenPlayer(QString(), QString(), 0) {}
    ChosenPlayer(const QString& model, const QString& finish, int capacity);
    QString modelText() const { return Ivra::rawValue(m_model); }
    QString nameText() const { return Ivra::name(m_model, m_capacity); }
    // From "player.model", "player.finish" and "player.capacity", at each use (never cached: the pages
    // change them while the program runs).
    static ChosenPlayer stored(const Defaults& defaults);

    IvraModel model() const { return m_model; }
    const IvraFinish& finish() const { return m_finish; }
    int capacity() const { return m_capacity; }
    friend bool operator==(const ChosenPlayer&, const ChosenPlayer&) = default;

private:
    IvraModel m_model;
    IvraFinish m_finish;
    int m_capacity;
};
