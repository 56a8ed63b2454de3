#pragma once

#include <QIcon>
#include <QString>

// The program's pictures, drawn rather than shipped: the window icon, the toolbar's 32 x 32
// images and the list's 11 x 11 sort marks.
namespace Artwork {

QIcon windowIcon();
// The image of a toolbar button by its key ("LAUNCH", "SAVE", ...); Qt greys it when disabled.
QIcon toolbarIcon(const QString& key);
QIcon sortMark(bool ascending);

}  // namespace Artwork
