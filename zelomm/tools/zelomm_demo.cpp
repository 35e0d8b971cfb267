// zelomm-demo [FILE.wav]
// A small host for the ZELOMM control: the bar on a window, a file opened
// into it (from the command line or "Open..."), and the device's mode,
// position and last error shown as the bar plays, pauses and stops it.
#include "zelomm/designer/zelomm_widget.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString modeName(int mode) {
  switch (mode) {
  case 524:
    return QStringLiteral("not ready");
  case 525:
    return QStringLiteral("stopped");
  case 526:
    return QStringLiteral("playing");
  case 527:
    return QStringLiteral("recording");
  case 528:
    return QStringLiteral("seeking");
  case 529:
    return QStringLiteral("paused");
  case 530:
    return QStringLiteral("open");
  default:
    return QStringLiteral("closed");
  }
}

class DemoWindow : public QWidget {
public:
  DemoWindow() {
    setWindowTitle(QStringLiteral("zelomm-demo"));
    auto *column = new QVBoxLayout(this);
    auto *row = new QHBoxLayout;
    file_ = new QLabel(QStringLiteral("(no file)"), this);
    auto *open = new QPushButton(QStringLiteral("Open..."), this);
    auto *about = new QPushButton(QStringLiteral("Properties..."), this);
    row->addWidget(file_, 1);
    row->addWidget(open);
    row->addWidget(about);
    column->addLayout(row);
    // The bar keeps its own size rules, so it sits in a plain holder.
    auto *holder = new QWidget(this);
    holder->setMinimumSize(297, 40);
    control_ = new Zelomm(holder);
    control_->resize(297, 40);
    column->addWidget(holder);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    column->addWidget(status_);
    column->addStretch(1);

    connect(open, &QPushButton::clicked, this, [this] {
      const QString f = QFileDialog::getOpenFileName(this, QStringLiteral("Open a sound"), {},
                                                     QStringLiteral("Wave files (*.wav)"));
      if (!f.isEmpty()) openFile(f);
    });
    connect(about, &QPushButton::clicked, control_, &Zelomm::showPropertyPages);
    connect(control_, &Zelomm::StatusUpdate, this, &DemoWindow::showStatus);
    connect(control_, &Zelomm::Done, this, [this] {
      showStatus();
      status_->setText(status_->text() + QStringLiteral(" - done"));
    });
    control_->setUpdateInterval(200);
    showStatus();
  }

  bool openFile(const QString &path) {
    if (!control_->isValid()) return false;
    control_->setDeviceType(QStringLiteral("waveaudio"));
    control_->setFileName(QFileInfo(path).absoluteFilePath());
    control_->setCommand(QStringLiteral("open"));
    file_->setText(QFileInfo(path).fileName());
    showStatus();
    return control_->error() == 0;
  }

private:
  void showStatus() {
    if (!control_->isValid()) {
      status_->setText(QStringLiteral("The ZELOMM control is not available."));
      return;
    }
    const int error = control_->error();
    status_->setText(
        QStringLiteral("%1  %2 / %3 ms%4")
            .arg(modeName(control_->mode()))
            .arg(control_->position())
            .arg(control_->length())
            .arg(error ? QStringLiteral("  error %1: %2").arg(error).arg(control_->errorMessage())
                       : QString()));
  }

  Zelomm *control_;
  QLabel *file_, *status_;
};

} // namespace

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  if (args.size() > 1) {
    std::fprintf(stderr, "usage: zelomm-demo [FILE.wav]\n");
    return 2;
  }
  DemoWindow w;
  w.resize(420, 140);
  w.show();
  if (!args.isEmpty() && !w.openFile(args[0]))
    std::fprintf(stderr, "zelomm-demo: cannot open %s\n", qPrintable(args[0]));
  return app.exec();
}
