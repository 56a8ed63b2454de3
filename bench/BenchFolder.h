#pragma once

#include <QString>

struct GeneratedDatabase;

// An application folder as the program finds it beside itself: the database, the options
// (deletion without its question, so that no run waits on a box), and the settings store
// GameSettings.reg naming the first account active and a game folder that holds a stand-in game
// (a script that ends at once).
namespace BenchFolder {

// Writes those files into `folder`, which must exist; false when one could not be written.
bool prepare(const QString& folder, const GeneratedDatabase& database);

QString databasePath(const QString& folder);
QString storePath(const QString& folder);

}  // namespace BenchFolder
