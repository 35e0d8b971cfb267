#include "platform/forms/log.h"

namespace dorrin::forms {
Q_LOGGING_CATEGORY(lcForms, "dorrin.forms")
}
