#pragma once
// The language of Qt's own standard dialogs.

namespace dorrin::forms {

// Loads Qt's own Korean translations (qtbase_ko from the system's Qt
// translations folder) so the standard dialogs (colour picker, message box
// buttons, file dialogs) speak Korean whatever the session's language.
// False, with a warning, when they are not installed. Call once at start.
bool installKoreanTranslations();

} // namespace dorrin::forms
