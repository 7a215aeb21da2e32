#include "FileNames.h"

#include <algorithm>

QString fileNameOfPath(const QString& path) {
#ifdef _WIN32
    const qsizetype cut = std::max({path.lastIndexOf(u'\\'), path.lastIndexOf(u':'), path.lastIndexOf(u'/')});
#else
    const qsizetype cut = path.lastIndexOf(u'/');
#endif
    return path.mid(cut + 1);
}
