// resize_pass: one resize pass of KtResizer over a form of 500 controls (with
// fonts), and the drift after 1,000 random resize steps (must be 0 px).
// Runs offscreen: QT_QPA_PLATFORM=offscreen ./resize_pass
#include "platform/com/host.h"
#include "resizer/ktresizer_object.h"
#include "resizer/ktresz30_ids.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <cstdio>
#include <vector>

using namespace dorrin;

namespace {
void settle() {
  for (int i = 0; i < 3; ++i)
    QCoreApplication::sendPostedEvents();
}
} // namespace

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  QWidget form;
  form.resize(1000, 800);
  std::vector<QWidget *> controls;
  std::vector<QRect> design;
  for (int i = 0; i < 500; ++i) {
    const int col = i % 25, row = i / 25;
    QWidget *w = i % 2 ? static_cast<QWidget *>(new QLabel(QStringLiteral("칸 %1").arg(i), &form))
                       : new QPushButton(QStringLiteral("%1").arg(i), &form);
    QFont f = w->font();
    f.setPointSizeF(8 + i % 5);
    w->setFont(f);
    w->setGeometry(col * 40 + 2, row * 40 + 2, 36, 34);
    controls.push_back(w);
    design.push_back(w->geometry());
  }
  auto *object = new resizer::KtResizerObject();
  std::unique_ptr<com::ControlHost> host;
  if (com::failed(com::ControlHost::attach(static_cast<com::IDispatch *>(object),
                                           resizer::DIID_DKtResizerEvents, &form, &host))) {
    std::fprintf(stderr, "resize_pass: the resizer could not be sited\n");
    return 1;
  }
  object->Release();
  host->setAmbient(com::DISPID_AMBIENT_SCALEUNITS, "pixels");
  form.show();
  settle();

  constexpr int kPasses = 200;
  QElapsedTimer t;
  t.start();
  for (int i = 0; i < kPasses; ++i) {
    form.resize(i % 2 ? 1000 : 1400, i % 2 ? 800 : 1000);
    settle();
  }
  const double perPass = t.nsecsElapsed() / 1e6 / kPasses;
  std::printf("pass over 500 controls with fonts: %.2f ms (mean of %d passes)\n", perPass, kPasses);

  QRandomGenerator rng(7);
  for (int i = 0; i < 1000; ++i) {
    form.resize(300 + rng.bounded(1700), 200 + rng.bounded(1300));
    settle();
  }
  form.resize(1000, 800);
  settle();
  int drift = 0;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const QRect g = controls[i]->geometry();
    drift = std::max({drift, std::abs(g.x() - design[i].x()), std::abs(g.y() - design[i].y()),
                      std::abs(g.width() - design[i].width()),
                      std::abs(g.height() - design[i].height())});
  }
  std::printf("drift after 1000 random resize steps: %d px (largest over 500 controls)\n", drift);
  return drift == 0 ? 0 : 1;
}
