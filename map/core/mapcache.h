#pragma once
// Where the map page's browser keeps what it fetched (map tiles above all), so
// that a place seen once still shows without a network later.
#include <QString>

// "<cache home>/kestrelview": the cache home is XDG_CACHE_HOME when that is an
// absolute path (the base directory rules ignore relative ones), else
// "<home>/.cache". Empty when neither gives an absolute folder.
QString MapCacheFolderFor(const QString& xdgCacheHome, const QString& home);

// The same for this process's environment.
QString MapCacheFolder();
