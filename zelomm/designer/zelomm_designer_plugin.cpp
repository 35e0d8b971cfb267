// Qt Designer's entry for the ZELOMM control: the widget box shows it with the
// toolbox picture the control library carries; a placed control is created
// through its registered class and edits its saved properties in design mode.
// QUiLoader uses the same plugin at run time (it never calls initialize), and
// there the control runs in user mode.
#include "platform/com/resources.h"
#include "zelomm/designer/zelomm_widget.h"
#include "zelomm/zelomm_ids.h"

#include <QDesignerFormEditorInterface>
#include <QDesignerFormWindowInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

namespace {

QIcon toolboxIcon() {
  Zelomm::ensureRegistered();
  const QString library = dorrin::com::registeredLibrary(dorrin::zelomm::CLSID_Zelomm);
  const auto xpm = dorrin::com::readLibrarySection(library, "dorrin_toolbox");
  QImage picture;
  if (!xpm || !picture.loadFromData(*xpm, "XPM")) return {};
  return QIcon(QPixmap::fromImage(picture));
}

} // namespace

class ZelommDesignerPlugin : public QObject, public QDesignerCustomWidgetInterface {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetInterface")
  Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
  explicit ZelommDesignerPlugin(QObject *parent = nullptr) : QObject(parent) {}

  QString name() const override { return QStringLiteral("Zelomm"); }
  QString group() const override { return QStringLiteral("Dorrin"); }
  QString toolTip() const override { return QStringLiteral("Zelomm Control"); }
  QString whatsThis() const override {
    return QStringLiteral("A bar of nine buttons (PREV, NEXT, PLAY, PAUSE, STOP, RECORD, BACK, "
                          "STEP, EJECT) that drives a media device by command words.");
  }
  QString includeFile() const override { return QStringLiteral("zelomm/designer/zelomm_widget.h"); }
  QIcon icon() const override {
    if (icon_.isNull()) icon_ = toolboxIcon();
    return icon_;
  }
  bool isContainer() const override { return false; }
  bool isInitialized() const override { return core_ != nullptr; }
  void initialize(QDesignerFormEditorInterface *core) override { core_ = core; }

  QWidget *createWidget(QWidget *parent) override {
    auto *w = new Zelomm(parent);
    if (core_) {
      w->setDesignMode(true);
      connect(w, &Zelomm::controlChanged, w, [w] {
        if (auto *form = QDesignerFormWindowInterface::findFormWindow(w)) form->setDirty(true);
      });
    }
    return w;
  }

  QString domXml() const override {
    return QStringLiteral(R"(<ui language="c++">
 <widget class="Zelomm" name="Zelomm1">
  <property name="geometry">
   <rect><x>0</x><y>0</y><width>234</width><height>33</height></rect>
  </property>
 </widget>
</ui>
)");
  }

private:
  QDesignerFormEditorInterface *core_ = nullptr;
  mutable QIcon icon_;
};

#include "zelomm_designer_plugin.moc"
