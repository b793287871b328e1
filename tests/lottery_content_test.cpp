// The lottery's default content: every entry, image and wave the two scenes use is in the
// archive with the patterns they draw; the areas of the ticket's numbers hold their digits and
// the whole way of the pen; the pen's tip is where the scene reads the map; the announcer's
// clip is long enough for his mouth to move.
#include <set>

#include "engine/loaders.h"
#include "engine/mixer.h"
#include "tests/lottery_fixture.h"
#include "tests/scene_fixture.h"

namespace vepa::testing {
namespace {

// With sound: waves load only with a sound device.
class LotteryContentTest : public SceneFixture {};

TEST_F(LotteryContentTest, EverythingTheScenesUseIsInTheDefaultArchive) {
  for (const SceneId id : {SceneId::Ticket, SceneId::Draw}) {
    const int scene = SceneNo(id);
    AssetNeeds needs;
    g.GetScene(scene)->DeclareAssets(needs);
    ASSERT_FALSE(needs.Entries.empty());
    for (const std::string& e : needs.Entries) {
      EntryInfo info;
      EXPECT_EQ(g.archive.FindEntry(e, info), ArchiveResult::Ok) << scene << ": entry " << e;
    }
    for (const auto& need : needs.Images) {
      const int list = need.Entry == "s_all01" ? 1 : 2;
      if (list == 2) LoadImages(g, 2, need.Entry);
      const Image* img = layer.FindImage(list, need.Name);
      ASSERT_NE(img, nullptr) << need.Entry << ": " << need.Name;
      EXPECT_GE(img->PatternCount(), need.MinPatterns) << need.Entry << ": " << need.Name;
    }
    for (const auto& need : needs.Waves) {
      const int list = need.Entry == "w_all01" ? 1 : 2;
      if (list == 2) LoadWaves(g, 2, need.Entry);
      EXPECT_NE(layer.FindWave(list, need.Name), nullptr) << need.Entry << ": " << need.Name;
    }
  }
  EXPECT_EQ(g.FatalError, 0);
}

TEST_F(LotteryContentTest, EachNumbersAreaHoldsItsDigitsAndTheWholeWayOfThePen) {
  LoadHitMap(g, "b_bil01");
  ASSERT_EQ(g.FatalError, 0);
  std::set<int> codes;
  for (uint8_t c : g.HitMap) codes.insert(c);
  EXPECT_EQ(codes.size(), 37u) << "codes 0 and 1..36, nothing else";
  EXPECT_EQ(*codes.rbegin(), 36);
  for (int n = 1; n <= 36; ++n) {
    const auto c = Cell(n);
    // The digits (about 24 x 18 pixels below the position) and the cross drawn over them.
    for (int y : {c.Y, c.Y + 18})
      for (int x : {c.X - 11, c.X + 11})
        EXPECT_EQ(g.HitMapAt(x, y), n) << n << " at " << x << "," << y;
    // Where the pen arrives to draw: its tip at the cell + (-5, +15).
    const int tx = c.X + lottery::PenAimDX, ty = c.Y + lottery::PenAimDY;
    EXPECT_EQ(g.HitMapAt(tx, ty, lottery::PenTipDX), n) << n << ": arrival point";
    // From every point of the area the pen reaches the arrival point without leaving it.
    for (int row = 0; row < 240; ++row)
      for (int col = 0; col < 320; ++col) {
        if (g.HitMap[row * 320 + col] != n) continue;
        int x = 2 * col - lottery::PenTipDX, y = 2 * row;
        for (int step = 0; step < 100 && (x != tx || y != ty); ++step) {
          x = std::abs(tx - x) > 2 ? x + (tx > x ? 3 : -3) : tx;
          y = std::abs(ty - y) > 2 ? y + (ty > y ? 3 : -3) : ty;
          if (g.HitMapAt(x, y, lottery::PenTipDX) != n) {
            ADD_FAILURE() << "the pen leaves number " << n << " on its way from cell " << col << ","
                          << row << " at " << x << "," << y;
            return;
          }
        }
      }
  }
}

TEST_F(LotteryContentTest, ThePensTipIsWhereTheSceneReadsTheMap) {
  LoadImages(g, 2, "s_bil01");
  const Image* pen = layer.FindImage(2, "Ruka01");
  ASSERT_NE(pen, nullptr);
  ASSERT_FALSE(pen->Alpha.empty());
  auto opaque = [&](int x, int y) { return pen->Alpha[y * pen->Width + x] > 128; };
  // Pattern 0, the pen at rest: the tip at (10, 75) is the lowest, leftmost point of the pen.
  bool tip = false;
  for (int y = 73; y <= 77; ++y)
    for (int x = 8; x <= 12; ++x) tip = tip || opaque(x, y);
  EXPECT_TRUE(tip);
  for (int y = 0; y < pen->PatternHeight; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_FALSE(opaque(x, y)) << "left of the tip at " << x << "," << y;
  for (int y = 80; y < pen->PatternHeight; ++y)
    for (int x = 0; x < 20; ++x) EXPECT_FALSE(opaque(x, y)) << "below the tip at " << x << "," << y;
}

TEST_F(LotteryContentTest, TheAnnouncersClipIsLongEnoughForHisMouthToMove) {
  std::vector<uint8_t> bytes;
  ASSERT_EQ(g.archive.ReadEntry("tvroz01", bytes, true), ArchiveResult::Ok);
  SoundBuffer clip;
  std::string error;
  ASSERT_TRUE(ParseWave(bytes.data(), bytes.size(), clip, &error)) << error;
  EXPECT_EQ(clip.SampleRate, 22000);
  EXPECT_GT(clip.Data.size(), 28000u * 4) << "well past the still opening";
  // Played at its rate, it still ends within the ticks the draw can wait.
  const double seconds = static_cast<double>(clip.FrameCount()) / clip.SampleRate;
  EXPECT_LT(seconds, 12.0);
}

}  // namespace
}  // namespace vepa::testing
