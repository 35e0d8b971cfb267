#pragma once
// The ZELOMM control as a widget a Qt form places under the class name
// "Zelomm" (Qt Designer, QUiLoader, uic): it creates the control through its
// registered class, shows the control's bar inside itself, and offers the
// saved properties as Qt properties, so a .ui file keeps them.
#include "platform/com/host.h"

#include <QWidget>
#include <memory>

class Zelomm : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QString DeviceType READ deviceType WRITE setDeviceType)
  Q_PROPERTY(QString FileName READ fileName WRITE setFileName)
  Q_PROPERTY(int UpdateInterval READ updateInterval WRITE setUpdateInterval)
  Q_PROPERTY(int BevelWidth READ bevelWidth WRITE setBevelWidth)
  // The control's stock Enabled, one with this widget's own enabled state
  // (code from uic sets it through QWidget::setEnabled).
  Q_PROPERTY(bool Enabled READ controlEnabled WRITE setControlEnabled)

public:
  explicit Zelomm(QWidget *parent = nullptr);
  ~Zelomm() override;

  // Registers the shipped control library (found beside this code's own
  // file or the program) unless its class is registered to an existing file.
  static bool ensureRegistered();

  // False when the control could not be created (the reason is logged).
  bool isValid() const { return host_ != nullptr; }
  dorrin::com::ControlHost *host() const { return host_.get(); }
  // While designing a form, property changes mark the form modified.
  void setDesignMode(bool design);

  QString deviceType() const;
  void setDeviceType(const QString &v);
  QString fileName() const;
  void setFileName(const QString &v);
  int updateInterval() const;
  void setUpdateInterval(int v);
  int bevelWidth() const;
  void setBevelWidth(int v);
  bool controlEnabled() const;
  void setControlEnabled(bool v);

  // The run-time members a program uses most.
  Q_INVOKABLE void setCommand(const QString &word);
  Q_INVOKABLE int error() const;
  Q_INVOKABLE QString errorMessage() const;
  Q_INVOKABLE int mode() const;
  Q_INVOKABLE int position() const;
  Q_INVOKABLE int length() const;
  // Shows the control's property pages (modal).
  Q_INVOKABLE void showPropertyPages();

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

signals:
  void Done();
  void StatusUpdate();
  void Click();
  // A design-time change to a saved property.
  void controlChanged();

protected:
  void resizeEvent(QResizeEvent *e) override;
  void changeEvent(QEvent *e) override;
  bool eventFilter(QObject *watched, QEvent *e) override;

private:
  dorrin::com::Variant get(dorrin::com::DISPID id) const;
  void put(dorrin::com::DISPID id, dorrin::com::Variant v);
  void passEnabled();

  std::unique_ptr<dorrin::com::ControlHost> host_;
  QWidget *bar_ = nullptr;
};
