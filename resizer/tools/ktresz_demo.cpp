// ktresz-demo [FORM.ui]: shows a Qt Designer form that holds a KtResizer and
// lets the resizer keep its controls in proportion. Without an argument it
// shows a built-in sample form. Each completed resize pass is reported on
// standard output as "ResizeComplete WIDTHxHEIGHT".
#include "resizer/widget/ktresizer.h"

#include <QApplication>
#include <QFile>
#include <QUiLoader>
#include <cstdio>

namespace {

// Loads KtResizer through the Designer plugin beside the program; when the
// plugin is not there it creates the widget itself.
class FormLoader : public QUiLoader {
public:
  FormLoader() {
    addPluginPath(QCoreApplication::applicationDirPath() + QStringLiteral("/designer"));
    viaPlugin_ = availableWidgets().contains(QStringLiteral("KtResizer"));
  }
  QWidget *createWidget(const QString &className, QWidget *parent, const QString &name) override {
    if (!viaPlugin_ && className == QLatin1String("KtResizer")) {
      auto *w = new KtResizer(parent);
      w->setObjectName(name);
      return w;
    }
    return QUiLoader::createWidget(className, parent, name);
  }

private:
  bool viaPlugin_ = false;
};

// Prints each completed pass with the size of the resizer's container.
class Reporter : public QObject {
  Q_OBJECT
public:
  Reporter(QWidget *resizer) : QObject(resizer), resizer_(resizer) {}
public slots:
  void completed() {
    const QWidget *c = resizer_->parentWidget();
    if (!c) return;
    std::printf("ResizeComplete %dx%d\n", c->width(), c->height());
    std::fflush(stdout);
  }

private:
  QWidget *resizer_;
};

} // namespace

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("ktresz-demo"));
  const QStringList args = QApplication::arguments().mid(1);
  if (args.contains(QStringLiteral("--help"))) {
    std::printf("usage: ktresz-demo [FORM.ui]\n");
    return 0;
  }
  const QString path = args.isEmpty() ? QStringLiteral(":/ktresz/sample_form.ui") : args.first();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "ktresz-demo: cannot open %s: %s\n", qPrintable(path),
                 qPrintable(file.errorString()));
    return 2;
  }
  FormLoader loader;
  QWidget *form = loader.load(&file);
  if (!form) {
    std::fprintf(stderr, "ktresz-demo: %s is not a form: %s\n", qPrintable(path),
                 qPrintable(loader.errorString()));
    return 2;
  }
  int resizers = 0;
  for (QWidget *w : form->findChildren<QWidget *>())
    if (w->inherits("KtResizer")) {
      ++resizers;
      // The plugin's widget class is its own copy: connect by signature.
      QObject::connect(w, SIGNAL(ResizeComplete()), new Reporter(w), SLOT(completed()));
    }
  if (resizers == 0)
    std::fprintf(stderr, "ktresz-demo: %s holds no KtResizer; shown as it is\n", qPrintable(path));
  form->show();
  return QApplication::exec();
}

#include "ktresz_demo.moc"
