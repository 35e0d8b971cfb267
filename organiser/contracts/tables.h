#pragma once
// The organiser's three tables, in column order, and the database files that
// hold them. Used to create a database file that is missing.
#include "organiser/contracts/database.h"

namespace dorrin::db {

// Database files, named by their install path (map with paths::resolve).
inline constexpr const char *kWeekDatabase = "c:\\Program Files\\Tessivo\\Dorrin\\TessivoWeek.mdb";
inline constexpr const char *kLauncherDatabase =
    "c:\\Program Files\\Tessivo\\Dorrin\\TessivoDorrin.mdb";
inline constexpr const char *kPhoneDatabase = "c:\\Program Files\\Tessivo\\Dorrin\\TessivoTel.mdb";

// "AWeek": week and schedule entries. 0 BDate (date), 1 BMemo (text).
const TableDef &weekTable();
// "Dorrin": launcher entries. 0 "번호" slot (16-bit), 1 kind, 2 caption, 3 path.
const TableDef &launcherTable();
// "Tel": contacts. 0..13 text ("이름" .. "메모3"), 14 "번호" given by the database.
const TableDef &phoneTable();

} // namespace dorrin::db
