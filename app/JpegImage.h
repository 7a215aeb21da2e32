#pragma once
#include <QByteArray>
#include <QImage>

// Decodes a baseline or progressive JPEG with libjpeg; a null image when the data is not one.
QImage decodeJpeg(const QByteArray& data);
