// vepa4-setup: registers the directory that holds the game data (vepa4.gmd and vepa4.gam),
// as an installer would. The game itself only reads this setting.
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/platform.h"

int main(int argc, char** argv) {
  if (argc != 2 || std::string(argv[1]) == "--help") {
    std::fprintf(stderr, "usage: vepa4-setup DATA_DIR\n");
    return 2;
  }
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path dir = fs::absolute(argv[1], ec);
  if (ec || !fs::is_regular_file(dir / "vepa4.gmd") || !fs::is_regular_file(dir / "vepa4.gam")) {
    std::fprintf(stderr, "vepa4-setup: %s does not hold vepa4.gmd and vepa4.gam\n", argv[1]);
    return 1;
  }
  std::string error;
  if (!vepa::WriteSettings(dir.lexically_normal().string(), "", &error)) {
    std::fprintf(stderr, "vepa4-setup: %s\n", error.c_str());
    return 1;
  }
  std::printf("Registered %s in %s\n", dir.lexically_normal().string().c_str(),
              vepa::SettingsFilePath().c_str());
  return 0;
}
