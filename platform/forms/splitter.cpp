#include "platform/forms/splitter.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace dorrin::forms {

SplitterLayout::SplitterLayout(std::vector<int> panesPerColumn, int margin, int bar)
    : margin_(margin), bar_(bar) {
  for (int c = 0; c < static_cast<int>(panesPerColumn.size()); ++c)
    for (int i = 0; i < std::max(1, panesPerColumn[c]); ++i)
      column_.push_back(c);
  widths_.assign(panesPerColumn.size(), 0);
  heights_.assign(column_.size(), 0);
}

void SplitterLayout::setSize(int width, int height) {
  width_ = width;
  height_ = height;
}

int SplitterLayout::firstPane(int col) const {
  return static_cast<int>(std::find(column_.begin(), column_.end(), col) - column_.begin());
}
int SplitterLayout::lastPane(int col) const {
  int last = firstPane(col);
  while (last + 1 < paneCount() && column_[last + 1] == col)
    ++last;
  return last;
}

int SplitterLayout::columnStart(int col) const {
  int x = margin_;
  for (int c = 0; c < col; ++c)
    x += columnWidth(c) + bar_;
  return x;
}

int SplitterLayout::columnWidth(int col) const {
  if (col + 1 < columnCount()) return widths_[col];
  int used = margin_ * 2 + bar_ * (columnCount() - 1);
  for (int c = 0; c + 1 < columnCount(); ++c)
    used += widths_[c];
  return std::max(0, width_ - used);
}

int SplitterLayout::paneTop(int pane) const {
  int y = margin_;
  for (int p = firstPane(column_[pane]); p < pane; ++p)
    y += paneHeight(p) + bar_;
  return y;
}

int SplitterLayout::paneWidth(int pane) const {
  return pane >= 0 && pane < paneCount() ? columnWidth(column_[pane]) : 0;
}

int SplitterLayout::paneHeight(int pane) const {
  if (pane < 0 || pane >= paneCount()) return 0;
  const int col = column_[pane];
  if (pane != lastPane(col)) return heights_[pane];
  int used = margin_ * 2;
  for (int p = firstPane(col); p < pane; ++p)
    used += heights_[p] + bar_;
  return std::max(0, height_ - used);
}

void SplitterLayout::setPaneWidth(int pane, int twips) {
  if (pane < 0 || pane >= paneCount()) return;
  const int col = column_[pane];
  if (col + 1 < columnCount()) {
    widths_[col] = std::max(0, twips);
  } else if (col > 0) {
    // The last column takes the rest: move the bar before it.
    const int before = width_ - margin_ - bar_ - std::max(0, twips) - columnStart(col - 1);
    widths_[col - 1] = std::max(0, before);
  }
}

void SplitterLayout::setPaneHeight(int pane, int twips) {
  if (pane < 0 || pane >= paneCount()) return;
  const int col = column_[pane];
  if (pane != lastPane(col)) {
    heights_[pane] = std::max(0, twips);
  } else if (pane > firstPane(col)) {
    const int before = height_ - margin_ - bar_ - std::max(0, twips) - paneTop(pane - 1);
    heights_[pane - 1] = std::max(0, before);
  }
}

QRect SplitterLayout::paneRect(int pane) const {
  if (pane < 0 || pane >= paneCount()) return {};
  return QRect(columnStart(column_[pane]), paneTop(pane), paneWidth(pane), paneHeight(pane));
}

std::vector<SplitterLayout::Bar> SplitterLayout::bars() const {
  std::vector<Bar> out;
  if (bar_ <= 0) return out;
  for (int c = 0; c + 1 < columnCount(); ++c)
    out.push_back({QRect(columnStart(c) + columnWidth(c), 0, bar_, height_), true, c});
  for (int p = 0; p < paneCount(); ++p) {
    if (p == lastPane(column_[p])) continue;
    const QRect r = paneRect(p);
    out.push_back({QRect(r.left(), r.top() + r.height(), r.width(), bar_), false, p});
  }
  return out;
}

void SplitterLayout::dragBar(const Bar &bar, int delta) {
  if (bar.vertical)
    widths_[bar.index] = std::max(0, widths_[bar.index] + delta);
  else
    heights_[bar.index] = std::max(0, heights_[bar.index] + delta);
}

KtSplitter::KtSplitter(QWidget *parent, std::vector<int> panesPerColumn, int margin, int bar)
    : Control(parent), layout_(std::move(panesPerColumn), margin, bar) {
  controls_.assign(layout_.paneCount(), nullptr);
  setMouseTracking(true);
}

void KtSplitter::setPaneWidth(int pane, int twips) {
  if (pane < 0 || pane >= paneCount()) return;
  layout_.setSize(width(), height());
  layout_.setPaneWidth(pane, twips);
  applyLayout();
}

void KtSplitter::setPaneHeight(int pane, int twips) {
  if (pane < 0 || pane >= paneCount()) return;
  layout_.setSize(width(), height());
  layout_.setPaneHeight(pane, twips);
  applyLayout();
}

void KtSplitter::setPaneControl(int pane, QWidget *control) {
  if (pane < 0 || pane >= paneCount()) return;
  controls_[pane] = control;
  if (control) control->setParent(this);
  applyLayout();
}

QWidget *KtSplitter::paneControl(int pane) const {
  return pane >= 0 && pane < paneCount() ? controls_[pane] : nullptr;
}

void KtSplitter::applyLayout() {
  layout_.setSize(width(), height());
  for (int p = 0; p < paneCount(); ++p) {
    QWidget *c = controls_[p];
    if (!c) continue;
    const QRect r = layout_.paneRect(p);
    if (auto *ctl = qobject_cast<Control *>(c)) {
      ctl->place(r.left(), r.top(), r.width(), r.height());
    } else {
      c->setGeometry(toPixels(r.left()), toPixels(r.top()), toPixels(r.width()),
                     toPixels(r.height()));
    }
  }
  update();
  emit panesChanged();
}

void KtSplitter::resizeEvent(QResizeEvent *e) {
  Control::resizeEvent(e);
  applyLayout();
}

void KtSplitter::mousePressEvent(QMouseEvent *e) {
  const QPoint t(toTwips(e->position().toPoint().x()), toTwips(e->position().toPoint().y()));
  const auto bars = layout_.bars();
  dragBar_ = -1;
  for (int i = 0; i < static_cast<int>(bars.size()); ++i)
    if (bars[i].rect.contains(t)) {
      dragBar_ = i;
      dragFrom_ = bars[i].vertical ? t.x() : t.y();
    }
  Control::mousePressEvent(e);
}

void KtSplitter::mouseMoveEvent(QMouseEvent *e) {
  const QPoint t(toTwips(e->position().toPoint().x()), toTwips(e->position().toPoint().y()));
  const auto bars = layout_.bars();
  if (dragBar_ >= 0 && dragBar_ < static_cast<int>(bars.size()) &&
      (e->buttons() & Qt::LeftButton)) {
    const auto &bar = bars[dragBar_];
    const int now = bar.vertical ? t.x() : t.y();
    layout_.dragBar(bar, now - dragFrom_);
    dragFrom_ = now;
    applyLayout();
  } else {
    Qt::CursorShape shape = Qt::ArrowCursor;
    for (const auto &bar : bars)
      if (bar.rect.contains(t)) shape = bar.vertical ? Qt::SplitHCursor : Qt::SplitVCursor;
    setCursor(shape);
  }
  Control::mouseMoveEvent(e);
}

void KtSplitter::mouseReleaseEvent(QMouseEvent *e) {
  dragBar_ = -1;
  Control::mouseReleaseEvent(e);
}

void KtSplitter::paintEvent(QPaintEvent *) {
  QPainter p(this);
  p.fillRect(rect(), toQColor(backColor()));
}

} // namespace dorrin::forms
