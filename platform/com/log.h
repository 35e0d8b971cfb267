#pragma once
#include <QLoggingCategory>

namespace dorrin::com {
Q_DECLARE_LOGGING_CATEGORY(lcCom)
}
