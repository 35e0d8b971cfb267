#pragma once
#include <QLoggingCategory>

namespace dorrin::text {
Q_DECLARE_LOGGING_CATEGORY(lcText)
} // namespace dorrin::text
