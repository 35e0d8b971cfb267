// The user guide that slot 0 of the launcher opens. Installed into the data
// folder as UTF-8 text on the first start.
#include "organiser/main/launcher_store.h"

namespace dorrin::organiser {

namespace {

const char kGuide[] = R"(Tessivo Dorrin 사용법
=====================

Dorrin은 바탕화면에 늘 떠 있는 작은 정리 도구입니다. 창 위쪽의 아홉 개 탭으로
화면을 바꿉니다.

1. 실행기 (사과, 폴더, 파일, WEB, 음악 탭)
   - 한 쪽마다 네 칸, 칸마다 30줄이 있어 모두 600개의 항목을 둘 수 있습니다.
   - 항목을 두 번 누르면 프로그램, 문서, 폴더, 웹 주소가 열립니다.
   - 탭을 오른쪽 단추로 누르면 탭의 이름을 바꿀 수 있습니다.

2. 팝업 메뉴 (항목을 오른쪽 단추로 누르기)
   - 파일 폴더 연결: 아래쪽 목록에서 폴더를 고르거나 파일을 두 번 눌러 고른 뒤
     이름을 고치고 [확인]을 누릅니다. [취소]는 아무것도 바꾸지 않습니다.
   - Web 연결: 주소(http://www. ...)와 이름을 적고 [확인]을 누릅니다.
   - 이동,삭제: 항목을 지우고 클립보드에 담아 둡니다.
   - 붙이기: 클립보드에 담은 항목을 지금 줄에 넣습니다. 여러 줄에 거듭 붙일
     수 있습니다.
   - 첫 줄(사과 쪽 맨 위)은 늘 이 사용법입니다.

3. 주간 계획 (일정 탭)
   - 작업 날짜를 가운데 두고 열하루의 칸이 보입니다. 칸에 바로 적으면 저장됩니다.
   - 달력 단추로 날짜를 고르고, 열흘 단추로 앞뒤로 옮깁니다.

4. 알람과 일정 목록 (메모 탭)
   - 시계와 오늘의 알람, 날짜가 없거나 가까운 일정이 보입니다.
   - 알람 편집 창에서 49개까지 알람을 둡니다: 날짜, 매일, 매월, 매시, 요일.
   - 알람 시간이 되면 작은 알림 창이 뜨고 고른 소리(음1 .. 음9)가 납니다.

5. 전화번호부 (전화 탭)
   - 90개의 모둠으로 연락처를 나누어 둡니다. 적는 대로 바로 찾아 줍니다.
   - 메일을 보내거나 연락처를 스프레드시트 파일로 내보낼 수 있습니다.

6. 바탕 탭
   - 바탕화면 아이콘을 숨기거나 다시 보입니다.
   - 바탕 탭을 오른쪽 단추로 누르면 색 설정 창이 열립니다: 네 칸의 배경색과
     글자색, 그리고 시작할 때 열 탭을 고릅니다.

7. 단축키와 알림 영역 아이콘
   - F11: 창을 보입니다.  F10: 창을 숨깁니다.
   - 제목 줄을 두 번 누르면 창이 숨습니다. 제목 줄을 끌면 창이 옮겨지고,
     오른쪽 아래 모서리를 끌면 크기가 바뀝니다.
   - 알림 영역 아이콘을 왼쪽 단추로 누르면 창이 앞으로 나오고, 오른쪽 단추로
     누르면 창을 닫습니다 (F11로 다시 엽니다).

8. 명령 줄
   - dorrin            프로그램을 시작합니다. (dorrin /S 는 시작 창을 곧바로 숨깁니다)
   - dorrin --show     실행 중인 Dorrin의 창을 보입니다.
   - dorrin --hide     창을 숨깁니다.
   - dorrin --toggle   보이면 숨기고, 숨어 있으면 보입니다.
   - dorrin --quit     실행 중인 Dorrin을 끝냅니다. 바탕화면 아이콘이 돌아오고
                       모든 파일이 닫힙니다. 메뉴 항목의 '끝내기'도 같습니다.
   - dorrin --help     모든 옵션을 보입니다.  dorrin --version  판 번호.
   F10, F11이 닿지 않는 데스크톱(Wayland 등)에서는 데스크톱의 키보드 설정에서
   키 하나를 'dorrin --toggle' 명령에 걸어 두십시오.
     GNOME: 설정 → 키보드 → 사용자 지정 바로 가기
     KDE:   시스템 설정 → 단축키 → 사용자 지정 단축키

9. 설치, 로그인할 때 시작, 제거
   - 패키지로 설치합니다:  sudo apt-get install ./dorrin_<판>_amd64.deb
     (패키지 만들기: scripts/dorrin.sh package)
     응용 프로그램 메뉴의 '사무' 아래에 Dorrin이 생깁니다.
   - 로그인할 때 시작:  dorrin --autostart on   (끄기: dorrin --autostart off,
     지금 상태: dorrin --autostart)
   - 제거:  dorrin --autostart off 를 한 뒤  sudo apt-get remove dorrin
     자료 폴더는 지우지 않습니다.

10. 자료와 백업
   모든 자료는 한 폴더에 있습니다: ~/.local/share/Tessivo/Dorrin
   ($DORRIN_DATA_DIR 를 정해 두면 그 폴더).
   설정 dorrat.txt, 알람 timedata.txt, 전화 모둠 GroupName.txt,
   자료 파일 TessivoWeek.mdb, TessivoDorrin.mdb, TessivoTel.mdb, 이 사용법 Dorrin사용법.txt.
   - 백업: dorrin --quit 으로 끝낸 뒤 폴더를 통째로 복사합니다.
       tar czf dorrin-backup.tar.gz -C ~/.local/share/Tessivo Dorrin
   - 되살리기: Dorrin이 실행 중이 아닐 때 같은 곳에 풉니다.
   이 사용법 파일을 고쳐 써도 다시 덮어쓰지 않습니다.
)";

} // namespace

QString userGuideText() {
  return QString::fromUtf8(kGuide);
}

} // namespace dorrin::organiser
