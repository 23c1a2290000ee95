#include "Lineup.h"

#include "core/Defaults.h"
#include "core/SettingKeys.h"
#include "shell/AppModel.h"

namespace Lineup {

QString lineName(IvraModel model) {
    return model == IvraModel::hd ? QStringLiteral("ivra hd") : QStringLiteral("ivra 4 \u00B7 8 \u00B7 16");
}

QString year(IvraModel model) {
    return model == IvraModel::hd ? QStringLiteral("2009") : QStringLiteral("2007");
}

QString accessibleName(IvraModel model) {
    return QStringLiteral("Preview with a ") + lineName(model);
}

void pick(Defaults& defaults, AppModel& app, IvraModel model) {
    // In this order: the summary page, which follows `samplePlayer`, must find the model and colour
    // already stored when it turns into the player's page.
    defaults.set(QString::fromLatin1(SettingKeys::playerModel), Ivra::rawValue(model));
    defaults.set(QString::fromLatin1(SettingKeys::playerFinish), Ivra::signature(model).name);
    app.setSamplePlayer(true);
}

} // namespace Lineup
