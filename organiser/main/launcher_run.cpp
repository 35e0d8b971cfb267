#include "organiser/main/launcher_run.h"

#include "platform/forms/dialogs.h"
#include "platform/shell/shell.h"

#include <QDir>

namespace dorrin::organiser {

QString shellErrorMessage(int code) {
  switch (code) {
  case 0:
    return QStringLiteral("프로그램 파일이 유효하지 않거나 메모리 공간이 충분하지 않습니다.");
  case 2:
    return QStringLiteral("파일을 찾을 수가 없습니다.");
  case 3:
    return QStringLiteral("경로가 잘못 되었습니다.");
  case 5:
    return QStringLiteral("공유 또는 보호모드 에러");
  case 8:
    return QStringLiteral("실행시키기에 메모리가 충분하지 않습니다.");
  case 10:
    return QStringLiteral("윈도우즈 버전이 맞지 않습니다.");
  case 11:
    return QStringLiteral("프로그램 파일이 잘못 되었습니다.");
  case 12:
    return QStringLiteral("다른 운영체제가 요구 됩니다.");
  case 13:
    return QStringLiteral("MS-DOS 4.0에서 실행됩니다.");
  case 14:
    return QStringLiteral("파일 타입을 찾을 수가 없습니다.");
  case 15:
    return QStringLiteral("메모리 보호모드를 지원하지 않습니다");
  case 16:
    return QStringLiteral("프로그램의 세그먼트를 사용할 수 없습니다.");
  case 19:
    return QStringLiteral("압축된 파일을 실행할 수 없습니다.");
  case 20:
    return QStringLiteral("잘못된 DLL입니다.");
  case 21:
    return QStringLiteral("Windows 32-bit 확장자가 요구 됩니다.");
  case 31:
    return QStringLiteral("이파일을 실행할 응용 프로그램이 없습니다.");
  default:
    return {};
  }
}

Route routeOf(const QString &path) {
  if (path.isEmpty()) return Route::Nothing;
  if (path.contains(QLatin1String("www."), Qt::CaseSensitive) ||
      path.contains(QLatin1String("http://"), Qt::CaseSensitive))
    return Route::Internet;
  return Route::File;
}

int RunFile(shell::Shell &shell, forms::Dialogs *dialogs, const QString &file,
            const QString &directory, int show) {
  const int r = shell.ShellExecute(QStringLiteral("Open"), file, QString(), directory, show);
  if (r < 32 && dialogs) {
    const QString message = shellErrorMessage(r);
    if (!message.isEmpty()) dialogs->msgBox(message, forms::vbOKOnly);
  }
  return r;
}

void Internetexe(shell::Shell &shell, const QString &address) {
  // Started from the root folder, the system drive's root of this system.
  shell.ShellExecute(QStringLiteral("Open"), address, QString(), QDir::rootPath(),
                     shell::SW_SHOWNORMAL);
}

} // namespace dorrin::organiser
