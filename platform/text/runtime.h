#pragma once
// The few string, number and date helpers of the form runtime that the
// organiser's procedures rely on.
#include <QDate>
#include <QString>
#include <QStringView>

#include <optional>

namespace dorrin::text {

// Leading-numeric value: the number the text starts with, 0 when it starts
// with none. Blanks, tabs and line feeds are skipped (also between digits);
// a sign, digits, one decimal point ("." whatever the locale) and an
// exponent ("1e3") are read. "03/" -> 3, "  12ab" -> 12, "abc" -> 0.
double val(QStringView text);
// The value rounded to a whole number (halves to even) when it fits 16 or
// 32 bits; nullopt when it does not (the assignment that would overflow).
std::optional<qint16> valInt16(QStringView text);
std::optional<qint32> valInt32(QStringView text);
// Rounds halves to even; nullopt outside the 16-bit range.
std::optional<qint16> toInt16(double value);
std::optional<qint32> toInt32(double value);

// Removes blanks (U+0020 only, not tabs) at both ends.
QString trim(QStringView text);

// The short-date text of a date, "yyyy-MM-dd" whatever the locale; the form
// the stored dates and every date search use. "" for an invalid date.
QString shortDate(const QDate &date);
// Reads such a text back; an invalid QDate when it is not one.
QDate parseShortDate(QStringView text);

} // namespace dorrin::text
