#include "IvraModel.h"

#include "core/SettingKeys.h"

#include "core/Defaults.h"

#include <QHash>
#include <QSizeF>

size_t qHash(const IvraFinish& finish, size_t seed) {
    return qHashMulti(seed, finish.name, finish.top, finish.bottom, finish.light);
}

namespace Ivra {

QList<IvraModel> allModels() {
    return {IvraModel::flash, IvraModel::hd};
}

QString rawValue(IvraModel model) {
    return model == IvraModel::hd ? QStringLiteral("hd") : QStringLiteral("flash");
}

std::optional<IvraModel> modelFromRaw(const QString& raw) {
    if (raw == QLatin1String("flash")) return IvraModel::flash;
    if (raw == QLatin1String("hd")) return IvraModel::hd;
    return std::nullopt;
}

const QList<IvraFinish>& finishes(IvraModel model) {
    // Picker order.
    static const QList<IvraFinish> flash{
        {QStringLiteral("black"), 0x303033, 0x141416, false},
        {QStringLiteral("pink"), 0xE86AA3, 0xA8306A, false},
        {QStringLiteral("green"), 0xA2AC4E, 0x5E6824, false},
        {QStringLiteral("red"), 0xD62A33, 0x830C14, false},
        {QStringLiteral("blue"), 0x4F7DC4, 0x22427A, false},
    };
    static const QList<IvraFinish> hd{
        {QStringLiteral("black"), 0x45454A, 0x1C1C1F, false},
        {QStringLiteral("platinum"), 0xD8D7D2, 0xA6A5A0, true},
        {QStringLiteral("red"), 0xC9333B, 0x7A1218, false},
        {QStringLiteral("green"), 0x7CA84E, 0x3E6422, false},
        {QStringLiteral("blue"), 0x4C7EC2, 0x203E70, false},
        {QStringLiteral("magenta"), 0xCC4A92, 0x7E1650, false},
        {QStringLiteral("purple"), 0x7C5CB0, 0x3C2866, false},
    };
    return model == IvraModel::hd ? hd : flash;
}

QList<int> capacities(IvraModel model) {
    return model == IvraModel::hd ? QList<int>{16, 32, 64} : QList<int>{4, 8, 16};
}

IvraFinish signature(IvraModel model) {
    const QString wanted = model == IvraModel::hd ? QStringLiteral("platinum") : QStringLiteral("red");
    const auto& all = finishes(model);
    for (const auto& f : all)
        if (f.name == wanted) return f;
    return all.first();
}

QString name(IvraModel model, int capacity) {
    return (model == IvraModel::hd ? QStringLiteral("ivra hd ") : QStringLiteral("ivra ")) +
           QString::number(capacity);
}

QSizeF frontFace(IvraModel model) {
    return model == IvraModel::hd ? QSizeF(52.7, 102.1) : QSizeF(41.4, 91.4);
}

} // namespace Ivra

ChosenPlayer::ChosenPlayer(const QString& model, const QString& finish, int capacity)
    : m_model(Ivra::modelFromRaw(model).value_or(IvraModel::flash)) {
    // The fallback is the model's first finish, not its signature: the pages store the signature's name
    // themselves when a model is picked.
    const auto& all = Ivra::finishes(m_model);
    m_finish = all.first();
    for (const auto& f : all)
        if (f.name == finish) {
            m_finish = f;
            break;
        }
    const QList<int> sizes = Ivra::capacities(m_model);
    m_capacity = sizes.contains(capacity) ? capacity : sizes.first();
}

ChosenPlayer ChosenPlayer::stored(const Defaults& defaults) {
    const double capacity = defaults.declared(QString::fromLatin1(SettingKeys::playerCapacity)).toDouble();
    return ChosenPlayer(defaults.declared(QString::fromLatin1(SettingKeys::playerModel)).toString(),
                        defaults.declared(QString::fromLatin1(SettingKeys::playerFinish)).toString(),
                        qIsFinite(capacity) && qAbs(capacity) < 1e9 ? int(capacity) : 0);
}
