#include "tests/test_paths.h"

namespace vepa::testing {
const char* TestDataDir() { return VEPA_BUILD_DATA_DIR; }
const char* HeadlessRunner() { return VEPA_BUILD_HEADLESS; }
const char* PackTool() { return VEPA_BUILD_PACK; }
const char* SourceDir() { return VEPA_BUILD_SOURCE_DIR; }
}  // namespace vepa::testing
