#pragma once
// What the format tests look at in a test: plain texts, formatting marks and pictures.
#include "ImportReport.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <vector>

QString textOf(const QByteArray& rtf);
QStringList answerTexts(const AuthoredQuestion& question);  // empty slots as ""
std::vector<QImage> picturesOf(const QByteArray& rtf);
bool hasVerticalAlignment(const QByteArray& rtf, int alignment);  // QTextCharFormat::VerticalAlignment
QByteArray fixture(const QString& name);
QImage samplePicture(QColor colour);
QStringList skippedReasons(const ImportReport& report);
