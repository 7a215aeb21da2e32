#pragma once
// GIFT, the plain-text question format of learning platforms: ::title:: text { =right ~wrong }.
#include "ImportReport.h"

#include <QByteArray>

ImportResult importGift(const QByteArray& bytes);  // throws FormatError
QByteArray exportGift(const TestDocument& test);   // texts as [html]; pictures cannot go
