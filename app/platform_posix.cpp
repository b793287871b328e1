// POSIX start-up services: advisory file locks stand in for the named mutexes, and a settings
// file under the user's config directory stands in for the registry key.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "app/platform.h"

namespace vepa {

namespace fs = std::filesystem;

namespace {

std::string HomeDir() {
  const char* h = std::getenv("HOME");
  return h ? h : ".";
}

std::string LockDir() {
  if (const char* r = std::getenv("XDG_RUNTIME_DIR"); r && *r) return r;
  return "/tmp";
}

class PosixSystemServices : public SystemServices {
 public:
  ~PosixSystemServices() override {
    for (int fd : locks_) close(fd);
  }

  bool AcquireInstanceLock(const std::string& name) override {
    std::string path = LockDir() + "/vepa4-" + std::to_string(getuid()) + "-" + name + ".lock";
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return true;  // no lock directory: run rather than refuse to start
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
      close(fd);
      return false;
    }
    locks_.push_back(fd);
    return true;
  }

  bool ReadSettings(std::string& gameDir, std::string& cdGameDir) override {
    gameDir.clear();
    cdGameDir.clear();
    std::ifstream in(SettingsFilePath(), std::ios::binary);
    if (!in) return false;
    std::stringstream ss;
    ss << in.rdbuf();
    ParseSettings(ss.str(), gameDir, cdGameDir);
    return true;
  }

  std::string CurrentDirectory() override {
    std::error_code ec;
    auto p = fs::current_path(ec);
    return ec ? std::string(".") : p.string();
  }

  bool FileOpens(const std::string& directory, const std::string& fileName) override {
    std::string path = directory + fileName;
    std::error_code ec;
    if (fs::is_directory(path, ec)) return false;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
  }

  char PathSeparator() const override { return '/'; }

 private:
  std::vector<int> locks_;
};

}  // namespace

std::string SettingsFilePath() {
  std::string base;
  if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x)
    base = x;
  else
    base = HomeDir() + "/.config";
  return base + "/Dreb/KIB Present/Pelko Vepa 4d.conf";
}

void ParseSettings(const std::string& text, std::string& gameDir, std::string& cdGameDir) {
  std::istringstream in(text);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#' || line[0] == ';') continue;
    auto eq = line.find('=');
    if (eq == std::string::npos) {
      std::fprintf(stderr, "vepa4: settings line %d ignored (no '=')\n", number);
      continue;
    }
    std::string name = line.substr(0, eq), value = line.substr(eq + 1);
    if (name == "GameDir")
      gameDir = value;
    else if (name == "CDGameDir")
      cdGameDir = value;
    else
      std::fprintf(stderr, "vepa4: settings line %d ignored (unknown name)\n", number);
  }
}

bool WriteSettings(const std::string& gameDir, const std::string& cdGameDir, std::string* error) {
  // One setting a line: a value with a line break in it would come back as two settings.
  for (const std::string* value : {&gameDir, &cdGameDir}) {
    if (value->find_first_of("\r\n") != std::string::npos) {
      if (error) *error = "a folder name with a line break cannot be stored in the settings";
      return false;
    }
  }
  fs::path p = SettingsFilePath();
  std::error_code ec;
  fs::create_directories(p.parent_path(), ec);
  if (ec) {
    if (error) *error = "cannot create " + p.parent_path().string() + ": " + ec.message();
    return false;
  }
  fs::path tmp = p;
  tmp += ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out) {
      if (error) *error = "cannot write " + tmp.string();
      return false;
    }
    out << "# Pelko Vepa 4: where the game data lives\n";
    out << "GameDir=" << gameDir << "\n";
    out << "CDGameDir=" << cdGameDir << "\n";
    if (!out.flush()) {
      if (error) *error = "cannot write " + tmp.string();
      return false;
    }
  }
  fs::rename(tmp, p, ec);
  if (ec) {
    if (error) *error = "cannot replace " + p.string() + ": " + ec.message();
    return false;
  }
  return true;
}

std::unique_ptr<SystemServices> MakePosixSystemServices() {
  return std::make_unique<PosixSystemServices>();
}

}  // namespace vepa
