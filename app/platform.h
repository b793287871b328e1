// What the start-up needs of the operating system: a single-instance lock, the installation
// settings (read only), the current directory and a test that a file opens.
#pragma once

#include <memory>
#include <string>

namespace vepa {

class SystemServices {
 public:
  virtual ~SystemServices() = default;
  // Takes a named lock for the life of the process; false when another copy holds it.
  virtual bool AcquireInstanceLock(const std::string& name) = 0;
  // The installation settings ("GameDir", "CDGameDir"); false when none are registered.
  // A missing value reads as an empty string.
  virtual bool ReadSettings(std::string& gameDir, std::string& cdGameDir) = 0;
  virtual std::string CurrentDirectory() = 0;
  // True when directory + fileName opens for reading.
  virtual bool FileOpens(const std::string& directory, const std::string& fileName) = 0;
  virtual char PathSeparator() const = 0;
};

// The settings of "Software\Dreb\KIB Present\Pelko Vepa 4d" live in a small per-user file
// under the config directory; the file present means the key is present.
std::string SettingsFilePath();
// Parses the settings text: lines NAME=VALUE; unknown or malformed lines are skipped (each
// reported on stderr). Returns the two values.
void ParseSettings(const std::string& text, std::string& gameDir, std::string& cdGameDir);
// Writes the settings file (used by the setup tool). False with a message on failure.
bool WriteSettings(const std::string& gameDir, const std::string& cdGameDir, std::string* error);

std::unique_ptr<SystemServices> MakePosixSystemServices();

}  // namespace vepa
