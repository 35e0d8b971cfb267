#include "organiser/contracts/tables.h"

namespace dorrin::db {

const TableDef &weekTable() {
  static const TableDef t{"AWeek",
                          {{"BDate", FieldType::Date, true}, {"BMemo", FieldType::Text, true}}};
  return t;
}

const TableDef &launcherTable() {
  static const TableDef t{"Dorrin",
                          {{"번호", FieldType::Int16, true},
                           {"종류", FieldType::Text},
                           {"제목", FieldType::Text},
                           {"경로", FieldType::Text}}};
  return t;
}

const TableDef &phoneTable() {
  static const TableDef t{"Tel",
                          {{"이름", FieldType::Text, true},
                           {"그룹", FieldType::Text, true},
                           {"집", FieldType::Text},
                           {"회사", FieldType::Text},
                           {"휴대폰", FieldType::Text},
                           {"내선", FieldType::Text},
                           {"주소(집)", FieldType::Text},
                           {"주소(회사)", FieldType::Text},
                           {"메일1", FieldType::Text},
                           {"메일2", FieldType::Text},
                           {"홈페이지", FieldType::Text},
                           {"메모1", FieldType::Text},
                           {"메모2", FieldType::Text},
                           {"메모3", FieldType::Text},
                           {"번호", FieldType::Counter}}};
  return t;
}

} // namespace dorrin::db
