#include "content.h"

namespace content {

namespace {
std::vector<Module>& Registry() {
  static std::vector<Module> modules;  // built before main by the modules' static registrars
  return modules;
}
}  // namespace

int RegisterModule(const char* name, void (*build)(ContentSink&)) {
  Registry().push_back({name, build});
  return static_cast<int>(Registry().size());
}

const std::vector<Module>& Modules() { return Registry(); }

}  // namespace content
