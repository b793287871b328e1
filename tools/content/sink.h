// The content tree writer: one file per archive entry, rewritten only when its bytes change.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "content.h"
#include "engine/surface.h"

namespace content {

struct TreeOptions {
  std::string SourceDir;   // content/
  std::string OutDir;      // the content tree
  std::string PreviewDir;  // PNG previews of pictures and hit maps; empty: none
};

// Checks an archive entry name: 1..11 characters of Latin letters, digits and '_'.
void CheckEntryName(const std::string& entry);

// Writes bytes to path unless the file already holds exactly these bytes. Returns true when
// the file was written.
bool WriteIfChanged(const std::string& path, const std::vector<uint8_t>& bytes);

class TreeSink : public ContentSink {
 public:
  explicit TreeSink(TreeOptions options);

  // Entries emitted from now on belong to this module (for messages).
  void SetModule(const std::string& name) { module_ = name; }

  void Background(const std::string& entry, int width, int height, const DrawFn& draw) override;
  void ImageList(const std::string& entry, const std::vector<ImageSpec>& images) override;
  void HitMap(const std::string& entry, const std::vector<HitShape>& shapes) override;
  void WaveList(const std::string& entry, const std::vector<WaveSpec>& waves) override;
  void Sound(const std::string& entry, const WaveSpec& wave) override;
  void PhraseTable(const std::string& stem, const std::string& sourceFile, int speechRate) override;
  void SpokenClip(const std::string& entry, const std::string& textUtf8, int sampleRate,
                  int pitch = 50, int speed = 160) override;
  void SpokenClip(const std::string& entry, const std::string& textUtf8, int sampleRate,
                  const Voice& voice) override;
  void Raw(const std::string& entry, const std::vector<uint8_t>& bytes) override;
  std::string SourceDir() const override { return options_.SourceDir; }

  // Deletes files of the tree that this run did not produce (entries a module dropped).
  // Only files with the tree's own extensions are touched.
  int RemoveStale();

  int FilesWritten() const { return written_; }
  int FilesUnchanged() const { return unchanged_; }
  const std::map<std::string, std::string>& Entries() const { return owner_; }

 private:
  void Emit(const std::string& entry, const char* extension, const std::vector<uint8_t>& bytes);
  void PreviewImage(const std::string& file, const vepa::Image& img);

  TreeOptions options_;
  std::string module_;
  std::map<std::string, std::string> owner_;  // entry -> module
  std::set<std::string> produced_;            // file names in OutDir
  int written_ = 0;
  int unchanged_ = 0;
};

// Encodes a mono wave for the archive (16-bit PCM RIFF WAVE). Throws on a bad rate or no data.
std::vector<uint8_t> EncodeWave(const WaveSpec& wave, const std::string& what);

}  // namespace content
