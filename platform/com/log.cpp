#include "platform/com/log.h"

namespace dorrin::com {
Q_LOGGING_CATEGORY(lcCom, "dorrin.com")
}
