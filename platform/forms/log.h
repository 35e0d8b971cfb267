#pragma once
// Logging category of the form runtime: refused property values, cell
// accesses outside a grid, and the like.
#include <QLoggingCategory>

namespace dorrin::forms {
Q_DECLARE_LOGGING_CATEGORY(lcForms)
}
