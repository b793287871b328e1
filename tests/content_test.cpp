// The default-content builder: phrase sources and their 111-byte records, hit-map shapes,
// pictures turned into RGB565 images, speech and wave files, the score player, the content
// tree writer, and the common entries of the built archive.
#include "content.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#include "app/launcher_pictures.h"
#include "draw.h"
#include "engine/archive.h"
#include "engine/mixer.h"
#include "engine/streams.h"
#include "fontp.h"
#include "launcher.h"
#include "phrases.h"
#include "raster.h"
#include "sink.h"
#include "speech.h"
#include "synth.h"
#include "tests/temp_dir.h"
#include "tests/test_paths.h"

namespace content {
namespace {

namespace fs = std::filesystem;
using vepa::testing::TempDir;

PhraseSource Parse(const std::string& text) { return ParsePhraseSource(text, "test.txt"); }

// Expects a BuildError whose message contains every fragment.
void ExpectError(const std::string& text, std::initializer_list<std::string> fragments) {
  try {
    Parse(text);
    ADD_FAILURE() << "accepted:\n" << text;
  } catch (const BuildError& e) {
    const std::string msg = e.what();
    for (const std::string& f : fragments) {
      EXPECT_NE(msg.find(f), std::string::npos) << "message '" << msg << "' lacks '" << f << "'";
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Phrase tables.

TEST(PhraseTable, RecordLayoutAndFillers) {
  const PhraseSource src = Parse(
      "voice: pitch 30 speed 180\n"
      "records: 5\n"
      "\n"
      "phrase 2 kind 3 price 300 shift 1\n"
      "  ДАРТС!  \n"
      "ЗА 10 $?\n"
      "phrase 4\n"
      "say: просто так\n");
  ASSERT_EQ(src.Records, 5);
  EXPECT_EQ(src.SpeakerVoice.Pitch, 30);
  EXPECT_EQ(src.SpeakerVoice.Speed, 180);
  const std::vector<uint8_t> t = EncodePhraseTable(src);
  ASSERT_EQ(t.size(), 5u * 111);
  const uint8_t* r = t.data() + 111;  // phrase 2
  EXPECT_EQ(r[0] | r[1] << 8, 3);
  EXPECT_EQ(r[2] | r[3] << 8, 300);
  EXPECT_EQ(r[4] | r[5] << 8, 1);
  EXPECT_EQ(r[6], 0);
  EXPECT_EQ(r[7], 0);
  // Line 1 at +8: length byte, then code page 1251 ("Д" is 0xC4), trimmed of spaces.
  EXPECT_EQ(r[8], 6);
  EXPECT_EQ(r[9], 0xC4);
  EXPECT_EQ(r[14], '!');
  // Line 2 at +29.
  EXPECT_EQ(r[29], 8);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(r + 30), 8), "\xC7\xC0 10 $?");
  // Lines 3..5 empty.
  EXPECT_EQ(r[50], 0);
  EXPECT_EQ(r[71], 0);
  EXPECT_EQ(r[92], 0);
  // Phrases 1, 3 and 5 are all-zero fillers; phrase 4 has no lines.
  for (int n : {1, 3, 4, 5}) {
    const uint8_t* f = t.data() + (n - 1) * 111;
    EXPECT_TRUE(std::all_of(f, f + 111, [](uint8_t b) { return b == 0; })) << "record " << n;
  }
}

TEST(PhraseTable, RecordsGrowToTheHighestNumber) {
  const PhraseSource src = Parse("phrase 7\nА\n");
  EXPECT_EQ(src.Records, 7);
  EXPECT_EQ(EncodePhraseTable(src).size(), 7u * 111);
  EXPECT_EQ(Parse("records: 95\nphrase 7\nА\n").Records, 95);
  // A table that claims fewer records than it fills is a mistake in the source.
  ExpectError("records: 3\nphrase 7\nА\n", {"records: 3 is less than the highest phrase 7"});
  ExpectError("phrase 7\nА\nrecords: 9\n", {"before the first phrase"});
}

TEST(PhraseTable, LineLengthLimits) {
  const std::string twenty = "АБВГДЕЖЗИЙКЛМНОПРСТ!";  // 20 characters
  const std::string eighteen = "АБВГДЕЖЗИЙКЛМНОПР?";
  const PhraseSource ok = Parse("phrase 1\n" + twenty + "\n" + twenty + "\n" + twenty + "\n" +
                                twenty + "\n" + eighteen + "\n");
  ASSERT_EQ(ok.Phrases[0].Lines.size(), 5u);
  const std::vector<uint8_t> t = EncodePhraseTable(ok);
  EXPECT_EQ(t[8], 20);
  EXPECT_EQ(t[8 + 4 * 21], 18);
  // The fifth line's bytes end exactly at the record's end.
  EXPECT_EQ(t[110], static_cast<uint8_t>('?'));
  ExpectError("phrase 1\n" + twenty + "Й\n", {"test.txt:2", "21 characters", "20 per line"});
  ExpectError("phrase 1\nА\nБ\nВ\nГ\n" + eighteen + "Й\n",
              {"test.txt:6", "19 characters", "fifth line"});
  ExpectError("phrase 1\nА\nБ\nВ\nГ\nД\nЕ\n", {"test.txt:7", "more than five lines"});
}

TEST(PhraseTable, OnlyFontCharacters) {
  // Every sign of the font is accepted, in both alphabets.
  EXPECT_NO_THROW(Parse("phrase 1\nABC XYZ 0189\n! . , $ ? - : / < >\n@ ' ( ) ЭЮЯ\n"));
  ExpectError("phrase 1\nПривет\n", {"test.txt:2", "'р'", "not in the game font"});
  ExpectError("phrase 1\nЁЖ\n", {"'Ё'"});
  ExpectError("phrase 1\n50%\n", {"'%'"});
  // The euro sign has a code page 1251 byte but no glyph; a Greek letter has neither.
  ExpectError("phrase 1\nЖ\xE2\x82\xAC\n", {"'€'", "not in the game font"});
  ExpectError("phrase 1\nЖ\xCE\xA9\n", {"'Ω'", "no code page 1251 form"});
  ExpectError("phrase 1\n\xC4\n", {"not valid UTF-8"});
}

TEST(PhraseTable, SettingsAreChecked) {
  ExpectError("phrase 1 kind 8\nА\n", {"test.txt:1", "kind 8 is outside 0..7"});
  ExpectError("phrase 1 price 70000\nА\n", {"price"});
  ExpectError("phrase 1 shift 2\nА\n", {"shift"});
  ExpectError("phrase 1 kind\nА\n", {"phrase N [kind K]"});
  ExpectError("phrase 1 colour 2\nА\n", {"unknown phrase setting 'colour'"});
  ExpectError("phrase 0\nА\n", {"phrase number"});
  ExpectError("phrase 1\nА\nphrase 1\nБ\n", {"test.txt:3", "defined twice"});
  ExpectError("phrase 1\n", {"neither lines nor a say"});
  ExpectError("А\n", {"before the first 'phrase N'"});
  ExpectError("phrase 1\nА\nvolume: 3\n", {"unknown setting 'volume:'"});
  ExpectError("voice: pitch 120\nphrase 1\nА\n", {"pitch"});
  ExpectError("# nothing\n", {"no phrases"});
}

TEST(PhraseTable, APhraseCanHaveItsOwnVoiceOverTheFilesOne) {
  const PhraseSource src = Parse(
      "voice: pitch 30 speed 180 range 40\n"
      "phrase 1\nА\n"
      "phrase 2\nvoice: pitch 75 gap 2\nБ\n"
      "phrase 3\nВ\n");
  ASSERT_EQ(src.Phrases.size(), 3u);
  const Voice& first = SpokenVoice(src, src.Phrases[0]);
  const Voice& second = SpokenVoice(src, src.Phrases[1]);
  const Voice& third = SpokenVoice(src, src.Phrases[2]);
  EXPECT_EQ(first.Pitch, 30);
  EXPECT_EQ(second.Pitch, 75);
  EXPECT_EQ(second.WordGap, 2);
  EXPECT_EQ(second.Speed, 180) << "what the phrase does not set comes from the file";
  EXPECT_EQ(second.Range, 40);
  EXPECT_EQ(third.Pitch, 30) << "the next phrase speaks in the file's voice again";
  EXPECT_EQ(src.SpeakerVoice.Pitch, 30);
  ExpectError("phrase 1\nvoice: pitch 40\nvoice: pitch 50\nА\n", {"test.txt:3", "two 'voice:'"});
  ExpectError("phrase 1\nvoice: speed 20\nА\n", {"speed"});
}

TEST(PhraseTable, EmptyLinePlaceholderAndColonInText) {
  const PhraseSource src = Parse("phrase 1\n~\nЦЕНА: 5 $\n");
  ASSERT_EQ(src.Phrases[0].Lines.size(), 2u);
  EXPECT_TRUE(src.Phrases[0].Lines[0].empty());
  EXPECT_EQ(src.Phrases[0].Lines[1], "\xD6\xC5\xCD\xC0: 5 $");
}

TEST(PhraseTable, SpokenText) {
  auto spoken = [](const std::string& body) {
    return SpokenText(Parse("phrase 1\n" + body).Phrases[0]);
  };
  // Lower case, so the voice reads words and not letters; hyphenated breaks are joined.
  EXPECT_EQ(spoken("ПРИВЕТ, ДРУГ!\n"), "привет, друг!");
  EXPECT_EQ(spoken("НЕ СТЕСНЯЙ-\nСЯ!\n"), "не стесняйся!");
  EXPECT_EQ(spoken("ВСЕГО-\nНАВСЕГО - 5\n"), "всегонавсего - 5");
  // Prices read with the right form of "dollar".
  EXPECT_EQ(spoken("ЗА 1 $\n"), "за 1 доллар");
  EXPECT_EQ(spoken("ЗА 3$\n"), "за 3 доллара");
  EXPECT_EQ(spoken("ЗА 12 $\n"), "за 12 долларов");
  EXPECT_EQ(spoken("ЗА 21 $\n"), "за 21 доллар");
  EXPECT_EQ(spoken("ЗА 100 $.\n"), "за 100 долларов.");
  EXPECT_EQ(spoken("$ ЕСТЬ?\n"), "долларов есть?");
  // A say: text wins over the lines.
  EXPECT_EQ(spoken("ДА\nsay: Конечно!\n"), "Конечно!");
}

// ---------------------------------------------------------------------------------------------
// Hit maps.

uint8_t Cell(const std::vector<uint8_t>& m, int cx, int cy) {
  return m[static_cast<size_t>(cy) * 320 + cx];
}

TEST(HitMapRaster, RectangleCoversHalfOpenPixelRange) {
  const auto m = RasterizeHitMap({HitRect(7, 10, 30, 20, 40)});
  ASSERT_EQ(m.size(), 320u * 240);
  // Screen pixels 10..19 x 30..39 are cells 5..9 x 15..19.
  for (int cy = 14; cy <= 20; ++cy) {
    for (int cx = 4; cx <= 10; ++cx) {
      const bool inside = cx >= 5 && cx <= 9 && cy >= 15 && cy <= 19;
      EXPECT_EQ(Cell(m, cx, cy), inside ? 7 : 0) << cx << "," << cy;
    }
  }
  // Reversed corners mean the same rectangle.
  EXPECT_EQ(RasterizeHitMap({HitRect(7, 20, 40, 10, 30)}), m);
}

TEST(HitMapRaster, LaterShapesWinAndShapesAreClipped) {
  const auto m =
      RasterizeHitMap({HitRect(1, -100, -100, 1000, 1000), HitEllipse(2, 100, 100, 200, 160),
                       HitPolygon(3, {150, 130, 170, 130, 160, 150})});
  EXPECT_EQ(Cell(m, 0, 0), 1);
  EXPECT_EQ(Cell(m, 319, 239), 1);
  EXPECT_EQ(Cell(m, 55, 65), 2);  // inside the ellipse, left of the triangle
  EXPECT_EQ(Cell(m, 50, 50), 1);  // the ellipse's bounding-box corner is outside it
  EXPECT_EQ(Cell(m, 80, 68), 3);  // triangle centre (160, 137) over the ellipse
  EXPECT_EQ(Cell(m, 76, 73), 2);  // below the triangle's left edge
}

TEST(HitMapRaster, BadShapesAreRejected) {
  EXPECT_THROW(RasterizeHitMap({HitRect(256, 0, 0, 10, 10)}), BuildError);
  EXPECT_THROW(RasterizeHitMap({HitRect(-1, 0, 0, 10, 10)}), BuildError);
  EXPECT_THROW(RasterizeHitMap({HitPolygon(1, {0, 0, 10, 10})}), BuildError);
  EXPECT_THROW(RasterizeHitMap({HitPolygon(1, {0, 0, 10, 10, 5})}), BuildError);
  EXPECT_THROW(RasterizeHitMap({HitShape{HitShape::Rect, 1, {0, 0, 10}}}), BuildError);
  EXPECT_THROW(RasterizeHitMap({HitRect(1, 0, 0, NAN, 10)}), BuildError);
  // An empty rectangle marks nothing and is no error.
  const auto m = RasterizeHitMap({HitEllipse(5, 40, 40, 40, 80)});
  EXPECT_TRUE(std::all_of(m.begin(), m.end(), [](uint8_t v) { return v == 0; }));
}

// ---------------------------------------------------------------------------------------------
// Pictures.

TEST(ImageRaster, Pack565RoundsToNearestLevel) {
  EXPECT_EQ(Pack565(255, 255, 255), 0xFFFF);
  EXPECT_EQ(Pack565(0, 0, 0), 0x0000);
  EXPECT_EQ(Pack565(4, 2, 4), 0x0000);  // below half a step
  EXPECT_EQ(Pack565(5, 3, 5), 0x0821);  // just above half a step in every channel
  EXPECT_EQ(Pack565(300, -5, 128), Pack565(255, 0, 128));
}

TEST(ImageRaster, PatternsAlphaAndTransparentColour) {
  ImageSpec spec{"Test01",
                 4,
                 3,
                 4,
                 [](cairo_t* cr, int p) {
                   cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
                   // Pattern p: p+1 opaque columns of a pattern-specific grey; pattern 3 draws
                   // pure magenta, which must not turn transparent.
                   if (p == 3) {
                     cairo_set_source_rgb(cr, 1, 0, 1);
                   } else {
                     cairo_set_source_rgb(cr, 0.2 * (p + 1), 0.2 * (p + 1), 0.2 * (p + 1));
                   }
                   cairo_rectangle(cr, 0, 0, p + 1, 3);
                   cairo_fill(cr);
                 },
                 2};
  const vepa::Image img = RenderImage(spec);
  EXPECT_EQ(img.Width, 8);
  EXPECT_EQ(img.Height, 6);
  EXPECT_EQ(img.PatternCount(), 4);
  EXPECT_TRUE(img.Transparent);
  EXPECT_EQ(img.TransparentColor, kTransparentColor);
  EXPECT_TRUE(img.Alpha.empty());  // nothing half transparent: the colour key says it all
  auto px = [&](int p, int x, int y) {
    int ox = 0, oy = 0;
    EXPECT_TRUE(img.PatternOrigin(p, ox, oy));
    return img.Pixels[static_cast<size_t>(oy + y) * img.Width + ox + x];
  };
  EXPECT_EQ(px(0, 0, 0), Pack565(51, 51, 51));
  EXPECT_EQ(px(0, 1, 0), kTransparentColor);
  EXPECT_EQ(px(2, 2, 2), Pack565(153, 153, 153));
  EXPECT_EQ(px(2, 3, 2), kTransparentColor);
  EXPECT_NE(px(3, 0, 0), kTransparentColor);
  EXPECT_EQ(px(3, 0, 0) & ~0x0020, kTransparentColor & ~0x0020);  // nudged one green step
}

TEST(ImageRaster, SoftEdgesKeepAnAlphaMaskWithStraightColour) {
  const vepa::Image img = RenderImage({"Soft01", 4, 1, 1, [](cairo_t* cr, int) {
                                         cairo_set_source_rgba(cr, 1, 0, 0, 0.5);
                                         cairo_rectangle(cr, 0, 0, 2, 1);
                                         cairo_fill(cr);
                                       }});
  ASSERT_EQ(img.Alpha.size(), 4u);
  EXPECT_NEAR(img.Alpha[0], 128, 1);
  EXPECT_EQ(img.Alpha[3], 0);
  EXPECT_EQ(img.Pixels[0], 0xF800);  // full red, not the premultiplied half red
  EXPECT_EQ(img.Pixels[3], kTransparentColor);
}

TEST(ImageRaster, BadSpecsAreRejected) {
  auto draw = [](cairo_t*, int) {};
  EXPECT_THROW(RenderImage({"", 4, 4, 1, draw}), BuildError);
  EXPECT_THROW(RenderImage({"A", 0, 4, 1, draw}), BuildError);
  EXPECT_THROW(RenderImage({"A", 4, 4, 0, draw}), BuildError);
  EXPECT_THROW(RenderImage({"A", 4, 4, 1, nullptr}), BuildError);
  EXPECT_THROW(RenderImage({"A", 4, 4, 5, draw, 2}), BuildError);  // ragged last row
  EXPECT_THROW(RenderImage({"A", 4, 4, 1, [](cairo_t*, int) { throw BuildError("boom"); }}),
               BuildError);
}

TEST(ImageRaster, BackgroundIsOpaqueAndSizedAndEncodesAsBitmap) {
  const vepa::Surface s = RenderBackground(64, 48, [](cairo_t* cr) {
    cairo_set_source_rgba(cr, 0, 0, 1, 1);
    cairo_rectangle(cr, 0, 0, 32, 48);
    cairo_fill(cr);
  });
  ASSERT_EQ(s.width, 64);
  ASSERT_EQ(s.height, 48);
  EXPECT_EQ(s.At(5, 5), 0x001F);
  EXPECT_EQ(s.At(40, 5), 0x0000);  // undrawn parts are black, not transparent
  const std::vector<uint8_t> bmp = vepa::EncodeBitmap(s);
  vepa::Surface back;
  ASSERT_TRUE(vepa::DecodeBitmap(bmp.data(), bmp.size(), back));
  EXPECT_EQ(back.pixels, s.pixels);
  EXPECT_THROW(RenderBackground(0, 480, [](cairo_t*) {}), BuildError);
}

// ---------------------------------------------------------------------------------------------
// Sound: resampling, speech, wave files, scores.

int ZeroCrossings(const std::vector<int16_t>& s) {
  int n = 0;
  for (size_t i = 1; i < s.size(); ++i) n += (s[i - 1] < 0) != (s[i] < 0);
  return n;
}

std::vector<int16_t> SineWave(double f, int rate, double seconds) {
  std::vector<int16_t> s(static_cast<size_t>(rate * seconds));
  for (size_t i = 0; i < s.size(); ++i)
    s[i] = static_cast<int16_t>(10000 * std::sin(2 * M_PI * f * i / rate + 0.1));
  return s;
}

double Rms(const std::vector<int16_t>& s, size_t from, size_t to) {
  double a = 0;
  for (size_t i = from; i < to; ++i) a += static_cast<double>(s[i]) * s[i];
  return std::sqrt(a / static_cast<double>(to - from));
}

TEST(Resample, KeepsPitchAndDurationAndRemovesWhatCannotBeHeld) {
  const auto in = SineWave(1000, 22050, 1.0);
  const auto out = Resample(in, 22050, 11000);
  EXPECT_NEAR(static_cast<double>(out.size()), 11000, 2);
  EXPECT_NEAR(ZeroCrossings(out), 2000, 4);
  EXPECT_NEAR(Rms(out, 500, 10500), Rms(in, 1000, 21000), 300);
  // 8 kHz cannot exist at 11000 Hz: it must be filtered, not folded down to 3 kHz.
  const auto high = Resample(SineWave(8000, 22050, 1.0), 22050, 11000);
  EXPECT_LT(Rms(high, 500, 10500), 150);
  EXPECT_EQ(Resample(in, 22050, 22050), in);
  EXPECT_THROW(Resample(in, 0, 11000), BuildError);
}

TEST(Speech, RussianVoiceAtTheGivenRateIsDeterministic) {
  Voice v;
  v.Pitch = 35;
  v.Speed = 170;
  const auto a = Speak("привет! давай сыграем.", 11000, v);
  const auto b = Speak("привет! давай сыграем.", 11000, v);
  EXPECT_EQ(a, b);
  const double seconds = a.size() / 11000.0;
  EXPECT_GT(seconds, 0.6);
  EXPECT_LT(seconds, 4.0);
  int peak = 0;
  for (int16_t s : a) peak = std::max(peak, std::abs(static_cast<int>(s)));
  EXPECT_NEAR(peak, 0.85 * 32767, 1500);  // levelled
  // A higher rate gives proportionally more samples of the same speech.
  const auto c = Speak("привет! давай сыграем.", 22000, v);
  EXPECT_NEAR(static_cast<double>(c.size()) / a.size(), 2.0, 0.01);
  // Slower speech is longer.
  v.Speed = 100;
  EXPECT_GT(Speak("привет! давай сыграем.", 11000, v).size(), a.size() * 1.3);
  // Whatever was spoken before, the same text gives the same samples.
  v.Speed = 170;
  const auto batch =
      SpeakAll({{"да.", 11000, v}, {"привет! давай сыграем.", 11000, v}, {"нет.", 11000, v}});
  ASSERT_EQ(batch.size(), 3u);
  EXPECT_EQ(batch[1], a);
  EXPECT_THROW(Speak("", 11000, v), BuildError);
  EXPECT_THROW(Speak("да", 100, v), BuildError);
}

TEST(Speech, AVoiceVariantChangesTheVoiceAndAMissingOneStopsTheBuild) {
  Voice plain;
  Voice old = plain;
  old.Variant = "grandpa";
  const auto a = Speak("ну, ходи, ходи.", 11000, plain);
  const auto b = Speak("ну, ходи, ходи.", 11000, old);
  EXPECT_NE(a, b);
  EXPECT_EQ(Speak("ну, ходи, ходи.", 11000, old), b);
  old.Variant = "nobody";
  EXPECT_THROW(Speak("да.", 11000, old), BuildError);
  old.Variant = "../f1";
  EXPECT_THROW(Speak("да.", 11000, old), BuildError);
  // A phrase file names it on its voice line.
  EXPECT_EQ(Parse("voice: pitch 20 speed 120 variant grandma\nphrase 1\nДА\n").SpeakerVoice.Variant,
            "grandma");
}

TEST(Speech, WaveFilesParseAsMono16Bit) {
  const WaveSpec w{"x", false, SineWave(440, 11000, 0.5), 11000};
  const std::vector<uint8_t> bytes = EncodeWave(w, "x");
  ASSERT_GE(bytes.size(), 44u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
  EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 12), "WAVE");
  vepa::SoundBuffer sb;
  std::string error;
  ASSERT_TRUE(vepa::ParseWave(bytes.data(), bytes.size(), sb, &error)) << error;
  EXPECT_EQ(sb.Channels, 1);
  EXPECT_EQ(sb.BitsPerSample, 16);
  EXPECT_EQ(sb.SampleRate, 11000);
  EXPECT_EQ(sb.FrameCount(), w.Samples.size());
  EXPECT_THROW(EncodeWave({"x", false, {}, 11000}, "x"), BuildError);
  EXPECT_THROW(EncodeWave({"x", false, {1, 2}, 500}, "x"), BuildError);
}

TEST(Score, LengthRepeatsTiesAndLoopFolding) {
  const std::string score =
      "tempo 120\n"
      "instrument lead wave square release 0.5 volume 0.5\n"
      "instrument drum wave kick\n"
      "part a lead\n"
      "[c4:4 e4]2 g4:2 - \n"  // 4 quarters + a half tied to another half: 8 beats
      "part b drum\n"
      "x:1 x!\n";  // 2 whole notes: 8 beats
  const synth::Buffer b = synth::RenderScore(score, "s.score", 8000, true);
  EXPECT_EQ(b.size(), 8000u * 4);  // 8 beats at 120 a minute, the release folded back
  const synth::Buffer open = synth::RenderScore(score, "s.score", 8000, false);
  EXPECT_GT(open.size(), b.size());
  float peak = 0;
  for (float s : b) peak = std::max(peak, std::fabs(s));
  EXPECT_NEAR(peak, 0.8, 1e-3);
}

TEST(Score, MistakesNameTheLine) {
  auto error = [](const std::string& text) -> std::string {
    try {
      synth::RenderScore(text, "s.score", 8000, false);
    } catch (const BuildError& e) {
      return e.what();
    }
    return "";
  };
  EXPECT_NE(error("instrument a wave square\npart p a\nc4 h4\n").find("s.score:3"),
            std::string::npos);
  EXPECT_NE(error("instrument a wave kazoo\n").find("unknown wave 'kazoo'"), std::string::npos);
  EXPECT_NE(error("part p nothing\n").find("not defined"), std::string::npos);
  EXPECT_NE(error("instrument a wave square\npart p a\nc4:3\n").find("duration"),
            std::string::npos);
  EXPECT_NE(error("instrument a wave square\npart p a\n[c4 d4\n").find("closing"),
            std::string::npos);
  EXPECT_NE(error("instrument a wave kick\npart p a\nc4\n").find("'x' hits"), std::string::npos);
  EXPECT_NE(error("tempo 1000\n").find("tempo"), std::string::npos);
  EXPECT_NE(error("# empty\n").find("no parts"), std::string::npos);
}

// ---------------------------------------------------------------------------------------------
// Synthesizer building blocks.

int Crossings(const synth::Buffer& b, size_t from, size_t to) {
  int n = 0;
  for (size_t i = from + 1; i < to; ++i) n += (b[i - 1] < 0) != (b[i] < 0);
  return n;
}

TEST(Synth, TonesHaveTheirPitchAndGlide) {
  const int rate = 22050;
  for (synth::Wave w : {synth::Wave::Sine, synth::Wave::Triangle, synth::Wave::Saw,
                        synth::Wave::Square, synth::Wave::Pulse25}) {
    const synth::Buffer b = synth::Tone(w, 441, 441, 1.0, rate);
    ASSERT_EQ(b.size(), 22050u);
    EXPECT_NEAR(Crossings(b, 0, b.size()), 882, 4) << static_cast<int>(w);
    float peak = 0;
    for (float v : b) peak = std::max(peak, std::fabs(v));
    EXPECT_LT(peak, 1.6f);  // band-limited edges overshoot only a little
  }
  // An octave glide: the second half is higher than the first.
  const synth::Buffer g = synth::Tone(synth::Wave::Sine, 200, 400, 1.0, rate);
  EXPECT_GT(Crossings(g, 11025, 22050), Crossings(g, 0, 11025) * 1.3);
}

TEST(Synth, EnvelopesFiltersAndMixing) {
  const int rate = 1000;
  synth::Buffer one(1000, 1.0f);
  synth::Adsr(one, rate, 0.1, 0.1, 0.5, 0.2);
  EXPECT_NEAR(one[50], 0.5, 0.02);    // half way up the attack
  EXPECT_NEAR(one[150], 0.75, 0.02);  // half way down the decay
  EXPECT_NEAR(one[500], 0.5, 0.001);  // sustain
  EXPECT_NEAR(one[900], 0.25, 0.01);  // half way through the release
  EXPECT_NEAR(one[999], 0.0, 0.01);
  synth::Buffer d(1000, 1.0f);
  synth::Decay(d, rate, 0.0, 0.1);
  EXPECT_NEAR(d[101], 0.5, 0.02);  // halves every 0.1 s
  EXPECT_NEAR(d[201], 0.25, 0.02);
  // A low-pass lets a low tone through and stops a high one.
  synth::Buffer low = synth::Tone(synth::Wave::Sine, 200, 200, 1, 22050);
  synth::Buffer high = synth::Tone(synth::Wave::Sine, 6000, 6000, 1, 22050);
  synth::LowPass(low, 22050, 1000);
  synth::LowPass(high, 22050, 1000);
  auto rms = [](const synth::Buffer& b) {
    double a = 0;
    for (size_t i = b.size() / 2; i < b.size(); ++i) a += b[i] * b[i];
    return std::sqrt(a / (b.size() / 2));
  };
  EXPECT_GT(rms(low), 0.65);
  EXPECT_LT(rms(high), 0.03);
  // Mixing grows the target; normalizing sets the peak; silence stays silent.
  synth::Buffer a(10, 0.5f), b(5, 0.25f);
  synth::Mix(a, b, 2.0, 8);
  ASSERT_EQ(a.size(), 13u);
  EXPECT_FLOAT_EQ(a[8], 1.0f);
  EXPECT_FLOAT_EQ(a[12], 0.5f);
  synth::Normalize(a, 0.5);
  EXPECT_FLOAT_EQ(a[8], 0.5f);
  synth::Buffer quiet(10, 0.0f);
  synth::Normalize(quiet);
  EXPECT_FLOAT_EQ(quiet[3], 0.0f);
  EXPECT_EQ(synth::ToPcm16({2.0f, -2.0f, 0.5f}), (std::vector<int16_t>{32767, -32767, 16384}));
}

TEST(Synth, NoiseAndDrumsAreTheSameEveryTime) {
  EXPECT_EQ(synth::WhiteNoise(0.1, 8000, 5), synth::WhiteNoise(0.1, 8000, 5));
  EXPECT_NE(synth::WhiteNoise(0.1, 8000, 5), synth::WhiteNoise(0.1, 8000, 6));
  EXPECT_EQ(synth::Snare(11000), synth::Snare(11000));
  EXPECT_EQ(synth::Bell(880, 0.3, 11000), synth::Bell(880, 0.3, 11000));
}

TEST(Speech, CacheGivesBackTheSameSamples) {
  const TempDir tmp;
  const fs::path dir = fs::path(tmp.Dir()) / "speech-cache";
  SetSpeechCache(dir.string());
  Voice v;
  const auto first = Speak("кэш работает.", 11000, v);
  size_t files = 0;
  for (const auto& e : fs::directory_iterator(dir)) files += e.path().extension() == ".pcm";
  EXPECT_EQ(files, 1u);
  EXPECT_EQ(Speak("кэш работает.", 11000, v), first);
  // Another rate or voice is another entry.
  v.Pitch = 70;
  Speak("кэш работает.", 11000, v);
  files = 0;
  for (const auto& e : fs::directory_iterator(dir)) files += e.path().extension() == ".pcm";
  EXPECT_EQ(files, 2u);
  // An emptied cache file is spoken again, not played as silence.
  for (const auto& e : fs::directory_iterator(dir)) std::ofstream(e.path(), std::ios::trunc);
  v.Pitch = 50;
  EXPECT_EQ(Speak("кэш работает.", 11000, v), first);
  SetSpeechCache("");
}

// ---------------------------------------------------------------------------------------------
// The content tree writer.

TEST(TreeWriter, RewritesOnlyChangedFiles) {
  TempDir dir;
  const std::string f = (fs::path(dir.Dir()) / "a.bin").string();
  EXPECT_TRUE(WriteIfChanged(f, {1, 2, 3}));
  const auto t0 = fs::last_write_time(f);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_FALSE(WriteIfChanged(f, {1, 2, 3}));
  EXPECT_EQ(fs::last_write_time(f), t0);
  EXPECT_TRUE(WriteIfChanged(f, {1, 2, 4}));
  EXPECT_TRUE(WriteIfChanged(f, {1, 2}));
  std::ifstream in(f, std::ios::binary);
  EXPECT_EQ(std::vector<char>(std::istreambuf_iterator<char>(in), {}), (std::vector<char>{1, 2}));
}

TEST(TreeWriter, NamesDuplicatesAndStaleFiles) {
  TempDir dir;
  const fs::path tree = fs::path(dir.Dir()) / "tree";
  fs::create_directories(tree);
  std::ofstream(tree / "old_entry.img") << "x";
  std::ofstream(tree / "notes.txt") << "keep";
  TreeSink sink({fs::path(dir.Dir()).string(), tree.string(), ""});
  sink.SetModule("one");
  sink.Raw("x_raw01", {1});
  sink.HitMap("b_test01", {HitRect(9, 0, 0, 640, 480)});
  sink.SetModule("two");
  try {
    sink.Raw("x_raw01", {2});
    ADD_FAILURE() << "duplicate accepted";
  } catch (const BuildError& e) {
    EXPECT_NE(std::string(e.what()).find("first by module one"), std::string::npos);
  }
  EXPECT_THROW(sink.Raw("x_toolongname", {1}), BuildError);
  EXPECT_THROW(sink.Raw("x-bad", {1}), BuildError);
  EXPECT_THROW(sink.Raw("", {1}), BuildError);
  EXPECT_THROW(sink.WaveList("w_none01", {}), BuildError);
  EXPECT_THROW(sink.ImageList("s_dup01", {{"A", 2, 2, 1, [](cairo_t*, int) {}},
                                          {"A", 2, 2, 1, [](cairo_t*, int) {}}}),
               BuildError);
  EXPECT_EQ(sink.RemoveStale(), 1);
  EXPECT_FALSE(fs::exists(tree / "old_entry.img"));
  EXPECT_TRUE(fs::exists(tree / "notes.txt"));
  EXPECT_TRUE(fs::exists(tree / "x_raw01.bin"));
  EXPECT_EQ(fs::file_size(tree / "b_test01.hit"), 76800u);
}

TEST(TreeWriter, PhraseTableWritesTableAndSpokenWaves) {
  TempDir dir;
  std::ofstream(fs::path(dir.Dir()) / "talk.txt") << "voice: pitch 60 speed 170\n"
                                                     "phrase 2 kind 1 price 5\nДА!\n"
                                                     "phrase 12\nНЕТ.\nsay: нет, спасибо.\n";
  TreeSink sink({fs::path(dir.Dir()).string(), (fs::path(dir.Dir()) / "tree").string(), ""});
  sink.PhraseTable("tst", "talk.txt", 14000);
  EXPECT_EQ(fs::file_size(fs::path(dir.Dir()) / "tree" / "t_tst01.phr"), 12u * 111);
  for (const char* w : {"tst002.wav", "tst012.wav"}) {
    std::ifstream in(fs::path(dir.Dir()) / "tree" / w, std::ios::binary);
    ASSERT_TRUE(in) << w;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    vepa::SoundBuffer sb;
    ASSERT_TRUE(vepa::ParseWave(bytes.data(), bytes.size(), sb)) << w;
    EXPECT_EQ(sb.SampleRate, 14000);
    EXPECT_GT(sb.FrameCount(), 14000u / 10);
  }
  EXPECT_FALSE(fs::exists(fs::path(dir.Dir()) / "tree" / "tst001.wav"));  // fillers are silent
  EXPECT_THROW(sink.PhraseTable("toolong", "talk.txt", 14000), BuildError);
  EXPECT_THROW(sink.PhraseTable("zz", "missing.txt", 14000), BuildError);
}

// ---------------------------------------------------------------------------------------------
// FontP layout shared with modules.

TEST(FontPLayout, GlyphsAndAdvancesFollowTheGameTables) {
  EXPECT_EQ(art::FontPGlyph(0xC0, 0), 0);   // А
  EXPECT_EQ(art::FontPGlyph(0xDF, 0), 31);  // Я
  EXPECT_EQ(art::FontPGlyph('7', 0), 39);
  EXPECT_EQ(art::FontPGlyph('7', 1), 87);
  EXPECT_EQ(art::FontPGlyph('-', 1), 90);
  EXPECT_EQ(art::FontPGlyph(')', 0), 92);
  EXPECT_EQ(art::FontPGlyph(' ', 0), -1);
  EXPECT_EQ(art::FontPGlyph(0xE0, 0), 0);  // small letters draw as "А"
  // "ВЫХОД" at size 12: widths 23, 33, 22, 20, 32 -> 7+1, 10+1, 7+1, 6+1, 10+1.
  EXPECT_EQ(art::FontPTextWidth("\xC2\xDB\xD5\xCE\xC4", 0, 12), 8 + 11 + 8 + 7 + 11);
  // Exact halves go to the even neighbour: w 19 at size 1 is 0.5 -> 0, at size 3 1.5 -> 2.
  EXPECT_EQ(art::FontPAdvance('7', 1, 1), 1);
  EXPECT_EQ(art::FontPAdvance('7', 1, 3), 3);
  EXPECT_EQ(art::FontPAdvance(' ', 0, 38), 22);  // a space advances like "Г"
}

// ---------------------------------------------------------------------------------------------
// Launcher pictures.

// Where a launcher picture lies in the dialog and whether the dialog shows through it.
struct Placement {
  std::string Component;
  int Left, Top, Width, Height;
  bool Transparent;
  bool operator==(const Placement&) const = default;
  friend std::ostream& operator<<(std::ostream& o, const Placement& p) {
    return o << p.Component << " " << p.Width << "x" << p.Height << " at " << p.Left << "," << p.Top
             << (p.Transparent ? " transparent" : " opaque");
  }
};
// The placement of a drawn picture or of one in the compiled table.
template <typename Picture>
Placement PlacementOf(const Picture& p) {
  return {p.Component, p.Left, p.Top, p.Width, p.Height, p.Transparent};
}

TEST(LauncherPictures, PlacesSizesAndUnclippedCaptions) {
  const std::vector<LauncherImage> p = DrawLauncherPictures();
  ASSERT_EQ(p.size(), 5u);
  const Placement want[5] = {{"Image2", 0, 0, 213, 116, false},
                             {"Image6", 14, 29, 189, 12, true},
                             {"Image7", 42, 16, 133, 25, true},
                             {"Image11", 11, 10, 195, 43, true},
                             {"Image1", 81, 64, 55, 12, false}};
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(want[i].Component);
    EXPECT_EQ(PlacementOf(p[i]), want[i]);
    ASSERT_EQ(p[i].Pixels.size(), static_cast<size_t>(want[i].Width) * want[i].Height);
    if (!want[i].Transparent) {
      EXPECT_EQ(std::count(p[i].Pixels.begin(), p[i].Pixels.end(), kTransparentColor), 0);
      continue;
    }
    // A caption has drawn letters, and none touch its edges (a clipped word would).
    const auto& px = p[i].Pixels;
    const size_t drawn =
        std::count_if(px.begin(), px.end(), [](uint16_t c) { return c != kTransparentColor; });
    EXPECT_GT(drawn, px.size() / 10);
    for (int x = 0; x < p[i].Width; ++x) {
      EXPECT_EQ(px[x], kTransparentColor) << "top edge at " << x;
      EXPECT_EQ(px[static_cast<size_t>(p[i].Height - 1) * p[i].Width + x], kTransparentColor)
          << "bottom edge at " << x;
    }
    for (int y = 0; y < p[i].Height; ++y) {
      EXPECT_EQ(px[static_cast<size_t>(y) * p[i].Width], kTransparentColor) << "left edge at " << y;
      EXPECT_EQ(px[static_cast<size_t>(y) * p[i].Width + p[i].Width - 1], kTransparentColor)
          << "right edge at " << y;
    }
  }
}

TEST(LauncherPictures, CompiledTableMatchesTheDrawing) {
  // The game links the generated source; it must be what the builder draws now.
  const std::vector<LauncherImage> p = DrawLauncherPictures();
  for (int i = 0; i < 5; ++i) {
    const vepa::LauncherPicture& c = vepa::kLauncherPictures[i];
    EXPECT_EQ(PlacementOf(p[i]), PlacementOf(c));
    ASSERT_EQ(p[i].Pixels.size(), static_cast<size_t>(c.Width) * c.Height);
    EXPECT_TRUE(std::equal(p[i].Pixels.begin(), p[i].Pixels.end(), c.Pixels)) << c.Component;
    EXPECT_EQ(p[i].TransparentColor, c.TransparentColor);
  }
  const std::string src = LauncherSource(p);
  EXPECT_NE(src.find("const LauncherPicture kLauncherPictures[5]"), std::string::npos);
  EXPECT_NE(src.find("{\"Image11\", 11, 10, 195, 43, kImage11Pixels, true, 0xF81F}"),
            std::string::npos);
}

// ---------------------------------------------------------------------------------------------
// The common entries in the built archive.

class CommonArchive : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string dir = VEPA_DATA_DIR;
    if (!dir.empty() && dir.back() != '/') dir += '/';
    archive_.SetDataDir(dir);
    std::vector<uint8_t> bytes;
    ASSERT_EQ(archive_.ReadEntry("s_all01", bytes), vepa::ArchiveResult::Ok)
        << "the default content archive is missing in " << VEPA_DATA_DIR;
    std::string error;
    ASSERT_TRUE(vepa::DecodeImageList(bytes.data(), bytes.size(), images_, &error)) << error;
  }
  const vepa::Image& Get(const std::string& name) {
    for (const auto& i : images_) {
      if (i.Name == name) return i;
    }
    ADD_FAILURE() << "s_all01 lacks " << name;
    static vepa::Image none;
    return none;
  }
  // Alpha of pattern p at (x, y): 0 for transparent pixels.
  static int AlphaAt(const vepa::Image& img, int p, int x, int y) {
    int ox = 0, oy = 0;
    if (!img.PatternOrigin(p, ox, oy)) return -1;
    const size_t i = static_cast<size_t>(oy + y) * img.Width + ox + x;
    if (img.Transparent && img.Pixels[i] == img.TransparentColor) return 0;
    return img.Alpha.empty() ? 255 : img.Alpha[i];
  }
  static uint16_t PixelAt(const vepa::Image& img, int p, int x, int y) {
    int ox = 0, oy = 0;
    img.PatternOrigin(p, ox, oy);
    return img.Pixels[static_cast<size_t>(oy + y) * img.Width + ox + x];
  }
  vepa::Archive archive_;
  std::vector<vepa::Image> images_;
};

TEST_F(CommonArchive, PicturesHaveTheirPatternsAndSizes) {
  struct Want {
    const char* name;
    int w, h, patterns;
  };
  for (const Want& w :
       {Want{"FontP", 38, 38, 93}, Want{"EFont01", 8, 14, 13}, Want{"Ruka01", 56, 56, 3},
        Want{"Ruka02", 56, 56, 3}, Want{"Ruka03", 56, 56, 4}, Want{"Bazar01", 200, 140, 1},
        Want{"Bazar02", 73, 63, 1}, Want{"Exi01", 286, 166, 1}, Want{"Button01", 100, 45, 2},
        Want{"Bax01", 96, 50, 1}, Want{"PlRot01", 70, 62, 5}, Want{"Pricel01", 127, 137, 1}}) {
    const vepa::Image& img = Get(w.name);
    EXPECT_EQ(img.PatternWidth, w.w) << w.name;
    EXPECT_EQ(img.PatternHeight, w.h) << w.name;
    EXPECT_EQ(img.PatternCount(), w.patterns) << w.name;
  }
}

TEST_F(CommonArchive, FontGlyphsHaveInkWithinTheirDesignWidth) {
  const vepa::Image& font = Get("FontP");
  for (int g = 0; g < 93; ++g) {
    int left = 99, right = -1, ink = 0;
    for (int y = 0; y < 38; ++y) {
      for (int x = 0; x < 38; ++x) {
        if (AlphaAt(font, g, x, y) > 128) {
          ++ink;
          left = std::min(left, x);
          right = std::max(right, x);
        }
      }
    }
    const int w = art::kFontPWidths[g];
    EXPECT_GT(ink, 15) << "glyph " << g << " is empty";
    // The next glyph starts w units further on; a narrow sign may reach a little past it.
    EXPECT_LE(right, w + (w < 14 ? 5 : 1)) << "glyph " << g << " runs into its neighbour";
    EXPECT_LE(left, 4) << "glyph " << g << " leaves a gap at its left";
  }
}

TEST_F(CommonArchive, HotSpotsAndJoinsFitTheGame) {
  // The pointer's fingertip is at (+5, +25) in every press pattern, at the hand's left tip.
  const vepa::Image& hand = Get("Ruka01");
  for (int p = 0; p < 3; ++p) {
    EXPECT_GT(AlphaAt(hand, p, 5, 25), 200) << "pattern " << p;
    int leftmost = 99;
    for (int y = 0; y < 56; ++y) {
      for (int x = 0; x < 56; ++x) {
        if (AlphaAt(hand, p, x, y) > 128) leftmost = std::min(leftmost, x);
      }
    }
    EXPECT_GE(leftmost, 0);
    EXPECT_GE(5 - leftmost, 0);
    EXPECT_LE(5 - leftmost, 6) << "pattern " << p;
  }
  // The bubble tail's first rows are the bubble's own fill, so the outline of the bubble's
  // edge disappears under the joint.
  const vepa::Image& bubble = Get("Bazar01");
  const vepa::Image& tail = Get("Bazar02");
  const uint16_t fill = PixelAt(bubble, 0, 100, 80);
  for (int y = 0; y < 5; ++y) {
    for (int x = 18; x <= 38; ++x) EXPECT_EQ(PixelAt(tail, 0, x, y), fill) << x << "," << y;
  }
  // The bubble's edges lie where the tails join: rows 19..21 and 137..139 are outline.
  EXPECT_NE(PixelAt(bubble, 0, 100, 20), fill);
  EXPECT_NE(PixelAt(bubble, 0, 100, 138), fill);
  EXPECT_EQ(PixelAt(bubble, 0, 100, 24), fill);
  EXPECT_EQ(PixelAt(bubble, 0, 100, 134), fill);
  // The exit box's answer areas are solid, and the aim point of the sight is its centre dot.
  const vepa::Image& box = Get("Exi01");
  for (int x : {104, 118, 132, 144, 158, 172}) {
    for (int y : {89, 105, 122}) EXPECT_EQ(AlphaAt(box, 0, x, y), 255) << x << "," << y;
  }
  const vepa::Image& sight = Get("Pricel01");
  EXPECT_GT(AlphaAt(sight, 0, 63, 68), 200);
  EXPECT_EQ(AlphaAt(sight, 0, 63 + 9, 68 + 9), 0);
}

TEST_F(CommonArchive, WavesAndMusic) {
  std::vector<uint8_t> bytes;
  ASSERT_EQ(archive_.ReadEntry("w_all01", bytes), vepa::ArchiveResult::Ok);
  std::vector<vepa::Wave> waves;
  std::string error;
  ASSERT_TRUE(vepa::DecodeWaveList(bytes.data(), bytes.size(), waves, &error)) << error;
  std::set<std::string> names;
  for (const auto& w : waves) names.insert(w.Name);
  EXPECT_EQ(names, (std::set<std::string>{"Boom01", "Boom02", "Boom03", "Boom04", "Boom05",
                                          "Boom06", "Boom07", "Boom08", "Boom26", "Bulk01",
                                          "Bulk02", "Clock01", "Melnic01", "Pick01"}));
  ASSERT_EQ(archive_.ReadEntry("m_vepa4", bytes), vepa::ArchiveResult::Ok);
  vepa::SoundBuffer music;
  ASSERT_TRUE(vepa::ParseWave(bytes.data(), bytes.size(), music, &error)) << error;
  EXPECT_EQ(music.SampleRate, 22050);
  EXPECT_EQ(music.Channels, 1);
  const double seconds = static_cast<double>(music.FrameCount()) / music.SampleRate;
  EXPECT_GE(seconds, 20);
  EXPECT_LE(seconds, 40);
}

// A mirrored outline is whole and symmetric: the half given on the right comes back on the left,
// so a filled heart covers the same pixels on both sides of its middle and leaves no gap there.
// A list that is not a start and whole cubics is refused.
TEST(MirroredOutline, FillsBothSidesAlikeAndRefusesBrokenLists) {
  constexpr int kSize = 64;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, kSize, kSize);
  cairo_t* cr = cairo_create(surface);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  // The right half of a heart: from the dip at the top over the lobe down to the point.
  art::MirroredOutline(cr, 32, 24, 24, 24,
                       {0, -0.3, 0.3, -1.1, 1.2, -0.7, 0.9, 0.1, 0.7, 0.6, 0.3, 0.9, 0, 1.4});
  cairo_fill(cr);
  cairo_surface_flush(surface);
  const unsigned char* px = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  int inked = 0, unlike = 0;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize / 2; ++x) {
      const bool left = px[y * stride + x] != 0, right = px[y * stride + (kSize - 1 - x)] != 0;
      inked += left + right;
      unlike += left != right;
    }
  EXPECT_GT(inked, 600);
  // Pixel centres mirror about x = 32 onto x' = 63 - x, so only the sampling of the edges
  // may differ.
  EXPECT_LT(unlike, inked / 20);
  EXPECT_NE(px[30 * stride + 31], 0) << "the middle is filled";
  EXPECT_NE(px[30 * stride + 32], 0);
  for (std::initializer_list<double> broken :
       {std::initializer_list<double>{0, 0, 1, 1, 2, 2}, {0, 0, 1, 1, 2, 2, 3, 3, 4}}) {
    EXPECT_THROW(art::MirroredOutline(cr, 32, 24, 24, 24, broken), BuildError);
  }
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
}

}  // namespace
}  // namespace content

// The shared effect recipe: as long as asked, loud at the strike and dying away, with the
// noise burst adding high content that the tone alone does not have.
TEST(EffectRecipe, HitStrikesAndDiesAway) {
  constexpr int kRate = 11000;
  synth::HitRecipe r{.Seconds = 0.4, .Tone = {.F0 = 300, .F1 = 120}};
  const synth::Buffer b = synth::Hit(r, kRate);
  ASSERT_EQ(b.size(), synth::Samples(0.4, kRate));
  auto energy = [&](size_t from, size_t to) {
    double e = 0;
    for (size_t i = from; i < to; ++i) e += double(b[i]) * b[i];
    return e;
  };
  const size_t tenth = b.size() / 10;
  EXPECT_GT(energy(0, tenth), 50 * energy(b.size() - tenth, b.size()));
  EXPECT_GT(energy(0, tenth), 0.5);
  r.Noise.Gain = 0;
  const synth::Buffer pure = synth::Hit(r, kRate);
  // What is left above 1500 Hz comes from the noise.
  auto high = [&](synth::Buffer x) {
    synth::HighPass(x, kRate, 1500);
    double e = 0;
    for (float v : x) e += double(v) * v;
    return e;
  };
  EXPECT_GT(high(b), 4 * high(pure));
}
