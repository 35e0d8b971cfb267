#pragma once
// Making a user's text fit for one field of a CP949 line file.
#include <QString>
#include <QStringView>

namespace dorrin::text {

// The text as it may be stored in a field whose file separates fields with
// any of `separators`: each separator becomes its full-width form ("|" ->
// "｜", "@" -> "＠", both in CP949), and a line break (CR LF, CR or LF) or a
// tab becomes one blank. What it returns is what the user should see.
QString fieldText(QStringView typed, QStringView separators);

// The characters of text that CP949 cannot hold, each once, in order of
// first appearance; empty when all of them fit.
QString notInCp949(QStringView text);

} // namespace dorrin::text
