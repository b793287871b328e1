// Bitmap-font text: the glyph table, the advance rule with its rounding, placement of drawn
// glyphs, the fixed digit font and the code page 1251 conversion.
#include "engine/text.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "service_fixture.h"

namespace vepa {
namespace {

using servicetest::ServiceTest;
using servicetest::SolidImage;

// Glyph g of the test font is a solid colour that stays recognisable after the 254 blend:
// red and green steps of 4 (in 5- and 6-bit units) encode the glyph number.
uint16_t GlyphColor(int glyph) {
  const int r = 4 + (glyph % 7) * 4;
  const int g = 4 + (glyph / 7) * 4;
  return static_cast<uint16_t>((r << 11) | (g << 5) | 31);
}

// The glyph whose colour is nearest to a pixel; -1 for black (nothing drawn).
int GlyphAt(const Surface& s, int x, int y) {
  const uint16_t p = s.At(x, y);
  if (p == 0) return -1;
  const int r = p >> 11, g = (p >> 5) & 63;
  int best = -2, bestDistance = 1 << 30;
  for (int glyph = 0; glyph < 93; ++glyph) {
    const uint16_t c = GlyphColor(glyph);
    const int d = std::abs((c >> 11) - r) + std::abs(((c >> 5) & 63) - g);
    if (d < bestDistance) {
      bestDistance = d;
      best = glyph;
    }
  }
  return bestDistance <= 2 ? best : -2;
}

class TextTest : public ServiceTest {
 protected:
  TextTest() : ServiceTest(false) {
    s.layer.Images(1)->Images = {
        SolidImage("FontP", 93, 4, 4, GlyphColor),
        SolidImage("EFont01", 13, 6, 9, [](int p) { return static_cast<uint16_t>(0x1000 + p); }),
    };
  }
  // Every pixel of the back buffer is still black.
  bool ScreenUntouched() {
    for (uint16_t p : s.Screen().pixels)
      if (p != 0) return false;
    return true;
  }
  // The glyph drawn with its left edge at column x: x shows it, x - 1 does not.
  void ExpectGlyphStartsAt(int glyph, int x, int y, int height) {
    const Surface& scr = s.Screen();
    EXPECT_EQ(GlyphAt(scr, x, y), glyph) << "at x " << x;
    EXPECT_EQ(GlyphAt(scr, x, y + height - 1), glyph) << "bottom at x " << x;
    EXPECT_NE(GlyphAt(scr, x - 1, y), glyph) << "left of x " << x;
    EXPECT_EQ(GlyphAt(scr, x, y - 1), -1) << "above x " << x;
    EXPECT_EQ(GlyphAt(scr, x, y + height), -1) << "below x " << x;
  }
};

// --- Glyph table.

TEST(FontGlyphTest, LettersDigitsAndSigns) {
  EXPECT_EQ(FontGlyph(192, 0), 0);   // "А"
  EXPECT_EQ(FontGlyph(223, 0), 31);  // "Я"
  EXPECT_EQ(FontGlyph('A', 0), 50);
  EXPECT_EQ(FontGlyph('Z', 1), 75);
  EXPECT_EQ(FontGlyph('0', 0), 32);
  EXPECT_EQ(FontGlyph('9', 0), 41);
  EXPECT_EQ(FontGlyph('0', 1), 80);
  EXPECT_EQ(FontGlyph('9', 1), 89);
  EXPECT_EQ(FontGlyph('-', 0), 47);
  EXPECT_EQ(FontGlyph('-', 1), 90);
  const char signs[] = "!.,$?:/<>@'()";
  const int glyphs[] = {42, 43, 44, 45, 46, 48, 49, 76, 77, 78, 79, 91, 92};
  for (int i = 0; i < 13; ++i) {
    EXPECT_EQ(FontGlyph(static_cast<unsigned char>(signs[i]), 0), glyphs[i]) << signs[i];
    EXPECT_EQ(FontGlyph(static_cast<unsigned char>(signs[i]), 1), glyphs[i]) << signs[i];
  }
  EXPECT_EQ(FontGlyph(' ', 0), -1);
}

TEST(FontGlyphTest, CharactersWithoutAPictureShowTheFirstLetter) {
  EXPECT_EQ(FontGlyph(224, 0), 0);  // "а"
  EXPECT_EQ(FontGlyph(255, 0), 0);  // "я"
  EXPECT_EQ(FontGlyph(168, 0), 0);  // "Ё"
  EXPECT_EQ(FontGlyph('a', 0), 0);
  EXPECT_EQ(FontGlyph('%', 0), 0);
  EXPECT_EQ(FontGlyph('+', 1), 0);
  EXPECT_EQ(FontGlyph(0, 0), 0);
}

// --- Advances.

TEST(TextAdvanceTest, FullSizeCellAdvancesByTheDesignWidthPlusOne) {
  // At size 38 the scale is 1: a = w + 1.
  EXPECT_EQ(TextAdvance(192, 0, 38), 27);  // "А", w 26
  EXPECT_EQ(TextAdvance(222, 0, 38), 38);  // "Ю", w 37
  EXPECT_EQ(TextAdvance('.', 0, 38), 7);   // w 6
  EXPECT_EQ(TextAdvance(' ', 0, 38), 22);  // like glyph 3, w 21
}

TEST(TextAdvanceTest, ExactHalvesGoToTheEvenNeighbour) {
  // Size 19: the scale is exactly 2, so odd widths land on halves.
  EXPECT_EQ(TextAdvance(195, 0, 19), 11);  // "Г" w 21: 10.5 -> 10
  EXPECT_EQ(TextAdvance(194, 0, 19), 13);  // "В" w 23: 11.5 -> 12
  EXPECT_EQ(TextAdvance(201, 0, 19), 13);  // "Й" w 25: 12.5 -> 12
  EXPECT_EQ(TextAdvance(216, 0, 19), 17);  // "Ш" w 33: 16.5 -> 16
  EXPECT_EQ(TextAdvance(217, 0, 19), 19);  // "Щ" w 35: 17.5 -> 18
  EXPECT_EQ(TextAdvance(222, 0, 19), 19);  // "Ю" w 37: 18.5 -> 18
}

TEST(TextAdvanceTest, TheScaleIsKeptAsA48BitReal) {
  // The style-1 "7" (glyph 87, w 19) at odd sizes would land on a half with an exact scale;
  // the 40-bit mantissa of 38 / size decides the side. Expected values from exact rational
  // arithmetic on the mantissa rounded to nearest; sizes 9, 17, 21, 23, 27 differ from exact
  // arithmetic and sizes 11, 17, 23, 27 from a scale rounded to 12 decimal digits.
  const int expected[] = {5,  6,  6,  7,  7,  7,  8,  9,  9,  10, 10, 11,
                          11, 12, 12, 12, 13, 13, 14, 15, 15, 15, 16};
  for (int size = 8; size <= 30; ++size)
    EXPECT_EQ(TextAdvance('7', 1, size), expected[size - 8]) << "size " << size;
  // The style-0 "7" (w 23) has no such case.
  EXPECT_EQ(TextAdvance('7', 0, 17), 11);  // 10.29 -> 10
}

TEST(TextAdvanceTest, AllGlyphsAtAllSizesAgreeWithTheExactModel) {
  // Sum of a over the 93 glyphs for each size 8..30, from the same exact rational model.
  int total = 0;
  // Characters that reach each glyph: А..Я, the digits of both styles, the signs, A..Z.
  std::string style0, style1;
  for (int c = 192; c <= 223; ++c) style0 += static_cast<char>(c);
  style0 += "0123456789!.,$?-:/";
  for (char c = 'A'; c <= 'Z'; ++c) style0 += c;
  style0 += "<>@'";
  style1 = "0123456789-()";
  ASSERT_EQ(style0.size() + style1.size(), 93u);
  for (int size = 8; size <= 30; ++size)
    total += TextWidth(style0, 0, size) + TextWidth(style1, 1, size);
  EXPECT_EQ(total, 26008);
}

TEST(TextAdvanceTest, WidthSumsTheAdvances) {
  const std::string exitCaption = Cp1251("ВЫХОД");
  // В 23 -> 8, Ы 33 -> 11, Х 22 -> 8, О 20 -> 7, Д 32 -> 11 at size 12.
  EXPECT_EQ(TextWidth(exitCaption, 0, 12), 45);
  EXPECT_EQ(TextWidth("   ", 0, 12), 24);
  EXPECT_EQ(TextWidth("", 0, 12), 0);
  EXPECT_EQ(TextWidth("-1", 1, 12), TextAdvance('-', 1, 12) + TextAdvance('1', 1, 12));
  EXPECT_EQ(TextWidth(exitCaption, 0, 0), 0);  // no cell, no width
}

// --- Drawing.

TEST_F(TextTest, CentredByTheSummedAdvancesNotByTheCellSize) {
  DrawTextCentered(g, 320, 100, 12, Cp1251("ВЫХОД"), 0, 15);
  // Total 45, half 22: pens 298, 306, 317, 325, 332; the last cell ends at 344.
  const int pens[] = {298, 306, 317, 325, 332};
  const int glyphs[] = {2, 27, 21, 14, 4};
  for (int i = 0; i < 5; ++i) ExpectGlyphStartsAt(glyphs[i], pens[i], 100, 15);
  EXPECT_EQ(GlyphAt(s.Screen(), 297, 100), -1);
  EXPECT_EQ(GlyphAt(s.Screen(), 343, 100), 4);
  EXPECT_EQ(GlyphAt(s.Screen(), 344, 100), -1);
}

TEST_F(TextTest, OddTotalsAreHalvedTowardZero) {
  // "А" at size 12: 26 * 12 / 38 = 8.2 -> 8, a = 9; half 4.
  DrawTextCentered(g, 100, 50, 12, Cp1251("А"), 0, 12);
  ExpectGlyphStartsAt(0, 96, 50, 12);
}

TEST_F(TextTest, LeftTextDrawsEachGlyphIntoItsCell) {
  DrawTextLeft(g, 10, 20, 30, "A-7", 1, 20);
  // A (w 26): 20.53 -> 21, a 22; "-" in style 1 is glyph 90 (w 14): 11.05 -> 11, a 12.
  ExpectGlyphStartsAt(50, 10, 20, 20);
  ExpectGlyphStartsAt(90, 32, 20, 20);
  ExpectGlyphStartsAt(87, 44, 20, 20);
  EXPECT_EQ(GlyphAt(s.Screen(), 44 + 29, 20), 87);
  EXPECT_EQ(GlyphAt(s.Screen(), 44 + 30, 20), -1);
}

TEST_F(TextTest, DigitStylesUseTheirOwnGlyphs) {
  DrawTextLeft(g, 0, 0, 10, "5-", 0, 10);
  DrawTextLeft(g, 0, 40, 10, "5-", 1, 10);
  EXPECT_EQ(GlyphAt(s.Screen(), 0, 0), 37);
  EXPECT_EQ(GlyphAt(s.Screen(), 0, 40), 85);
  const int a0 = TextAdvance('5', 0, 10), a1 = TextAdvance('5', 1, 10);
  EXPECT_EQ(GlyphAt(s.Screen(), a0, 0), 47);
  EXPECT_EQ(GlyphAt(s.Screen(), a1, 40), 90);
}

TEST_F(TextTest, SmallLettersDrawAsTheFirstCapital) {
  DrawTextLeft(g, 50, 50, 16, Cp1251("яЁ"), 0, 16);
  ExpectGlyphStartsAt(0, 50, 50, 16);
  // "я" advances like "А": 26 * 16 / 38 = 10.9 -> 11, a 12; "Ё" fills 62..77.
  EXPECT_EQ(GlyphAt(s.Screen(), 77, 50), 0);
  EXPECT_EQ(GlyphAt(s.Screen(), 78, 50), -1);
}

TEST_F(TextTest, SpacesAreNotDrawnButTakeRoom) {
  DrawTextLeft(g, 30, 30, 12, "   ", 0, 12);
  DrawTextCentered(g, 300, 30, 12, "  ", 0, 12);
  EXPECT_TRUE(ScreenUntouched());

  DrawTextLeft(g, 30, 30, 12, Cp1251("А Б"), 0, 12);
  // "А" a 9, space a 8: "Б" at 47. Between the cells the space leaves the screen black.
  ExpectGlyphStartsAt(0, 30, 30, 12);
  ExpectGlyphStartsAt(1, 47, 30, 12);
  EXPECT_EQ(GlyphAt(s.Screen(), 42, 30), -1);
}

TEST_F(TextTest, EmptyTextsAndEmptyCellsDrawNothing) {
  DrawTextLeft(g, 30, 30, 12, "", 0, 12);
  DrawTextCentered(g, 30, 30, 12, "", 1, 12);
  DrawDigits(g, 30, 30, "");
  DrawTextLeft(g, 30, 30, 0, "ABC", 0, 12);
  DrawTextLeft(g, 30, 30, -5, "ABC", 0, 12);
  EXPECT_TRUE(ScreenUntouched());
}

TEST_F(TextTest, GlyphsAreDrawnNearlyOpaque) {
  // Alpha 254 leaves a trace of what was below; over a white screen a black glyph is not
  // quite black.
  s.layer.Images(1)->Images = {SolidImage("FontP", 93, 4, 4, [](int) { return uint16_t{0}; })};
  s.layer.Images(1)->Images[0].Transparent = false;
  FillSurface(s.Screen(), 0xFFFF);
  DrawTextLeft(g, 10, 10, 20, "A", 0, 20);
  const uint16_t p = s.Screen().At(15, 15);
  EXPECT_NE(p, 0xFFFF);
  EXPECT_LE(p >> 11, 1);
}

TEST_F(TextTest, AMissingFontIsReportedAndDrawsNothing) {
  s.layer.Images(1)->Images.clear();
  DrawTextLeft(g, 10, 10, 20, "ABC", 0, 20);
  DrawDigits(g, 10, 10, "12");
  EXPECT_TRUE(ScreenUntouched());
  EXPECT_EQ(s.layer.Missing().Names.size(), 2u);
}

TEST_F(TextTest, DigitsGoEightPixelsApartFromXPlusEight) {
  DrawDigits(g, 100, 200, "12:05");
  const int patterns[] = {1, 2, 10, 0, 5};
  for (int i = 0; i < 5; ++i) {
    const int x = 100 + 8 * (i + 1);
    EXPECT_EQ(s.Screen().At(x, 200), 0x1000 + patterns[i]) << i;
    EXPECT_EQ(s.Screen().At(x + 5, 208), 0x1000 + patterns[i]) << i;
  }
  EXPECT_EQ(s.Screen().At(107, 200), 0);
  EXPECT_EQ(s.Screen().At(100 + 40 + 6, 200), 0);
}

TEST_F(TextTest, DigitFontSignsAndOtherCharacters) {
  DrawDigits(g, 0, 0, "^-xA ");
  const int patterns[] = {11, 12, 0, 0, 0};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(s.Screen().At(8 * (i + 1), 0), 0x1000 + patterns[i]);
}

// --- Code page 1251.

TEST(Cp1251Test, CyrillicCapitalsAndSmallLetters) {
  EXPECT_EQ(Cp1251("ВЫХОД"), "\xC2\xDB\xD5\xCE\xC4");
  EXPECT_EQ(Cp1251("АЯая"), "\xC0\xDF\xE0\xFF");
  EXPECT_EQ(Cp1251("Ёё"), "\xA8\xB8");
  EXPECT_EQ(Cp1251("ВЫИГРЫШ: 20$"), "\xC2\xDB\xC8\xC3\xD0\xDB\xD8: 20$");
}

TEST(Cp1251Test, CommonSignsAndWhatHasNoForm) {
  EXPECT_EQ(Cp1251("«№»—–…"), "\xAB\xB9\xBB\x97\x96\x85");
  EXPECT_EQ(Cp1251("“€”"), "\x93\x88\x94");
  EXPECT_EQ(Cp1251("Ω"), "?");
  EXPECT_EQ(Cp1251("a😀b"), "a?b");
  EXPECT_EQ(Cp1251("日本"), "??");
}

TEST(Cp1251Test, BrokenUtf8BecomesQuestionMarks) {
  EXPECT_EQ(Cp1251("\xD0"), "?");  // cut short at the end
  EXPECT_EQ(Cp1251("\xD0"
                   "A"),
            "?A");                      // lead byte without continuation
  EXPECT_EQ(Cp1251("\x80\xBF"), "??");  // stray continuation bytes
  EXPECT_EQ(Cp1251("\xC0\x80"), "??");  // overlong NUL
  EXPECT_EQ(Cp1251("\xF8\x88\x80\x80"), "????");
}

TEST(Cp1251Test, EveryDefinedByteSurvivesTheRoundTrip) {
  for (int b = 1; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    const std::string utf8 = Utf8FromCp1251(one);
    if (b == 0x98) {  // the one unused byte of the code page
      EXPECT_EQ(utf8, "?");
      continue;
    }
    EXPECT_EQ(Cp1251(utf8), one) << "byte " << b;
  }
  EXPECT_EQ(Utf8FromCp1251("\xC2\xDB\xD5\xCE\xC4"), "ВЫХОД");
}

}  // namespace
}  // namespace vepa

namespace vepa {
namespace {

// The strict conversion the content builder relies on: it stops at what the game could not
// show and says why, where the lenient one writes '?'.
TEST(Cp1251Test, StrictConversionRefusesWhatHasNoFormAndSaysWhy) {
  std::string out, why;
  EXPECT_TRUE(Cp1251Strict("ЁЖ? 5$", out, &why));
  EXPECT_EQ(out, "\xA8\xC6? 5$");
  EXPECT_FALSE(Cp1251Strict("ЖΩ", out, &why));
  EXPECT_NE(why.find("'Ω'"), std::string::npos) << why;
  EXPECT_EQ(out, "\xC6") << "what came before the bad character";
  EXPECT_FALSE(Cp1251Strict("\xC4", out, &why));
  EXPECT_NE(why.find("not valid UTF-8"), std::string::npos) << why;
  EXPECT_EQ(Cp1251("ЖΩ\xC4"), "\xC6??");
  EXPECT_EQ(Utf8FromCp1251(Cp1251("ПРИВЕТ, ЁЖ №5")), "ПРИВЕТ, ЁЖ №5");
}

}  // namespace
}  // namespace vepa
