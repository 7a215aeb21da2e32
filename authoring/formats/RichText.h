#pragma once
// Conversions between the documents of a test (RTF bytes) and the texts of question banks.
#include <QByteArray>
#include <QImage>
#include <QString>

#include <map>
#include <vector>

class QTextDocument;

QByteArray plainTextToRtf(const QString& text);
// Pictures are found by the names the HTML's <img src> uses.
QByteArray htmlToRtf(const QString& html, const std::map<QString, QImage>& pictures = {});
QByteArray markdownToRtf(const QString& markdown);
QString rtfToPlainText(const QByteArray& rtf);  // pictures leave no mark

struct NamedPicture {
    QString name;
    QByteArray png;
};

struct HtmlWithPictures {
    QString html;  // the body's content; <img src> is pictureFolder + name
    std::vector<NamedPicture> pictures;
};

// Pictures are named picture1.png, picture2.png, ... after firstPicture.
HtmlWithPictures rtfToHtml(const QByteArray& rtf, const QString& pictureFolder, int firstPicture);
