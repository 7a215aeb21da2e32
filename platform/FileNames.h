#pragma once
// The file name of a path, the one way every caption and title takes it.
#include <QString>

// The text after the path's last separator, extension kept, no folder. Separators are those of
// the platform: "\", "/" and a drive's ":" on Windows; "/" elsewhere, where "\" and ":" are
// ordinary characters of a name.
QString fileNameOfPath(const QString& path);
