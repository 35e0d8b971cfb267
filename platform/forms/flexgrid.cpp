#include "platform/forms/flexgrid.h"

#include "platform/forms/log.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>

namespace dorrin::forms {

namespace {

constexpr int kTextMarginPx = 2;
constexpr int kWheelRows = 3;

Qt::Alignment qtAlignment(int a, const QString &text) {
  if (a == contracts::Grid::AlignGeneral) {
    bool number = false;
    const QString t = text.trimmed();
    if (!t.isEmpty()) t.toDouble(&number);
    return (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
  }
  static constexpr Qt::AlignmentFlag h[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
  static constexpr Qt::AlignmentFlag v[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
  if (a < 0 || a > 8) a = contracts::Grid::AlignLeftCenter;
  return h[a / 3] | v[a % 3];
}

} // namespace

FlexGrid::FlexGrid(QWidget *parent, int rows, int cols, int fixedRows, int fixedCols)
    : Control(parent), backFixed_(rgb(192, 192, 192)), foreFixed_(rgb(0, 0, 0)),
      backSel_(rgb(0, 0, 128)), foreSel_(rgb(255, 255, 255)), backBkg_(rgb(128, 128, 128)),
      gridColor_(rgb(192, 192, 192)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  Control::setBackColor(rgb(255, 255, 255));
  Control::setForeColor(rgb(0, 0, 0));
  defaultRowHeight_ = toTwips(fontMetrics().height() + 3);

  vbar_ = new QScrollBar(Qt::Vertical, this);
  hbar_ = new QScrollBar(Qt::Horizontal, this);
  vbar_->hide();
  hbar_->hide();
  connect(vbar_, &QScrollBar::valueChanged, this, [this] { onBarMoved(); });
  connect(hbar_, &QScrollBar::valueChanged, this, [this] { onBarMoved(); });

  rows_ = std::max(0, rows);
  cols_ = std::max(0, cols);
  fixedRows_ = std::clamp(fixedRows, 0, rows_);
  fixedCols_ = std::clamp(fixedCols, 0, cols_);
  cells_.resize(static_cast<size_t>(rows_) * cols_);
  rowHeights_.assign(rows_, -1);
  colWidths_.assign(cols_, -1);
  colAlign_.assign(cols_, AlignGeneral);
  fixedAlign_.assign(cols_, -1);
  row_ = rowSel_ = std::max(0, std::min(fixedRows_, rows_ - 1));
  col_ = colSel_ = std::max(0, std::min(fixedCols_, cols_ - 1));
  topRow_ = fixedRows_;
  leftCol_ = fixedCols_;
}

FlexGrid::~FlexGrid() = default;

// ---------------------------------------------------------------- checks

bool FlexGrid::checkCell(const char *what, int r, int c) const {
  if (validRow(r) && validCol(c)) return true;
  qCWarning(lcForms, "grid %s: cell (%d, %d) outside %d x %d", what, r, c, rows_, cols_);
  return false;
}

bool FlexGrid::checkAlignment(const char *what, int a) const {
  if (a >= 0 && a <= AlignGeneral) return true;
  qCWarning(lcForms, "grid %s: alignment %d refused", what, a);
  return false;
}

// ---------------------------------------------------------------- shape

bool FlexGrid::setRows(int n) {
  if (n < fixedRows_) {
    qCWarning(lcForms, "grid Rows: %d is below FixedRows %d", n, fixedRows_);
    return false;
  }
  if (n == rows_) return true;
  cells_.resize(static_cast<size_t>(n) * cols_);
  rowHeights_.resize(n, -1);
  for (auto it = pictures_.begin(); it != pictures_.end();)
    it = it->first.first >= n ? pictures_.erase(it) : std::next(it);
  rows_ = n;
  const int last = std::max(0, n - 1);
  row_ = std::min(row_, last);
  rowSel_ = std::min(rowSel_, last);
  mouseRow_ = std::min(mouseRow_, last);
  invalidateLayout();
  return true;
}

bool FlexGrid::setCols(int n) {
  if (n < fixedCols_) {
    qCWarning(lcForms, "grid Cols: %d is below FixedCols %d", n, fixedCols_);
    return false;
  }
  if (n == cols_) return true;
  std::vector<Cell> cells(static_cast<size_t>(rows_) * n);
  const int keep = std::min(n, cols_);
  for (int r = 0; r < rows_; ++r)
    for (int c = 0; c < keep; ++c)
      cells[static_cast<size_t>(r) * n + c] = std::move(cell(r, c));
  cells_ = std::move(cells);
  colWidths_.resize(n, -1);
  colAlign_.resize(n, AlignGeneral);
  fixedAlign_.resize(n, -1);
  for (auto it = pictures_.begin(); it != pictures_.end();)
    it = it->first.second >= n ? pictures_.erase(it) : std::next(it);
  cols_ = n;
  const int last = std::max(0, n - 1);
  col_ = std::min(col_, last);
  colSel_ = std::min(colSel_, last);
  mouseCol_ = std::min(mouseCol_, last);
  invalidateLayout();
  return true;
}

bool FlexGrid::setFixedRows(int n) {
  if (n < 0 || n > rows_) {
    qCWarning(lcForms, "grid FixedRows: %d outside 0..%d", n, rows_);
    return false;
  }
  fixedRows_ = n;
  if (row_ < n && n < rows_) setCurrent(n, col_);
  topRow_ = std::max(topRow_, n);
  invalidateLayout();
  return true;
}

bool FlexGrid::setFixedCols(int n) {
  if (n < 0 || n > cols_) {
    qCWarning(lcForms, "grid FixedCols: %d outside 0..%d", n, cols_);
    return false;
  }
  fixedCols_ = n;
  if (col_ < n && n < cols_) setCurrent(row_, n);
  leftCol_ = std::max(leftCol_, n);
  invalidateLayout();
  return true;
}

// ---------------------------------------------------------------- current cell

void FlexGrid::setCurrent(int r, int c) {
  const bool moved = r != row_ || c != col_;
  const bool hadRange = rowSel_ != row_ || colSel_ != col_;
  row_ = rowSel_ = r;
  col_ = colSel_ = c;
  if (moved || hadRange) update();
  if (moved) emit rowColChange();
}

bool FlexGrid::setRow(int r) {
  if (!validRow(r)) {
    qCWarning(lcForms, "grid Row: %d outside 0..%d", r, rows_ - 1);
    return false;
  }
  setCurrent(r, col_);
  return true;
}

bool FlexGrid::setCol(int c) {
  if (!validCol(c)) {
    qCWarning(lcForms, "grid Col: %d outside 0..%d", c, cols_ - 1);
    return false;
  }
  setCurrent(row_, c);
  return true;
}

bool FlexGrid::setRowSel(int r) {
  if (!validRow(r)) {
    qCWarning(lcForms, "grid RowSel: %d outside 0..%d", r, rows_ - 1);
    return false;
  }
  rowSel_ = r;
  update();
  return true;
}

bool FlexGrid::setColSel(int c) {
  if (!validCol(c)) {
    qCWarning(lcForms, "grid ColSel: %d outside 0..%d", c, cols_ - 1);
    return false;
  }
  colSel_ = c;
  update();
  return true;
}

bool FlexGrid::inSelection(int r, int c) const {
  return r >= std::min(row_, rowSel_) && r <= std::max(row_, rowSel_) &&
         c >= std::min(col_, colSel_) && c <= std::max(col_, colSel_);
}

// ---------------------------------------------------------------- text

QString FlexGrid::text() const {
  return checkCell("Text", row_, col_) ? cell(row_, col_).text : QString();
}

bool FlexGrid::setText(const QString &t) {
  return setTextMatrix(row_, col_, t);
}

QString FlexGrid::textMatrix(int r, int c) const {
  return checkCell("TextMatrix", r, c) ? cell(r, c).text : QString();
}

bool FlexGrid::setTextMatrix(int r, int c, const QString &t) {
  if (!checkCell("TextMatrix", r, c)) return false;
  Cell &x = cell(r, c);
  if (x.text != t) {
    x.text = t;
    update();
  }
  return true;
}

bool FlexGrid::setFormatString(const QString &format) {
  const int semicolon = format.indexOf(QLatin1Char(';'));
  const QString colPart = semicolon < 0 ? format : format.left(semicolon);
  const QStringList parts = colPart.split(QLatin1Char('|'));
  const int n = static_cast<int>(parts.size());
  if (n < fixedCols_) fixedCols_ = n;
  if (!setCols(n)) return false;
  const QFontMetrics fm = fontMetrics();
  for (int c = 0; c < n; ++c) {
    QString t = parts[c];
    if (t.startsWith(QLatin1Char('<'))) {
      colAlign_[c] = AlignLeftCenter;
      t.remove(0, 1);
    } else if (t.startsWith(QLatin1Char('^'))) {
      colAlign_[c] = AlignCenterCenter;
      t.remove(0, 1);
    } else if (t.startsWith(QLatin1Char('>'))) {
      colAlign_[c] = AlignRightCenter;
      t.remove(0, 1);
    }
    if (fixedRows_ > 0 && rows_ > 0) cell(0, c).text = t;
    colWidths_[c] = toTwips(fm.horizontalAdvance(t) + 4 * kTextMarginPx);
  }
  if (semicolon >= 0 && cols_ > 0) {
    // ";|a|b": the texts of column 0 in the rows below the fixed rows.
    const QStringList rowParts = format.mid(semicolon + 1).split(QLatin1Char('|'));
    const int need = fixedRows_ + static_cast<int>(rowParts.size()) - 1;
    if (need > rows_) setRows(need);
    for (int i = 1; i < rowParts.size(); ++i)
      cell(fixedRows_ + i - 1, 0).text = rowParts[i];
  }
  formatString_ = format;
  invalidateLayout();
  return true;
}

void FlexGrid::clear() {
  for (Cell &c : cells_)
    c = Cell{};
  pictures_.clear();
  update();
}

// ---------------------------------------------------------------- sizes

int FlexGrid::colWidth(int c) const {
  if (!validCol(c)) {
    qCWarning(lcForms, "grid ColWidth: column %d outside 0..%d", c, cols_ - 1);
    return 0;
  }
  return colWidths_[c] < 0 ? defaultColWidth() : colWidths_[c];
}

bool FlexGrid::setColWidth(int c, int twips) {
  if (!validCol(c) || twips < -1) {
    qCWarning(lcForms, "grid ColWidth: column %d width %d refused", c, twips);
    return false;
  }
  colWidths_[c] = twips;
  invalidateLayout();
  return true;
}

int FlexGrid::rowHeight(int r) const {
  if (!validRow(r)) {
    qCWarning(lcForms, "grid RowHeight: row %d outside 0..%d", r, rows_ - 1);
    return 0;
  }
  return rowHeights_[r] < 0 ? defaultRowHeight_ : rowHeights_[r];
}

bool FlexGrid::setRowHeight(int r, int twips) {
  if (!validRow(r) || twips < -1) {
    qCWarning(lcForms, "grid RowHeight: row %d height %d refused", r, twips);
    return false;
  }
  rowHeights_[r] = twips;
  invalidateLayout();
  return true;
}

// ---------------------------------------------------------------- alignment

int FlexGrid::colAlignment(int c) const {
  if (!validCol(c)) {
    qCWarning(lcForms, "grid ColAlignment: column %d outside 0..%d", c, cols_ - 1);
    return 0;
  }
  return colAlign_[c];
}

bool FlexGrid::setColAlignment(int c, int a) {
  if (!validCol(c)) {
    qCWarning(lcForms, "grid ColAlignment: column %d outside 0..%d", c, cols_ - 1);
    return false;
  }
  if (!checkAlignment("ColAlignment", a)) return false;
  colAlign_[c] = static_cast<qint8>(a);
  update();
  return true;
}

int FlexGrid::fixedAlignment(int c) const {
  if (!validCol(c)) {
    qCWarning(lcForms, "grid FixedAlignment: column %d outside 0..%d", c, cols_ - 1);
    return 0;
  }
  return fixedAlign_[c];
}

bool FlexGrid::setFixedAlignment(int c, int a) {
  if (!validCol(c)) {
    qCWarning(lcForms, "grid FixedAlignment: column %d outside 0..%d", c, cols_ - 1);
    return false;
  }
  if (a != -1 && !checkAlignment("FixedAlignment", a)) return false;
  fixedAlign_[c] = static_cast<qint8>(a);
  update();
  return true;
}

int FlexGrid::effectiveAlignment(int r, int c) const {
  const Cell &x = cell(r, c);
  if (x.align >= 0) return x.align;
  if (isFixed(r, c) && fixedAlign_[c] >= 0) return fixedAlign_[c];
  return colAlign_[c];
}

// ---------------------------------------------------------------- current cell's look

Rgb FlexGrid::cellBackColor() const {
  return checkCell("CellBackColor", row_, col_) ? cell(row_, col_).back : 0;
}

bool FlexGrid::setCellBackColor(Rgb c) {
  if (!checkCell("CellBackColor", row_, col_)) return false;
  cell(row_, col_).back = c;
  update();
  return true;
}

Rgb FlexGrid::cellForeColor() const {
  return checkCell("CellForeColor", row_, col_) ? cell(row_, col_).fore : 0;
}

bool FlexGrid::setCellForeColor(Rgb c) {
  if (!checkCell("CellForeColor", row_, col_)) return false;
  cell(row_, col_).fore = c;
  update();
  return true;
}

int FlexGrid::cellAlignment() const {
  return checkCell("CellAlignment", row_, col_) ? effectiveAlignment(row_, col_) : 0;
}

bool FlexGrid::setCellAlignment(int a) {
  if (!checkCell("CellAlignment", row_, col_) || !checkAlignment("CellAlignment", a)) return false;
  cell(row_, col_).align = static_cast<qint8>(a);
  update();
  return true;
}

QPixmap FlexGrid::cellPicture() const {
  if (!checkCell("CellPicture", row_, col_)) return {};
  const auto it = pictures_.find({row_, col_});
  return it == pictures_.end() ? QPixmap() : it->second;
}

bool FlexGrid::setCellPicture(const QPixmap &picture) {
  if (!checkCell("CellPicture", row_, col_)) return false;
  if (picture.isNull())
    pictures_.erase({row_, col_});
  else
    pictures_[{row_, col_}] = picture;
  update();
  return true;
}

// ---------------------------------------------------------------- geometry

int FlexGrid::fixedHeight() const {
  int h = 0;
  for (int r = 0; r < fixedRows_; ++r)
    h += rowHeight(r);
  return h;
}

int FlexGrid::fixedWidth() const {
  int w = 0;
  for (int c = 0; c < fixedCols_; ++c)
    w += colWidth(c);
  return w;
}

int FlexGrid::rowPos(int r) const {
  if (!validRow(r)) return 0;
  ensureLayout();
  int y = 0;
  if (r < fixedRows_) {
    for (int i = 0; i < r; ++i)
      y += rowHeight(i);
    return y;
  }
  y = fixedHeight();
  for (int i = topRow_; i < r; ++i)
    y += rowHeight(i);
  for (int i = r; i < topRow_; ++i)
    y -= rowHeight(i);
  return y;
}

int FlexGrid::colPos(int c) const {
  if (!validCol(c)) return 0;
  ensureLayout();
  int x = 0;
  if (c < fixedCols_) {
    for (int i = 0; i < c; ++i)
      x += colWidth(i);
    return x;
  }
  x = fixedWidth();
  for (int i = leftCol_; i < c; ++i)
    x += colWidth(i);
  for (int i = c; i < leftCol_; ++i)
    x -= colWidth(i);
  return x;
}

int FlexGrid::cellLeft() const {
  return checkCell("CellLeft", row_, col_) ? colPos(col_) : 0;
}
int FlexGrid::cellTop() const {
  return checkCell("CellTop", row_, col_) ? rowPos(row_) : 0;
}
int FlexGrid::cellWidth() const {
  return checkCell("CellWidth", row_, col_) ? colWidth(col_) : 0;
}
int FlexGrid::cellHeight() const {
  return checkCell("CellHeight", row_, col_) ? rowHeight(row_) : 0;
}

// ---------------------------------------------------------------- colours and lines

void FlexGrid::setBackColorFixed(Rgb c) {
  backFixed_ = c;
  update();
}
void FlexGrid::setForeColorFixed(Rgb c) {
  foreFixed_ = c;
  update();
}
void FlexGrid::setBackColorSel(Rgb c) {
  backSel_ = c;
  update();
}
void FlexGrid::setForeColorSel(Rgb c) {
  foreSel_ = c;
  update();
}
void FlexGrid::setBackColorBkg(Rgb c) {
  backBkg_ = c;
  update();
}
void FlexGrid::setGridColor(Rgb c) {
  gridColor_ = c;
  update();
}

bool FlexGrid::setGridLines(int style) {
  if (style < 0 || style > 3) {
    qCWarning(lcForms, "grid GridLines: %d refused", style);
    return false;
  }
  gridLines_ = style;
  update();
  return true;
}

bool FlexGrid::setGridLinesFixed(int style) {
  if (style < 0 || style > 3) {
    qCWarning(lcForms, "grid GridLinesFixed: %d refused", style);
    return false;
  }
  gridLinesFixed_ = style;
  update();
  return true;
}

// ---------------------------------------------------------------- layout and scrolling

void FlexGrid::invalidateLayout() {
  if (!layoutDirty_) {
    layoutDirty_ = true;
    QCoreApplication::postEvent(this, new QEvent(QEvent::LayoutRequest));
  }
  update();
}

bool FlexGrid::event(QEvent *e) {
  if (e->type() == QEvent::LayoutRequest) {
    ensureLayout();
    return true;
  }
  return Control::event(e);
}

// The first row such that it and every row after it fit below the fixed
// rows; the last row when even that one alone does not fit.
int FlexGrid::maxTopRow(int viewHeightPx) const {
  if (rows_ <= fixedRows_) return fixedRows_;
  const int fixed = fixedHeight();
  int acc = 0;
  int t = rows_;
  while (t > fixedRows_) {
    const int next = acc + rowHeight(t - 1);
    if (toPixels(fixed + next) > viewHeightPx && t < rows_) break;
    acc = next;
    --t;
  }
  return std::max(fixedRows_, std::min(t, rows_ - 1));
}

int FlexGrid::maxLeftCol(int viewWidthPx) const {
  if (cols_ <= fixedCols_) return fixedCols_;
  const int fixed = fixedWidth();
  int acc = 0;
  int t = cols_;
  while (t > fixedCols_) {
    const int next = acc + colWidth(t - 1);
    if (toPixels(fixed + next) > viewWidthPx && t < cols_) break;
    acc = next;
    --t;
  }
  return std::max(fixedCols_, std::min(t, cols_ - 1));
}

QRect FlexGrid::viewport() const {
  ensureLayout();
  return QRect(0, 0, QWidget::width() - (vbar_->isVisibleTo(this) ? vbar_->width() : 0),
               QWidget::height() - (hbar_->isVisibleTo(this) ? hbar_->height() : 0));
}

void FlexGrid::ensureLayout() const {
  if (!layoutDirty_) return;
  layoutDirty_ = false;
  const int w = QWidget::width(), h = QWidget::height();
  const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  bool needV = false, needH = false;
  int vw = w, vh = h;
  // Each bar takes room from the other direction; two rounds settle it.
  for (int round = 0; round < 3; ++round) {
    maxTop_ = maxTopRow(vh);
    maxLeft_ = maxLeftCol(vw);
    needV = (scrollBars_ & 2) && maxTop_ > fixedRows_;
    needH = (scrollBars_ & 1) && maxLeft_ > fixedCols_;
    vw = w - (needV ? extent : 0);
    vh = h - (needH ? extent : 0);
  }
  maxTop_ = maxTopRow(vh);
  maxLeft_ = maxLeftCol(vw);
  topRow_ = std::clamp(topRow_, fixedRows_, std::max(fixedRows_, maxTop_));
  leftCol_ = std::clamp(leftCol_, fixedCols_, std::max(fixedCols_, maxLeft_));

  syncing_ = true;
  vbar_->setGeometry(w - extent, 0, extent, std::max(0, vh));
  hbar_->setGeometry(0, h - extent, std::max(0, vw), extent);
  vbar_->setRange(0, std::max(0, maxTop_ - fixedRows_));
  hbar_->setRange(0, std::max(0, maxLeft_ - fixedCols_));
  vbar_->setValue(topRow_ - fixedRows_);
  hbar_->setValue(leftCol_ - fixedCols_);
  // A page is the rows that fit below the fixed ones.
  int page = 0;
  for (int r = topRow_, y = fixedHeight(); r < rows_; ++r) {
    y += rowHeight(r);
    if (toPixels(y) > vh) break;
    ++page;
  }
  vbar_->setPageStep(std::max(1, page));
  int pageCols = 0;
  for (int c = leftCol_, x = fixedWidth(); c < cols_; ++c) {
    x += colWidth(c);
    if (toPixels(x) > vw) break;
    ++pageCols;
  }
  hbar_->setPageStep(std::max(1, pageCols));
  vbar_->setVisible(needV);
  hbar_->setVisible(needH);
  syncing_ = false;
}

void FlexGrid::onBarMoved() {
  if (syncing_) return;
  const int top = fixedRows_ + vbar_->value();
  const int left = fixedCols_ + hbar_->value();
  if (top == topRow_ && left == leftCol_) return;
  topRow_ = top;
  leftCol_ = left;
  update();
  emit scrolled();
}

bool FlexGrid::setScrollBars(int which) {
  if (which < 0 || which > 3) {
    qCWarning(lcForms, "grid ScrollBars: %d refused", which);
    return false;
  }
  scrollBars_ = which;
  invalidateLayout();
  return true;
}

int FlexGrid::topRow() const {
  ensureLayout();
  return topRow_;
}

bool FlexGrid::setTopRow(int r) {
  if (!validRow(r) || r < fixedRows_) {
    qCWarning(lcForms, "grid TopRow: %d outside %d..%d", r, fixedRows_, rows_ - 1);
    return false;
  }
  ensureLayout();
  const int t = std::clamp(r, fixedRows_, std::max(fixedRows_, maxTop_));
  if (t != topRow_) {
    topRow_ = t;
    layoutDirty_ = true;
    ensureLayout();
    update();
    emit scrolled();
  }
  return true;
}

int FlexGrid::leftCol() const {
  ensureLayout();
  return leftCol_;
}

bool FlexGrid::setLeftCol(int c) {
  if (!validCol(c) || c < fixedCols_) {
    qCWarning(lcForms, "grid LeftCol: %d outside %d..%d", c, fixedCols_, cols_ - 1);
    return false;
  }
  ensureLayout();
  const int t = std::clamp(c, fixedCols_, std::max(fixedCols_, maxLeft_));
  if (t != leftCol_) {
    leftCol_ = t;
    layoutDirty_ = true;
    ensureLayout();
    update();
    emit scrolled();
  }
  return true;
}

void FlexGrid::showCell(int r, int c) {
  if (!validRow(r) || !validCol(c)) return;
  const QRect vp = viewport();
  if (r >= fixedRows_) {
    if (r < topRow_) {
      setTopRow(r);
    } else {
      // Move the top down until row r ends inside the viewport.
      int t = topRow_;
      auto bottom = [&](int top) {
        int y = fixedHeight();
        for (int i = top; i <= r; ++i)
          y += rowHeight(i);
        return toPixels(y);
      };
      while (t < r && bottom(t) > vp.height())
        ++t;
      if (t != topRow_) setTopRow(t);
    }
  }
  if (c >= fixedCols_) {
    if (c < leftCol_) {
      setLeftCol(c);
    } else {
      int t = leftCol_;
      auto right = [&](int left) {
        int x = fixedWidth();
        for (int i = left; i <= c; ++i)
          x += colWidth(i);
        return toPixels(x);
      };
      while (t < c && right(t) > vp.width())
        ++t;
      if (t != leftCol_) setLeftCol(t);
    }
  }
}

// ---------------------------------------------------------------- hit testing

std::pair<int, int> FlexGrid::cellAt(QPoint p) const {
  bool inside = false;
  return hit(p, &inside);
}

std::pair<int, int> FlexGrid::hit(QPoint p, bool *inside) const {
  ensureLayout();
  *inside = p.x() >= 0 && p.y() >= 0;
  auto find = [&](int pos, int count, int fixed, int first, auto size) {
    int acc = 0;
    for (int i = 0; i < fixed; ++i) {
      acc += size(i);
      if (pos < toPixels(acc)) return i;
    }
    for (int i = first; i < count; ++i) {
      acc += size(i);
      if (pos < toPixels(acc)) return i;
    }
    *inside = false;
    return std::max(0, count - 1);
  };
  const int y = std::max(0, p.y()), x = std::max(0, p.x());
  const int r = find(y, rows_, fixedRows_, topRow_, [this](int i) { return rowHeight(i); });
  const int c = find(x, cols_, fixedCols_, leftCol_, [this](int i) { return colWidth(i); });
  return {r, c};
}

void FlexGrid::updateMouseCell(QPoint p) {
  const auto [r, c] = cellAt(p);
  mouseRow_ = r;
  mouseCol_ = c;
}

// ---------------------------------------------------------------- events

void FlexGrid::mousePressEvent(QMouseEvent *e) {
  if (!isEnabled()) return;
  const QPoint p = e->position().toPoint();
  bool inside = false;
  const auto [r, c] = hit(p, &inside);
  mouseRow_ = r;
  mouseCol_ = c;
  if (e->button() == Qt::LeftButton && inside && validRow(r) && validCol(c) && !isFixed(r, c)) {
    setCurrent(r, c);
    selecting_ = true;
  }
  Control::mousePressEvent(e);
}

void FlexGrid::mouseMoveEvent(QMouseEvent *e) {
  if (!isEnabled()) return;
  updateMouseCell(e->position().toPoint());
  if (selecting_ && (e->buttons() & Qt::LeftButton) && validRow(mouseRow_) && validCol(mouseCol_)) {
    const int r = std::max(mouseRow_, std::min(fixedRows_, rows_ - 1));
    const int c = std::max(mouseCol_, std::min(fixedCols_, cols_ - 1));
    if (r != rowSel_ || c != colSel_) {
      rowSel_ = r;
      colSel_ = c;
      update();
    }
  }
  Control::mouseMoveEvent(e);
}

void FlexGrid::mouseReleaseEvent(QMouseEvent *e) {
  if (!isEnabled()) return;
  updateMouseCell(e->position().toPoint());
  selecting_ = false;
  Control::mouseReleaseEvent(e);
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent *e) {
  if (!isEnabled()) return;
  updateMouseCell(e->position().toPoint());
  Control::mouseDoubleClickEvent(e);
}

void FlexGrid::wheelEvent(QWheelEvent *e) {
  if (!isEnabled()) {
    e->ignore();
    return;
  }
  ensureLayout();
  if (maxTop_ <= fixedRows_ && maxLeft_ <= fixedCols_) {
    // Every cell shows: the wheel scrolls whatever holds the grid.
    e->ignore();
    return;
  }
  wheelRemainder_ += e->angleDelta().y() != 0 ? e->angleDelta().y() : e->angleDelta().x();
  const int steps = wheelRemainder_ / 120;
  wheelRemainder_ %= 120;
  if (steps == 0) {
    e->accept();
    return;
  }
  const bool horizontal = (e->modifiers() & Qt::ShiftModifier) || maxTop_ <= fixedRows_;
  if (horizontal && maxLeft_ > fixedCols_) {
    const int to = std::clamp(leftCol_ - steps, fixedCols_, maxLeft_);
    if (to != leftCol_) setLeftCol(to);
  } else if (maxTop_ > fixedRows_) {
    const int to = std::clamp(topRow_ - steps * kWheelRows, fixedRows_, maxTop_);
    if (to != topRow_) setTopRow(to);
  }
  e->accept();
}

void FlexGrid::keyPressEvent(QKeyEvent *e) {
  const int firstRow = std::min(fixedRows_, rows_ - 1), firstCol = std::min(fixedCols_, cols_ - 1);
  if (rows_ == 0 || cols_ == 0 || isFixed(rows_ - 1, cols_ - 1)) {
    Control::keyPressEvent(e);
    return;
  }
  int r = std::max(row_, firstRow), c = std::max(col_, firstCol);
  const int page = std::max(1, vbar_->pageStep());
  switch (e->key()) {
  case Qt::Key_Up:
    --r;
    break;
  case Qt::Key_Down:
    ++r;
    break;
  case Qt::Key_Left:
    --c;
    break;
  case Qt::Key_Right:
    ++c;
    break;
  case Qt::Key_PageUp:
    r -= page;
    break;
  case Qt::Key_PageDown:
    r += page;
    break;
  case Qt::Key_Home:
    c = firstCol;
    if (e->modifiers() & Qt::ControlModifier) r = firstRow;
    break;
  case Qt::Key_End:
    c = cols_ - 1;
    if (e->modifiers() & Qt::ControlModifier) r = rows_ - 1;
    break;
  default:
    Control::keyPressEvent(e);
    return;
  }
  r = std::clamp(r, firstRow, rows_ - 1);
  c = std::clamp(c, firstCol, cols_ - 1);
  setCurrent(r, c);
  showCell(r, c);
  e->accept();
}

void FlexGrid::resizeEvent(QResizeEvent *e) {
  layoutDirty_ = true;
  ensureLayout();
  Control::resizeEvent(e);
}

void FlexGrid::showEvent(QShowEvent *e) {
  ensureLayout();
  Control::showEvent(e);
}

void FlexGrid::changeEvent(QEvent *e) {
  if (e->type() == QEvent::FontChange) {
    defaultRowHeight_ = toTwips(fontMetrics().height() + 3);
    invalidateLayout();
  } else if (e->type() == QEvent::EnabledChange) {
    selecting_ = false;
    update();
  }
  Control::changeEvent(e);
}

// ---------------------------------------------------------------- painting

void FlexGrid::paintCell(QPainter &p, int r, int c, const QRect &rect) const {
  const Cell &x = cell(r, c);
  const bool fixed = isFixed(r, c);
  const bool current = r == row_ && c == col_;
  const bool selected = !fixed && !current && inSelection(r, c);
  Rgb back, fore;
  if (selected) {
    back = backSel_;
    fore = foreSel_;
  } else {
    back = x.back ? x.back : fixed ? backFixed_ : backColor();
    fore = x.fore ? x.fore : fixed ? foreFixed_ : foreColor();
  }
  const QColor backQ = toQColor(back);
  p.fillRect(rect, backQ);

  QRect inner = rect.adjusted(kTextMarginPx, 0, -kTextMarginPx - 1, -1);
  const auto pic = pictures_.empty() ? pictures_.end() : pictures_.find({r, c});
  if (pic != pictures_.end()) {
    const QPixmap &pm = pic->second;
    const QSize s = pm.deviceIndependentSize().toSize();
    const QPoint at(rect.left() + 1, rect.top() + (rect.height() - s.height()) / 2);
    p.save();
    p.setClipRect(rect);
    p.drawPixmap(at, pm);
    p.restore();
  }
  if (!x.text.isEmpty() && inner.width() > 0 && inner.height() > 0) {
    p.setPen(toQColor(fore));
    // drawText clips to the rectangle it is given.
    const Qt::Alignment a = qtAlignment(effectiveAlignment(r, c), x.text);
    p.drawText(inner, static_cast<int>(a) | Qt::TextSingleLine, x.text);
  }

  const int style = fixed ? gridLinesFixed_ : gridLines_;
  if (style != 0 && rect.width() > 0 && rect.height() > 0) {
    const QLine right(rect.topRight(), rect.bottomRight());
    const QLine bottom(rect.bottomLeft(), rect.bottomRight());
    if (style == 1) {
      p.setPen(fixed ? backQ.darker(200) : toQColor(gridColor_));
      p.drawLine(right);
      p.drawLine(bottom);
    } else {
      // 3-D: light edge on one side, dark on the other (2 raised-looking
      // headers, 3 the reverse).
      const QColor light = backQ.lighter(160), dark = backQ.darker(180);
      const QColor &tl = style == 2 ? light : dark;
      const QColor &br = style == 2 ? dark : light;
      p.setPen(tl);
      p.drawLine(rect.topLeft(), rect.topRight());
      p.drawLine(rect.topLeft(), rect.bottomLeft());
      p.setPen(br);
      p.drawLine(right);
      p.drawLine(bottom);
    }
  }

  if (current && !fixed && hasFocus()) {
    QPen pen(toQColor(fore));
    pen.setStyle(Qt::DotLine);
    p.setPen(pen);
    p.drawRect(rect.adjusted(1, 1, -2, -2));
  }
}

void FlexGrid::paintEvent(QPaintEvent *e) {
  ensureLayout();
  QPainter p(this);
  const QRect vp = viewport();
  p.setClipRect(vp.intersected(e->rect()));
  p.setFont(font());
  p.fillRect(vp, toQColor(backBkg_));

  // Visible rows and columns with their pixel spans: fixed ones first, then
  // the scrolled ones from TopRow / LeftCol until the viewport is full.
  struct Span {
    int index, from, to;
  };
  auto spans = [](int count, int fixed, int first, int limit, auto size) {
    std::vector<Span> out;
    int acc = 0;
    auto add = [&](int i) {
      const int from = toPixels(acc);
      if (from >= limit) return false;
      acc += size(i);
      const int to = toPixels(acc);
      if (to > from) out.push_back({i, from, to});
      return true;
    };
    for (int i = 0; i < fixed && i < count; ++i)
      if (!add(i)) return out;
    for (int i = first; i < count; ++i)
      if (!add(i)) break;
    return out;
  };
  const auto rowSpans =
      spans(rows_, fixedRows_, topRow_, vp.height(), [this](int i) { return rowHeight(i); });
  const auto colSpans =
      spans(cols_, fixedCols_, leftCol_, vp.width(), [this](int i) { return colWidth(i); });
  const QRect dirty = e->rect();
  for (const Span &rs : rowSpans) {
    if (rs.to <= dirty.top() || rs.from > dirty.bottom()) continue;
    for (const Span &cs : colSpans) {
      if (cs.to <= dirty.left() || cs.from > dirty.right()) continue;
      paintCell(p, rs.index, cs.index, QRect(cs.from, rs.from, cs.to - cs.from, rs.to - rs.from));
    }
  }
}

} // namespace dorrin::forms
