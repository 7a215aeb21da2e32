#include "SampleDocuments.h"

#include <QBuffer>
#include <QImage>
#include <QRandomGenerator>

namespace {

const QByteArray header =
    R"({\rtf1\ansi\ansicpg1251\deff0\deflang1049{\fonttbl{\f0\froman\fprq2\fcharset204 Times New Roman;})"
    R"({\f1\froman\fprq2\fcharset2 Symbol;}{\f2\fswiss\fprq2\fcharset204{\*\fname Arial;}Arial CYR;}})"
    R"({\colortbl ;\red0\green0\blue255;\red255\green0\blue0;})"
    R"({\stylesheet{ Normal;}{\s1 heading 1;}}{\*\generator Msftedit 5.41.15.1515;})"
    R"({\info{\author Teacher}{\creatim\yr2006\mo3\dy14\hr10\min5}})"
    "\\viewkind4\\uc1\\pard\\qj\\sa120\\lang1049\\f0\\fs24 ";

// "Which of the expressions below is true for the function" in cp1251 hex escapes.
const QByteArray cyrillicSentence =
    R"(\'ca\'e0\'ea\'ee\'e5 \'e8\'e7 \'e2\'fb\'f0\'e0\'e6\'e5\'ed\'e8\'e9 \'ed\'e8\'e6\'e5 \'e2\'e5\'f0\'ed\'ee )"
    R"(\'e4\'eb\'ff \'f4\'f3\'ed\'ea\'f6\'e8\'e8 )";

QByteArray body() {
    QByteArray text;
    for (int i = 0; i < 4; ++i) {
        text += cyrillicSentence;
        text += R"({\b f}({\i x}) = {\f1 a}{\super 2} + {\f1\'b6}{\i y}/{\f1\'b6}{\i x} {\f1\'a3} )";
        text += R"(\cf1 x{\sub 0}\cf0  {\f1\'d6}2 {\f1\'b9} 0. )";
        text += "\\par ";
    }
    text += R"(\pard\qc\b\fs28 )" + cyrillicSentence + R"(\b0\fs24\par )";
    return text;
}

QByteArray pngOfSize(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator generator(7);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 3) & 0xff, (y * 5) & 0xff, generator.bounded(256)));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

}  // namespace

QByteArray typicalQuestion() { return header + body() + "}"; }

QByteArray questionWithPicture() {
    const QByteArray png = pngOfSize(400, 300);
    return header + body() + R"({\pict\pngblip\picw400\pich300\picwgoal6000\pichgoal4500 )" + png.toHex() +
           "}\\par }";
}
