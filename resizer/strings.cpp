#include "resizer/strings.h"

#include <map>

namespace dorrin::resizer {
namespace {

const std::map<int, const char *> &table() {
  static const std::map<int, const char *> t{
      {idsPropertiesEditor, "Error starting Properties Editor:\n\n"},
      {idsNotFound, "|1 not found."},
      {idsErrorNumbered, "|1 [Error |2]"},
      {idsSaveFailed, "Error saving control's properties."},
      {idsObjectInUse, "Object is in use and can not be removed from collection."},
      {idsObjectsInUse, "One or more objects are in use and can not be removed from collection."},
      {idsIconsOnly, "Property supports icons only"},
      {idsOnePerContainer, "Only one control allowed per container, if an error is displayed "
                           "after this just press OK to continue."},
      {idsErrorCaption, "Ambrel Error"},
      {idsFontRange, "MinFontSize can't be greater than MaxFontSize."},
      {kErrorStringBase + 7, "Out of memory"},
      {kErrorStringBase + 17, "Unable to perform the requested operation."},
      {kErrorStringBase + 53, "File not found"},
      {kErrorStringBase + 57, "Device I/O error"},
      {kErrorStringBase + 64, "Bad file name"},
      {kErrorStringBase + 67, "Too many files"},
      {kErrorStringBase + 70, "Permission denied"},
      {kErrorStringBase + 75, "Path/File access error"},
      {kErrorStringBase + 76, "Path not found"},
      {kErrorStringBase + 380, "Invalid property value"},
      {kErrorStringBase + 381, "Invalid property array index"},
      {kErrorStringBase + 500, "Property is read-only"},
      {kErrorStringBase + 501, "Property unavailable at design time"},
  };
  return t;
}

} // namespace

std::string loadString(int id) {
  const auto it = table().find(id);
  return it == table().end() ? std::string() : std::string(it->second);
}

std::string errorString(int number) {
  return loadString(kErrorStringBase + number);
}

std::string formatMessage(std::string text, const std::string &a, const std::string &b) {
  for (const auto &[marker, value] : {std::pair<std::string, const std::string &>{"|1", a},
                                      std::pair<std::string, const std::string &>{"|2", b}}) {
    for (std::size_t at = text.find(marker); at != std::string::npos;
         at = text.find(marker, at + value.size()))
      text.replace(at, marker.size(), value);
  }
  return text;
}

} // namespace dorrin::resizer
