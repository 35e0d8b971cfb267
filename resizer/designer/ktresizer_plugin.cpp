#include "resizer/designer/ktresizer_plugin.h"

#include "resizer/widget/ktresizer.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QtDesigner/QDesignerFormWindowInterface>

KtResizerPlugin::KtResizerPlugin(QObject *parent) : QObject(parent) {}

QString KtResizerPlugin::name() const {
  return QStringLiteral("KtResizer");
}
QString KtResizerPlugin::group() const {
  return QStringLiteral("Ambrel");
}
QString KtResizerPlugin::toolTip() const {
  return QStringLiteral("KtResizer Control");
}
QString KtResizerPlugin::whatsThis() const {
  return QStringLiteral("Keeps the other controls of its form in proportion, position and font "
                        "size as the form is resized. Invisible at run time.");
}
QString KtResizerPlugin::includeFile() const {
  return QStringLiteral("resizer/widget/ktresizer.h");
}

QIcon KtResizerPlugin::icon() const {
  QPixmap pm(32, 32);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(40, 60, 120), 2));
  p.setBrush(QColor(220, 228, 245));
  p.drawRect(3, 3, 26, 26);
  p.drawLine(9, 9, 23, 23);
  p.drawLine(9, 9, 15, 9);
  p.drawLine(9, 9, 9, 15);
  p.drawLine(23, 23, 17, 23);
  p.drawLine(23, 23, 23, 17);
  return QIcon(pm);
}

bool KtResizerPlugin::isContainer() const {
  return false;
}

QWidget *KtResizerPlugin::createWidget(QWidget *parent) {
  // On a form Designer is editing the control is in design mode; in
  // Designer's preview and in QUiLoader (which never initialises plugins) it runs.
  const bool designing = initialized_ && QDesignerFormWindowInterface::findFormWindow(parent);
  return new KtResizer(parent, designing ? KtResizer::DesignTime : KtResizer::RunTime);
}

bool KtResizerPlugin::isInitialized() const {
  return initialized_;
}

void KtResizerPlugin::initialize(QDesignerFormEditorInterface *) {
  initialized_ = true;
}

QString KtResizerPlugin::domXml() const {
  return QStringLiteral(R"(<ui language="c++">
 <widget class="KtResizer" name="KtResizer1">
  <property name="geometry"><rect><x>0</x><y>0</y><width>32</width><height>32</height></rect></property>
 </widget>
</ui>
)");
}
