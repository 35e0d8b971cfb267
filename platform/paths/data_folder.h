#pragma once
// The one data folder that holds every user file. The program names its files
// by their Windows install path ("c:\Program Files\Tessivo\Dorrin\dorrat.txt");
// resolve() maps such a path, or a bare file name, into the data folder.
#include <QString>

namespace dorrin::paths {

// $DORRIN_DATA_DIR, else $XDG_DATA_HOME/Tessivo/Dorrin, else ~/.local/share/Tessivo/Dorrin.
QString dataFolder();
// Creates the data folder when missing; returns false when it cannot.
bool ensureDataFolder();
// "c:\Program Files\Tessivo\Dorrin\X\Y" (any case, either slash) -> <data>/X/Y;
// a relative name -> <data>/name; any other absolute path is returned unchanged.
QString resolve(const QString &windowsPath);
// The install prefix every fixed path begins with.
inline constexpr const char *kInstallFolder = "c:\\Program Files\\Tessivo\\Dorrin\\";
// The folder of the running program's shipped files (sounds, guide, components).
QString programFolder();

} // namespace dorrin::paths
