#pragma once
// Checks at the moment a user's text is entered or saved: text the CP949
// files cannot hold is refused with a message, and a failed save is shown
// once per file so the user knows what was not stored.
#include <QString>
#include <QStringView>

namespace dorrin::forms {

class Dialogs;

// True when CP949 can hold every character of text. Otherwise shows a
// message naming the characters that cannot be stored and returns false.
bool acceptCp949(Dialogs *dialogs, QStringView text);

// A save of path failed for reason. The first failure of a file in this
// process shows one message box naming the file and the reason; every
// failure is logged.
void reportSaveFailure(Dialogs *dialogs, const QString &path, const QString &reason);
// Forgets which files were reported (tests).
void resetSaveFailureReports();

} // namespace dorrin::forms
