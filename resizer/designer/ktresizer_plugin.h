#pragma once
// The Qt Designer plugin of KtResizer: the widget box entry (group "Ambrel"),
// its default .ui snippet, and the widget in design mode while Designer
// edits a form (QUiLoader, which never initialises plugins, gets run-time
// widgets).
#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

class KtResizerPlugin : public QObject, public QDesignerCustomWidgetInterface {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetInterface")
  Q_INTERFACES(QDesignerCustomWidgetInterface)
public:
  explicit KtResizerPlugin(QObject *parent = nullptr);

  QString name() const override;
  QString group() const override;
  QString toolTip() const override;
  QString whatsThis() const override;
  QString includeFile() const override;
  QIcon icon() const override;
  bool isContainer() const override;
  QWidget *createWidget(QWidget *parent) override;
  bool isInitialized() const override;
  void initialize(QDesignerFormEditorInterface *core) override;
  QString domXml() const override;

private:
  bool initialized_ = false;
};
