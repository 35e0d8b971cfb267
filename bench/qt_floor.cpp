// The floor for the organiser's start-up: a bare Qt window with one Hangul
// label, timed as dorrin --smoke times itself: from process start to the end
// of building the window ("load") and to its first paint. Prints one line in
// the same form and exits.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <cstdio>

namespace {

class FirstPaint : public QObject {
public:
  QElapsedTimer *clock = nullptr;
  qint64 at = -1;
  bool eventFilter(QObject *o, QEvent *e) override {
    if (e->type() == QEvent::Paint && at < 0) {
      at = clock->elapsed();
      QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    }
    return QObject::eventFilter(o, e);
  }
};

} // namespace

int main(int argc, char **argv) {
  QElapsedTimer clock;
  clock.start();
  QApplication app(argc, argv);
  QLabel label(QStringLiteral("  dorrin  한글 일정 메모 전화  "));
  label.setWindowTitle(QStringLiteral("Dorrin"));
  label.resize(533, 333);
  FirstPaint painted;
  painted.clock = &clock;
  label.installEventFilter(&painted);
  label.show();
  const qint64 loaded = clock.elapsed();
  QTimer::singleShot(10000, [] { QCoreApplication::exit(2); });
  const int rc = QApplication::exec();
  std::printf("load %lld ms, first paint %lld ms\n", static_cast<long long>(loaded),
              static_cast<long long>(painted.at));
  return rc;
}
