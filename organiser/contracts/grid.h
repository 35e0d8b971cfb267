#pragma once
// The grid every table of the organiser's forms is: a matrix of text cells,
// the first rows and columns of which may be fixed (headers that do not
// scroll), with one current cell that Text and the Cell... members act on.
//
// Sizes and positions are twips; colours are red + 256 * green + 65536 *
// blue, where 0 in a cell colour means "the grid's colour for that kind of
// cell". Rows and columns count from 0 and include the fixed ones.
//
// Every member that names a row, a column or a value outside what the grid
// holds fails: a setter returns false and changes nothing, a getter returns
// 0 or "", and the failure is logged. The grid never grows by itself.
//
// Events (Click, DblClick, MouseDown, MouseMove) are the signals of the
// widget that implements this interface; MouseRow and MouseCol already name
// the cell under the mouse when they are raised.
#include <QPixmap>
#include <QString>
#include <cstdint>

namespace dorrin::contracts {

class Grid {
public:
  using Rgb = std::uint32_t;

  // Alignment values of ColAlignment, FixedAlignment and CellAlignment.
  enum Alignment : int {
    AlignLeftTop = 0,
    AlignLeftCenter = 1,
    AlignLeftBottom = 2,
    AlignCenterTop = 3,
    AlignCenterCenter = 4,
    AlignCenterBottom = 5,
    AlignRightTop = 6,
    AlignRightCenter = 7,
    AlignRightBottom = 8,
    AlignGeneral = 9, // text left, numbers right, both vertically centred
  };

  virtual ~Grid() = default;

  // Shape. Changing Rows or Cols keeps the content of the cells that remain.
  virtual int rows() const = 0;
  virtual bool setRows(int n) = 0;
  virtual int cols() const = 0;
  virtual bool setCols(int n) = 0;
  virtual int fixedRows() const = 0;
  virtual bool setFixedRows(int n) = 0;
  virtual int fixedCols() const = 0;
  virtual bool setFixedCols(int n) = 0;

  // The current cell (any cell, fixed ones included).
  virtual int row() const = 0;
  virtual bool setRow(int r) = 0;
  virtual int col() const = 0;
  virtual bool setCol(int c) = 0;

  // Text of the current cell, and of any cell without moving the current one.
  virtual QString text() const = 0;
  virtual bool setText(const QString &t) = 0;
  virtual QString textMatrix(int r, int c) const = 0;
  virtual bool setTextMatrix(int r, int c, const QString &t) = 0;

  // Columns and header texts at once: "|" separates columns; a leading
  // "<", "^" or ">" aligns the column left, centre or right. With a fixed
  // row the texts go into row 0. A part after ";" gives the texts of
  // column 0 in the rows below the fixed ones.
  virtual bool setFormatString(const QString &format) = 0;

  // Sizes in twips; a read returns the value last set (-1 sets the default).
  virtual int colWidth(int c) const = 0;
  virtual bool setColWidth(int c, int twips) = 0;
  virtual int rowHeight(int r) const = 0;
  virtual bool setRowHeight(int r, int twips) = 0;

  // Alignment of a column's normal cells and of its fixed cells.
  virtual int colAlignment(int c) const = 0;
  virtual bool setColAlignment(int c, int alignment) = 0;
  virtual int fixedAlignment(int c) const = 0;
  virtual bool setFixedAlignment(int c, int alignment) = 0;

  // The current cell's own look. A colour read returns what was written
  // (0 when nothing was); an empty picture removes the cell's picture.
  virtual Rgb cellBackColor() const = 0;
  virtual bool setCellBackColor(Rgb c) = 0;
  virtual Rgb cellForeColor() const = 0;
  virtual bool setCellForeColor(Rgb c) = 0;
  virtual int cellAlignment() const = 0;
  virtual bool setCellAlignment(int alignment) = 0;
  virtual QPixmap cellPicture() const = 0;
  virtual bool setCellPicture(const QPixmap &picture) = 0;

  // Geometry of the current cell in twips relative to the grid's top-left
  // corner, as currently scrolled (an edit box can be laid over it).
  virtual int cellLeft() const = 0;
  virtual int cellTop() const = 0;
  virtual int cellWidth() const = 0;
  virtual int cellHeight() const = 0;

  // Colours of normal cells, of every fixed cell, and of selected cells.
  virtual Rgb backColor() const = 0;
  virtual void setBackColor(Rgb c) = 0;
  virtual Rgb foreColor() const = 0;
  virtual void setForeColor(Rgb c) = 0;
  virtual Rgb backColorFixed() const = 0;
  virtual void setBackColorFixed(Rgb c) = 0;
  virtual Rgb foreColorFixed() const = 0;
  virtual void setForeColorFixed(Rgb c) = 0;
  virtual Rgb backColorSel() const = 0;
  virtual void setBackColorSel(Rgb c) = 0;
  virtual Rgb foreColorSel() const = 0;
  virtual void setForeColorSel(Rgb c) = 0;

  // Scrolling: the first non-fixed row shown.
  virtual int topRow() const = 0;
  virtual bool setTopRow(int r) = 0;

  // The cell under the mouse at the last mouse event over the grid.
  virtual int mouseRow() const = 0;
  virtual int mouseCol() const = 0;

  // Placement in the container (twips); a disabled grid ignores the mouse.
  virtual int left() const = 0;
  virtual int top() const = 0;
  virtual int width() const = 0;
  virtual int height() const = 0;
  virtual void setLeft(int twips) = 0;
  virtual void setTop(int twips) = 0;
  virtual void setWidth(int twips) = 0;
  virtual void setHeight(int twips) = 0;
  virtual bool visible() const = 0;
  virtual void setVisible(bool v) = 0;
  virtual bool enabled() const = 0;
  virtual void setEnabled(bool e) = 0;
};

} // namespace dorrin::contracts
