#pragma once
#include <QString>

namespace dorrin::organiser {

// The address the desktop opens as a new mail to `address`: "mailto:" and
// the address without surrounding blanks, percent-encoded (UTF-8) except
// for the characters an address list is made of. An empty address gives
// "mailto:", a new mail with no recipient. A "mailto:" already typed is
// not doubled.
QString mailtoUrl(const QString &address);

} // namespace dorrin::organiser
