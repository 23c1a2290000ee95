#pragma once

#include "IvraModel.h"

#include <QString>

class AppModel;
class Defaults;

// The model tiles of the page shown while no player is picked.
namespace Lineup {

// "ivra 4 · 8 · 16" for flash, "ivra hd".
QString lineName(IvraModel model);
// The year the model came out: "2007", "2009".
QString year(IvraModel model);
// What a screen reader says of a tile: "Preview with a ivra hd".
QString accessibleName(IvraModel model);

// Picks a model as the player the pages preview with: its name and showcase colour are stored, then the
// pages show it. The stored size stays; a size the model lacks reads as its first.
void pick(Defaults& defaults, AppModel& app, IvraModel model);

} // namespace Lineup
