// The default-content builder: modules (one per scene or group of entries, under content/)
// register themselves and emit archive entries through a ContentSink. The builder writes a
// content tree, one file per archive entry, that `vepa4-pack pack` turns into the archive.
//
// A module is a function that calls the sink once per entry:
//
//   static void Build(content::ContentSink& sink) {
//     sink.ImageList("s_demo01", {{"Ball01", 30, 30, 2, DrawBall}});
//   }
//   VEPA_CONTENT_MODULE(demo, Build);
//
// Errors in content (a bad phrase line, a duplicate entry, a wrong size) are thrown as
// content::BuildError; the builder prints them with the module's name and fails.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace content {

// A content mistake: the builder stops with this message.
struct BuildError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A picture to be drawn with cairo onto a transparent ARGB canvas of the given size.
using DrawFn = std::function<void(cairo_t* cr)>;
// Draws one pattern (0-based) into a canvas of the pattern's size.
using PatternFn = std::function<void(cairo_t* cr, int pattern)>;

struct ImageSpec {
  std::string Name;
  int PatternWidth = 0;
  int PatternHeight = 0;
  int Patterns = 1;
  PatternFn Draw;
  int PatternsPerRow = 0;  // 0: all patterns in one row
};

// A picture of one pattern, drawn by a function that needs no pattern number.
inline ImageSpec SinglePicture(std::string name, int w, int h, void (*draw)(cairo_t* cr)) {
  return {std::move(name), w, h, 1, [draw](cairo_t* cr, int) { draw(cr); }};
}

struct WaveSpec {
  std::string Name;
  bool Loop = false;
  std::vector<int16_t> Samples;  // mono
  int SampleRate = 11025;
};

// Hit-map codes are drawn as shapes filled with the code's value; no antialiasing.
// A 2x2-pixel cell gets a shape's code when the cell's centre lies inside the shape.
struct HitShape {
  enum Kind { Rect, Ellipse, Polygon } Shape = Rect;
  int Code = 0;
  std::vector<double> Coords;  // Rect/Ellipse: x1 y1 x2 y2 in screen pixels; Polygon: x y ...
};

// Shorthands: rectangles and ellipses span [x1, x2) x [y1, y2) in screen pixels.
inline HitShape HitRect(int code, double x1, double y1, double x2, double y2) {
  return {HitShape::Rect, code, {x1, y1, x2, y2}};
}
inline HitShape HitEllipse(int code, double x1, double y1, double x2, double y2) {
  return {HitShape::Ellipse, code, {x1, y1, x2, y2}};
}
inline HitShape HitPolygon(int code, std::vector<double> xy) {
  return {HitShape::Polygon, code, std::move(xy)};
}

// Settings of the Russian speech voice (espeak-ng's parameters).
struct Voice {
  int Pitch = 50;   // 0..99, base pitch
  int Speed = 160;  // words per minute, 80..450
  int Range = 50;   // 0..99, pitch range (0 monotone)
  int WordGap = 0;  // extra pause between words, 10 ms units
  double Gain = 1;  // applied after synthesis, before clipping
  // A variant of espeak-ng's voice (its "!v" files: "grandma", "grandpa", "m3", "f2" ...)
  // for a different kind of speaker; empty: the plain Russian voice.
  std::string Variant = {};
};

// The player's own voice, the same wherever he speaks (the "ply" table's voice line says the
// same numbers).
inline const Voice kPlayerVoice{.Pitch = 62, .Speed = 175, .Range = 55};

class ContentSink {
 public:
  virtual ~ContentSink() = default;
  // 640x480 background ("r_"/"l_" entries), stored as a Windows bitmap.
  virtual void Background(const std::string& entry, int width, int height, const DrawFn& draw) = 0;
  // An image list ("s_"/"d_"): each image's patterns are drawn with antialiasing; the alpha
  // channel becomes the image's alpha mask.
  virtual void ImageList(const std::string& entry, const std::vector<ImageSpec>& images) = 0;
  // A hit map ("b_"), 320x240 cells; shapes are in screen pixels, later shapes win.
  virtual void HitMap(const std::string& entry, const std::vector<HitShape>& shapes) = 0;
  // A wave list ("w_").
  virtual void WaveList(const std::string& entry, const std::vector<WaveSpec>& waves) = 0;
  // A single RIFF WAVE entry: music ("m_") or a clip played by name ("tvroz01").
  virtual void Sound(const std::string& entry, const WaveSpec& wave) = 0;
  // A phrase table "t_<stem>01" from a text source and the spoken waves of its phrases
  // (speech synthesized from the lines at the given sample rate). The source file is
  // relative to SourceDir() unless absolute; its format is in docs/content.md.
  virtual void PhraseTable(const std::string& stem, const std::string& sourceFile,
                           int speechRate) = 0;
  // A spoken clip (speech entry, only its first 41 bytes scrambled) from Russian text.
  virtual void SpokenClip(const std::string& entry, const std::string& textUtf8, int sampleRate,
                          int pitch = 50, int speed = 160) = 0;
  // The same with every voice setting.
  virtual void SpokenClip(const std::string& entry, const std::string& textUtf8, int sampleRate,
                          const Voice& voice) = 0;
  // Raw bytes of an entry.
  virtual void Raw(const std::string& entry, const std::vector<uint8_t>& bytes) = 0;
  // Directory with the content sources (content/).
  virtual std::string SourceDir() const = 0;
};

// Russian speech from espeak-ng, mono 16-bit at sampleRate (resampled). Lower-case text
// reads best; capitals are read as words too. Throws BuildError when the voice is missing.
std::vector<int16_t> Speak(const std::string& textUtf8, int sampleRate, const Voice& voice);

struct Module {
  const char* Name;
  void (*Build)(ContentSink& sink);
};

// Called from static registrars in the module files.
int RegisterModule(const char* name, void (*build)(ContentSink&));
const std::vector<Module>& Modules();

}  // namespace content

#define VEPA_CONTENT_MODULE(name, fn) \
  static const int vepa_content_module_##name = ::content::RegisterModule(#name, fn)
