#pragma once
// The grid control: a matrix of text cells with fixed header rows and
// columns, one current cell, per-cell colours, alignment and picture, row
// and column sizes in twips, whole-row/whole-column scrolling, and the
// Control's mouse events with MouseRow/MouseCol already set.
//
// Look: normal cells in BackColor/ForeColor with flat grid lines; fixed
// cells in BackColorFixed/ForeColorFixed with raised lines (a grid whose
// cells are all fixed looks like a stack of buttons); the cells of a
// selection that extends beyond the current cell in BackColorSel/
// ForeColorSel; the current cell keeps its colours and shows a focus
// rectangle while the grid has the focus; the area beyond the last row and
// column in BackColorBkg.
//
// A left press on a normal cell makes it current before MouseDown is
// raised; a press on a fixed cell leaves the current cell alone. Setting
// Row or Col from code never scrolls.
#include "organiser/contracts/grid.h"
#include "platform/forms/control.h"

#include <QPixmap>
#include <map>
#include <utility>
#include <vector>

class QScrollBar;

namespace dorrin::forms {

class FlexGrid : public Control, public contracts::Grid {
  Q_OBJECT
public:
  explicit FlexGrid(QWidget *parent = nullptr, int rows = 2, int cols = 2, int fixedRows = 1,
                    int fixedCols = 1);
  ~FlexGrid() override;

  // --- shape
  int rows() const override { return rows_; }
  bool setRows(int n) override;
  int cols() const override { return cols_; }
  bool setCols(int n) override;
  int fixedRows() const override { return fixedRows_; }
  bool setFixedRows(int n) override;
  int fixedCols() const override { return fixedCols_; }
  bool setFixedCols(int n) override;

  // --- current cell and selection
  int row() const override { return row_; }
  bool setRow(int r) override;
  int col() const override { return col_; }
  bool setCol(int c) override;
  // The far corner of the selection; setting Row or Col resets it to the
  // current cell, a drag with the left button extends it.
  int rowSel() const { return rowSel_; }
  bool setRowSel(int r);
  int colSel() const { return colSel_; }
  bool setColSel(int c);

  // --- text
  QString text() const override;
  bool setText(const QString &t) override;
  QString textMatrix(int r, int c) const override;
  bool setTextMatrix(int r, int c, const QString &t) override;
  bool setFormatString(const QString &format) override;
  QString formatString() const { return formatString_; }
  // Empties every cell: texts, pictures, colours and alignments.
  void clear();

  // --- sizes (twips)
  int colWidth(int c) const override;
  bool setColWidth(int c, int twips) override;
  int rowHeight(int r) const override;
  bool setRowHeight(int r, int twips) override;
  int defaultColWidth() const { return 960; }
  int defaultRowHeight() const { return defaultRowHeight_; }

  // --- alignment
  int colAlignment(int c) const override;
  bool setColAlignment(int c, int alignment) override;
  // -1 (the default) makes the fixed cells follow ColAlignment.
  int fixedAlignment(int c) const override;
  bool setFixedAlignment(int c, int alignment) override;

  // --- current cell's look
  Rgb cellBackColor() const override;
  bool setCellBackColor(Rgb c) override;
  Rgb cellForeColor() const override;
  bool setCellForeColor(Rgb c) override;
  int cellAlignment() const override;
  bool setCellAlignment(int alignment) override;
  QPixmap cellPicture() const override;
  bool setCellPicture(const QPixmap &picture) override;

  // --- geometry of the current cell (twips, relative to the grid)
  int cellLeft() const override;
  int cellTop() const override;
  int cellWidth() const override;
  int cellHeight() const override;
  // Position of a row's top / a column's left edge, as currently scrolled.
  int rowPos(int r) const;
  int colPos(int c) const;

  // --- colours
  Rgb backColor() const override { return Control::backColor(); }
  void setBackColor(Rgb c) override { Control::setBackColor(c); }
  Rgb foreColor() const override { return Control::foreColor(); }
  void setForeColor(Rgb c) override { Control::setForeColor(c); }
  Rgb backColorFixed() const override { return backFixed_; }
  void setBackColorFixed(Rgb c) override;
  Rgb foreColorFixed() const override { return foreFixed_; }
  void setForeColorFixed(Rgb c) override;
  Rgb backColorSel() const override { return backSel_; }
  void setBackColorSel(Rgb c) override;
  Rgb foreColorSel() const override { return foreSel_; }
  void setForeColorSel(Rgb c) override;
  Rgb backColorBkg() const { return backBkg_; }
  void setBackColorBkg(Rgb c);
  Rgb gridColor() const { return gridColor_; }
  void setGridColor(Rgb c);

  // Grid lines of normal cells: 0 none, 1 flat (default), 2 inset,
  // 3 raised; of fixed cells the same values, default 2.
  int gridLines() const { return gridLines_; }
  bool setGridLines(int style);
  int gridLinesFixed() const { return gridLinesFixed_; }
  bool setGridLinesFixed(int style);

  // --- scrolling
  // Which bars may appear when the content does not fit: 0 none,
  // 1 horizontal, 2 vertical, 3 both (default).
  int scrollBars() const { return scrollBars_; }
  bool setScrollBars(int which);
  int topRow() const override;
  bool setTopRow(int r) override;
  int leftCol() const;
  bool setLeftCol(int c);
  // Scrolls the least needed to show cell (r, c) whole (as far as it fits).
  void showCell(int r, int c);

  // --- mouse
  int mouseRow() const override { return mouseRow_; }
  int mouseCol() const override { return mouseCol_; }
  // The cell at a point in pixels of the widget (the last row/column for a
  // point beyond them), as MouseRow/MouseCol report it.
  std::pair<int, int> cellAt(QPoint pixels) const;

  // --- placement
  int left() const override { return Control::left(); }
  int top() const override { return Control::top(); }
  int width() const override { return Control::width(); }
  int height() const override { return Control::height(); }
  void setLeft(int twips) override { Control::setLeft(twips); }
  void setTop(int twips) override { Control::setTop(twips); }
  void setWidth(int twips) override { Control::setWidth(twips); }
  void setHeight(int twips) override { Control::setHeight(twips); }
  bool visible() const override { return Control::visible(); }
  void setVisible(bool v) override { Control::setVisible(v); }
  bool enabled() const override { return Control::enabled(); }
  void setEnabled(bool e) override { QWidget::setEnabled(e); }

  QScrollBar *verticalScrollBar() const { return vbar_; }
  QScrollBar *horizontalScrollBar() const { return hbar_; }

signals:
  // The current cell moved (by code or by the user).
  void rowColChange();
  // TopRow or LeftCol changed.
  void scrolled();

protected:
  void paintEvent(QPaintEvent *e) override;
  void resizeEvent(QResizeEvent *e) override;
  void mousePressEvent(QMouseEvent *e) override;
  void mouseMoveEvent(QMouseEvent *e) override;
  void mouseReleaseEvent(QMouseEvent *e) override;
  void mouseDoubleClickEvent(QMouseEvent *e) override;
  void wheelEvent(QWheelEvent *e) override;
  void keyPressEvent(QKeyEvent *e) override;
  void changeEvent(QEvent *e) override;
  void showEvent(QShowEvent *e) override;
  bool event(QEvent *e) override;

private:
  struct Cell {
    QString text;
    Rgb back = 0;
    Rgb fore = 0;
    qint8 align = -1;
  };

  bool validRow(int r) const { return r >= 0 && r < rows_; }
  bool validCol(int c) const { return c >= 0 && c < cols_; }
  bool checkCell(const char *what, int r, int c) const;
  bool checkAlignment(const char *what, int a) const;
  Cell &cell(int r, int c) { return cells_[static_cast<size_t>(r) * cols_ + c]; }
  const Cell &cell(int r, int c) const { return cells_[static_cast<size_t>(r) * cols_ + c]; }
  bool isFixed(int r, int c) const { return r < fixedRows_ || c < fixedCols_; }
  bool inSelection(int r, int c) const;
  int effectiveAlignment(int r, int c) const;
  void setCurrent(int r, int c);
  void updateMouseCell(QPoint pixels);
  std::pair<int, int> hit(QPoint pixels, bool *inside) const;

  // Layout: which bars show, how far one can scroll. Computed lazily.
  void invalidateLayout();
  void ensureLayout() const;
  int fixedHeight() const; // twips
  int fixedWidth() const;
  int maxTopRow(int viewHeightPx) const;
  int maxLeftCol(int viewWidthPx) const;
  QRect viewport() const; // pixels, the part not covered by scroll bars
  void syncBars() const;
  void onBarMoved();

  void paintCell(QPainter &p, int r, int c, const QRect &rect) const;

  int rows_ = 0, cols_ = 0, fixedRows_ = 0, fixedCols_ = 0;
  std::vector<Cell> cells_;
  std::map<std::pair<int, int>, QPixmap> pictures_;
  std::vector<int> rowHeights_; // twips, -1 default
  std::vector<int> colWidths_;  // twips, -1 default
  std::vector<qint8> colAlign_;
  std::vector<qint8> fixedAlign_; // -1 follows colAlign_
  QString formatString_;

  int row_ = 0, col_ = 0, rowSel_ = 0, colSel_ = 0;
  int mouseRow_ = 0, mouseCol_ = 0;
  mutable int topRow_ = 0, leftCol_ = 0;

  Rgb backFixed_, foreFixed_, backSel_, foreSel_, backBkg_, gridColor_;
  int gridLines_ = 1, gridLinesFixed_ = 2;
  int scrollBars_ = 3;

  QScrollBar *vbar_ = nullptr;
  QScrollBar *hbar_ = nullptr;
  mutable bool layoutDirty_ = true;
  mutable bool syncing_ = false;
  mutable int maxTop_ = 0, maxLeft_ = 0;
  int defaultRowHeight_ = 240;
  int wheelRemainder_ = 0;
  bool selecting_ = false;
};

} // namespace dorrin::forms
