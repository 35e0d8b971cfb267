#include "platform/forms/translations.h"

#include "platform/forms/log.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace dorrin::forms {

bool installKoreanTranslations() {
  static QPointer<QTranslator> installed;
  if (installed) return true;
  auto *translator = new QTranslator(QCoreApplication::instance());
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (!translator->load(QStringLiteral("qtbase_ko"), folder) ||
      !QCoreApplication::installTranslator(translator)) {
    qCWarning(lcForms).noquote()
        << "no Korean Qt translations in" << folder
        << "- standard dialogs stay in English (install qt6-translations-l10n)";
    delete translator;
    return false;
  }
  installed = translator;
  return true;
}

} // namespace dorrin::forms
