#pragma once
// The one data folder that holds every user file. The program names its files
// by their Windows install path ("c:\Program Files\Tessivo\Dorrin\dorrat.txt");
// resolve() maps such a path, or a bare file name, into the data folder.
#include <QString>
#include <QStringList>

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
// The folder of the running program itself.
QString programFolder();
// Where the shipped files (sounds, component libraries) may lie, first match
// wins: the program's own folder (a build tree keeps everything there), then
// the installed layout relative to it: <prefix>/bin -> <prefix>/share/dorrin
// and <prefix>/lib/dorrin. No build or install path is baked in.
QStringList shippedFolders(const QString &programFolder);
// The first shipped file of that relative name, or an empty string.
QString shippedFile(const QString &name);

} // namespace dorrin::paths
