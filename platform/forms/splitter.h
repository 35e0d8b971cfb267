#pragma once
// The splitter: panes in one or more columns, separated by draggable bars.
// Each pane hosts one child control, which the splitter keeps at the pane's
// size. Pane sizes are in twips and read back exactly as set.
//
// Panes are numbered down the first column, then down the next: the
// launcher's {2, 2} arrangement gives 0 top-left, 1 bottom-left,
// 2 top-right, 3 bottom-right. Within a column every pane but the last has
// its own height and the last takes the rest; every column but the last has
// its own width and the last takes the rest. Setting the size of a last pane
// moves the bar before it instead.
#include "platform/forms/control.h"

#include <QRect>
#include <vector>

namespace dorrin::forms {

// The pure layout: sizes in, pane rectangles (twips, relative to the
// splitter) out.
class SplitterLayout {
public:
  SplitterLayout(std::vector<int> panesPerColumn, int margin, int bar);

  int paneCount() const { return static_cast<int>(column_.size()); }
  int columnCount() const { return static_cast<int>(widths_.size()); }
  void setSize(int width, int height);
  int totalWidth() const { return width_; }
  int totalHeight() const { return height_; }

  int paneWidth(int pane) const;
  int paneHeight(int pane) const;
  void setPaneWidth(int pane, int twips);
  void setPaneHeight(int pane, int twips);
  QRect paneRect(int pane) const; // twips

  // Bars as rectangles (twips), with what dragging them changes.
  struct Bar {
    QRect rect;
    bool vertical; // a vertical bar between columns (drags left/right)
    int index;     // column index (vertical) or pane index above the bar
  };
  std::vector<Bar> bars() const;
  // Drags a bar by delta twips (the size before it grows by delta).
  void dragBar(const Bar &bar, int delta);

private:
  int columnStart(int col) const;
  int columnWidth(int col) const;
  int paneTop(int pane) const;
  int firstPane(int col) const;
  int lastPane(int col) const;

  std::vector<int> column_;  // column of each pane
  std::vector<int> widths_;  // set width of each column (last one unused)
  std::vector<int> heights_; // set height of each pane (last in column unused)
  int margin_, bar_;
  int width_ = 0, height_ = 0;
};

class KtSplitter : public Control {
  Q_OBJECT
public:
  KtSplitter(QWidget *parent, std::vector<int> panesPerColumn, int margin = 15, int bar = 60);

  int paneCount() const { return layout_.paneCount(); }
  int paneWidth(int pane) const { return layout_.paneWidth(pane); }
  int paneHeight(int pane) const { return layout_.paneHeight(pane); }
  void setPaneWidth(int pane, int twips);
  void setPaneHeight(int pane, int twips);
  // The control shown in a pane; the splitter takes it as its child and keeps
  // it at the pane's size.
  void setPaneControl(int pane, QWidget *control);
  QWidget *paneControl(int pane) const;
  const SplitterLayout &layout() const { return layout_; }

signals:
  void panesChanged();

protected:
  void resizeEvent(QResizeEvent *e) override;
  void mousePressEvent(QMouseEvent *e) override;
  void mouseMoveEvent(QMouseEvent *e) override;
  void mouseReleaseEvent(QMouseEvent *e) override;
  void paintEvent(QPaintEvent *e) override;

private:
  void applyLayout();

  SplitterLayout layout_;
  std::vector<QWidget *> controls_;
  int dragBar_ = -1;
  int dragFrom_ = 0;
};

} // namespace dorrin::forms
