#pragma once
// Reads back the first sheet of an .xlsx file for tests: the package is
// unpacked with unzip and the sheet's XML read cell by cell.
#include <QMap>
#include <QProcess>
#include <QString>
#include <QXmlStreamReader>

namespace dorrin::spreadsheet::testing {

struct CellValue {
  QString type; // "inlineStr", "s" (shared string), "b", "n" (number)
  QString text;
  bool operator==(const CellValue &o) const { return type == o.type && text == o.text; }
};

// One member of the package; empty when it is missing.
inline QByteArray packageMember(const QString &xlsx, const QString &member) {
  QProcess unzip;
  unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), xlsx, member});
  unzip.waitForFinished(30000);
  return unzip.readAllStandardOutput();
}

// Cells of sheet 1 by reference ("A1"); shared strings resolved to their text.
inline QMap<QString, CellValue> readSheet(const QString &xlsx) {
  QStringList shared;
  {
    QXmlStreamReader x(packageMember(xlsx, QStringLiteral("xl/sharedStrings.xml")));
    while (!x.atEnd())
      if (x.readNext() == QXmlStreamReader::StartElement && x.name() == u"t")
        shared << x.readElementText();
  }
  QMap<QString, CellValue> cells;
  QXmlStreamReader x(packageMember(xlsx, QStringLiteral("xl/worksheets/sheet1.xml")));
  QString ref;
  CellValue cell;
  while (!x.atEnd()) {
    const auto token = x.readNext();
    if (token == QXmlStreamReader::StartElement) {
      if (x.name() == u"c") {
        ref = x.attributes().value(QStringLiteral("r")).toString();
        cell = {x.attributes().value(QStringLiteral("t")).toString(), {}};
        if (cell.type.isEmpty()) cell.type = QStringLiteral("n");
      } else if (x.name() == u"t" || x.name() == u"v") {
        cell.text = x.readElementText();
        if (cell.type == u"s") cell.text = shared.value(cell.text.toInt());
      }
    } else if (token == QXmlStreamReader::EndElement && x.name() == u"c") {
      cells.insert(ref, cell);
    }
  }
  return cells;
}

} // namespace dorrin::spreadsheet::testing
