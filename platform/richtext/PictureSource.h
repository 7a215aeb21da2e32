#pragma once
// The encoded bytes a picture came from, kept on its QTextImageFormat. The writer uses them
// instead of encoding the shown image again (and for metafiles, which are shown as a frame), as long as the document's image resource is still
// the one they were recorded with; replacing the resource (an edited picture) drops them.
#include <QByteArray>
#include <QImage>
#include <optional>

class QTextDocument;
class QTextImageFormat;

struct PictureSource {
    QByteArray bytes;
    QByteArray kind;  // the picture's type as its control word: pngblip, jpegblip, emfblip, wmetafile8...
};

// Records `source` on `format` for the image that `format` names, as it is stored now.
void keepPictureSource(QTextImageFormat& format, const PictureSource& source, const QImage& shown);

// The recorded source, if the document still shows the same image under the format's name.
std::optional<PictureSource> unchangedPictureSource(const QTextDocument& document, const QTextImageFormat& format);
