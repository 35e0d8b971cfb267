#pragma once
// Conversion between the system's ANSI code page of the stored text files
// (CP949, the Korean code page) and Unicode.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace dorrin::text {

// Each byte that is not part of a valid CP949 character becomes U+FFFD and
// the conversion goes on with the next byte, so nothing after it is lost.
QString fromCp949(QByteArrayView bytes);
// A character CP949 cannot hold becomes "?"; *lossless (when given) tells
// whether that happened.
QByteArray toCp949(QStringView text, bool *lossless = nullptr);

} // namespace dorrin::text
