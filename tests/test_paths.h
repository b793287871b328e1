// Where the tests and benchmarks find the default archive and the tools. The paths belong to
// the build, so only tests/test_paths.cpp is compiled with them; every other test source stays
// the same from one build directory to the next.
#pragma once

namespace vepa::testing {
const char* TestDataDir();     // the default archive's directory, with a trailing slash
const char* HeadlessRunner();  // vepa4-headless
const char* PackTool();        // vepa4-pack
const char* SourceDir();       // the source tree
}  // namespace vepa::testing

#define VEPA_DATA_DIR (::vepa::testing::TestDataDir())
#define VEPA_HEADLESS (::vepa::testing::HeadlessRunner())
#define VEPA_PACK (::vepa::testing::PackTool())
#define VEPA_SOURCE_DIR (::vepa::testing::SourceDir())
