// On a real X display with a window manager that frames windows (openbox on
// a private Xvfb, see platform/hotkeys/tests/run_under_xvfb.sh): the size
// limits hold the window's outer size, as the window manager's hints and
// when the user drags the frame's corner; a combo box takes the height of
// its scaled font.
#include "resizer/tests/resizer_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace dorrin::resizer {
namespace {

using test::HostedResizer;
using test::settle;

// Waits (events running) until pred holds or about 5 s have passed.
template <class Pred> bool waitFor(Pred pred) {
  for (int i = 0; i < 250 && !pred(); ++i)
    QTest::qWait(20);
  return pred();
}

// The window manager (openbox, started by with_openbox.sh) is ready once it
// frames a window.
class WindowManager : public ::testing::Environment {
public:
  void SetUp() override {
    if (!qgetenv("DORRIN_XVFB_MISSING").isEmpty() ||
        QGuiApplication::platformName() != QLatin1String("xcb"))
      return;
    QWidget probe;
    probe.resize(100, 100);
    probe.show();
    running = QTest::qWaitForWindowExposed(&probe, 10000) &&
              waitFor([&] { return probe.frameGeometry().size() != probe.size(); });
  }

  static inline bool running = false;
};

const auto *const kWindowManager = ::testing::AddGlobalTestEnvironment(new WindowManager);

class X11Frame : public ::testing::Test {
protected:
  void SetUp() override {
    const QByteArray missing = qgetenv("DORRIN_XVFB_MISSING");
    if (!missing.isEmpty()) GTEST_SKIP() << "no private X server: " << missing.constData();
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
      GTEST_SKIP() << "not on the xcb platform; run through run_under_xvfb.sh";
    if (!WindowManager::running)
      GTEST_SKIP() << "no window manager framed a window (openbox missing?)";
  }

  // Shows the form and waits until the window manager has framed it.
  static void showFramed(QWidget &form) {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ASSERT_TRUE(waitFor([&] { return form.frameGeometry().size() != form.size(); }))
        << "the window manager gave the form no frame";
    QTest::qWait(200); // the frame's events have arrived
    settle();
  }

  // The window manager's minimum and maximum client sizes for the form.
  static std::pair<QSize, QSize> sizeHints(QWidget &form) {
    Display *d = XOpenDisplay(nullptr);
    XSizeHints hints{};
    long supplied = 0;
    XGetWMNormalHints(d, static_cast<Window>(form.winId()), &hints, &supplied);
    XCloseDisplay(d);
    return {(hints.flags & PMinSize) ? QSize(hints.min_width, hints.min_height) : QSize(),
            (hints.flags & PMaxSize) ? QSize(hints.max_width, hints.max_height) : QSize()};
  }

  // Drags the frame's bottom-right grip to the point, as a user does.
  static void dragCorner(QWidget &form, QPoint to) {
    const QPoint grip = form.frameGeometry().bottomRight() - QPoint(10, 2);
    const QString x = QString::number(grip.x()), y = QString::number(grip.y());
    QStringList args{"mousemove", x, y, "sleep", "0.2", "mousedown", "1", "sleep", "0.2"};
    const QPoint step = (to - grip) / 4;
    for (int i = 1; i <= 4; ++i) {
      const QPoint p = i == 4 ? to : grip + step * i;
      args << "mousemove" << QString::number(p.x()) << QString::number(p.y()) << "sleep"
           << "0.1";
    }
    args << "mouseup"
         << "1";
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    ASSERT_TRUE(p.waitForFinished(10000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    QTest::qWait(300);
    settle();
  }
};

struct LimitCase {
  const char *name;
  bool limitsAfterShowing; // else put before the window is framed
  QSize min, max;          // outer sizes; empty: no limit
  QPoint dragBy;           // from the form's frame origin
  QSize outerAfterDrag;
};

void PrintTo(const LimitCase &c, std::ostream *os) {
  *os << c.name;
}

class X11Limits : public X11Frame, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(X11Limits, HoldTheOuterSizeAsHintsAndWhileDragging) {
  const LimitCase &c = GetParam();
  QWidget form;
  form.resize(480, 330);
  auto *button = new QPushButton(QStringLiteral("확인"), &form);
  button->setGeometry(360, 284, 100, 32);
  HostedResizer r(&form);
  auto putLimits = [&] {
    if (!c.min.isEmpty()) {
      ASSERT_EQ(r.put(dispidMinWidth, static_cast<float>(c.min.width())), com::S_OK);
      ASSERT_EQ(r.put(dispidMinHeight, static_cast<float>(c.min.height())), com::S_OK);
    }
    if (!c.max.isEmpty()) {
      ASSERT_EQ(r.put(dispidMaxWidth, static_cast<float>(c.max.width())), com::S_OK);
      ASSERT_EQ(r.put(dispidMaxHeight, static_cast<float>(c.max.height())), com::S_OK);
    }
  };
  if (!c.limitsAfterShowing) putLimits();
  showFramed(form);
  if (c.limitsAfterShowing) putLimits();
  QTest::qWait(200);

  const QSize frame = form.frameGeometry().size() - form.size();
  const auto [min, max] = sizeHints(form);
  if (!c.min.isEmpty()) {
    EXPECT_EQ(min, c.min - frame) << "minimum client size hint";
  }
  if (!c.max.isEmpty()) {
    EXPECT_EQ(max, c.max - frame) << "maximum client size hint";
  }

  dragCorner(form, form.frameGeometry().topLeft() + c.dragBy);
  EXPECT_TRUE(waitFor([&] { return form.frameGeometry().size() == c.outerAfterDrag; }))
      << "outer size " << form.frameGeometry().width() << "x" << form.frameGeometry().height();
  // The controls follow the size the drag reached.
  EXPECT_NEAR(button->x(), 360.0 * form.width() / 480, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Table, X11Limits,
    ::testing::Values(LimitCase{"MinimumPutBeforeFraming", false, QSize(240, 180), QSize(),
                                QPoint(20, 20), QSize(240, 180)},
                      LimitCase{"MinimumPutOnAFramedWindow", true, QSize(300, 200), QSize(),
                                QPoint(20, 20), QSize(300, 200)},
                      LimitCase{"MaximumPutBeforeFraming", false, QSize(), QSize(600, 420),
                                QPoint(900, 700), QSize(600, 420)}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(X11Frame, ComboBoxTakesTheHeightOfItsScaledFont) {
  QWidget form;
  form.resize(400, 300);
  auto *combo = new QComboBox(&form);
  combo->addItem(QStringLiteral("서울"));
  QFont font = combo->font();
  font.setPointSizeF(10);
  combo->setFont(font);
  combo->setGeometry(20, 20, 200, combo->sizeHint().height());
  const int startHeight = combo->height();
  HostedResizer r(&form);
  showFramed(form);

  for (const QSize size : {QSize(800, 600), QSize(240, 180), QSize(400, 300)}) {
    form.resize(size);
    ASSERT_TRUE(waitFor([&] { return form.size() == size; }));
    settle();
    const double scale = std::min(size.width() / 400.0, size.height() / 300.0);
    EXPECT_NEAR(combo->font().pointSizeF(), 10 * scale, 1e-6);
    EXPECT_EQ(combo->height(), combo->sizeHint().height()) << size.width();
    EXPECT_EQ(combo->width(), std::lround(200 * size.width() / 400.0));
  }
  EXPECT_EQ(combo->height(), startHeight) << "back at the design size";
}

} // namespace
} // namespace dorrin::resizer
