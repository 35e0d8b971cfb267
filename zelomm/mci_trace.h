#pragma once
// Passes every media control string through to another interface and logs it,
// with its result and reply, to the category "dorrin.zelomm.mci" at debug
// level (off unless enabled, e.g. QT_LOGGING_RULES="dorrin.zelomm.mci.debug=true").
#include "platform/mci/mci.h"

#include <QLoggingCategory>

namespace dorrin::zelomm {

Q_DECLARE_LOGGING_CATEGORY(lcZelommMci)

class TracingApi final : public mci::Api {
public:
  explicit TracingApi(mci::Api &inner) : inner_(inner) {}
  mci::MCIERROR sendString(const char *command, char *reply, unsigned length,
                           win::HWND callback) override;
  bool getErrorString(mci::MCIERROR error, char *text, unsigned length) override {
    return inner_.getErrorString(error, text, length);
  }
  mci::MCIDEVICEID getDeviceID(const char *name) override { return inner_.getDeviceID(name); }

private:
  mci::Api &inner_;
};

} // namespace dorrin::zelomm
