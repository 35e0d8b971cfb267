#include "platform/forms/entry_checks.h"

#include "platform/forms/dialogs.h"
#include "platform/forms/log.h"
#include "platform/text/field_text.h"

#include <QDir>
#include <QSet>

namespace dorrin::forms {

namespace {
QSet<QString> &reportedFiles() {
  static QSet<QString> files;
  return files;
}
} // namespace

bool acceptCp949(Dialogs *dialogs, QStringView text) {
  const QString bad = text::notInCp949(text);
  if (bad.isEmpty()) return true;
  qCInfo(lcForms) << "refused characters the files cannot hold:" << bad;
  if (dialogs) {
    QString shown;
    for (const QChar &c : bad) {
      if (c.isLowSurrogate()) {
        shown += c;
        continue;
      }
      if (!shown.isEmpty()) shown += u' ';
      shown += c;
    }
    dialogs->msgBox(QStringLiteral("다음 글자는 저장할 수 없습니다: %1\n"
                                   "이 글자를 지우거나 다른 글자로 바꾼 뒤 다시 입력해 주십시오.")
                        .arg(shown),
                    vbExclamation, QStringLiteral("입력 확인"));
  }
  return false;
}

void reportSaveFailure(Dialogs *dialogs, const QString &path, const QString &reason) {
  qCWarning(lcForms) << "cannot save" << path << ":" << reason;
  if (reportedFiles().contains(path)) return;
  reportedFiles().insert(path);
  if (dialogs) {
    dialogs->msgBox(QStringLiteral("파일을 저장하지 못했습니다.\n\n파일: %1\n이유: %2")
                        .arg(QDir::toNativeSeparators(path),
                             reason.isEmpty() ? QStringLiteral("알 수 없음") : reason),
                    vbExclamation, QStringLiteral("저장 실패"));
  }
}

void resetSaveFailureReports() {
  reportedFiles().clear();
}

} // namespace dorrin::forms
