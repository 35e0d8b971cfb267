// The component registry file: any file content is read without harm, every
// key and value name found reads back through the same interface.
#include "fuzz/fuzz_input.h"
#include "platform/com/registry.h"

#include <cstdint>
#include <cstdlib>

using namespace dorrin;

namespace {

void walk(const com::Registry &reg, const std::string &key, int depth) {
  if (depth > 6) return;
  for (const std::string &name : reg.valueNames(key))
    reg.value(key, name);
  for (const std::string &sub : reg.subKeys(key)) {
    const std::string path = key.empty() ? sub : key + "\\" + sub;
    reg.keyExists(path);
    walk(reg, path, depth + 1);
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const QString file = fuzz::inputFile("registry.ini", data, size);
  if (file.isEmpty()) return 0;
  com::Registry reg(file);
  walk(reg, std::string(), 0);
  return 0;
}
