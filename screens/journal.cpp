// The journal, scene 81: the kiosk's own credits book on the board, twelve pages turned with the
// arrows of the book page engine. The voice actors look out of their photographs; a click on
// the magnifying glass beside the book makes the player wonder aloud about what he reads.
#include <memory>
#include <string>
#include <vector>

#include "app/game.h"
#include "app/json.h"
#include "engine/helpers.h"
#include "engine/scene_helpers.h"
#include "engine/sound.h"
#include "engine/text.h"
#include "screens/book_layout.h"
#include "screens/book_pages.h"
#include "screens/journal_pages.h"

namespace vepa {
namespace {

using namespace book;

constexpr SceneEntries kEntries{
    .Background = "l_brn01", .Images = "s_book02", .Waves = "w_book02", .HitMap = "b_book01"};
// The player's two comments, spoken a little lower than in the kiosk.
constexpr int kFirstComment = 17, kComments = 2, kCommentRate = 13000;
constexpr int kMouthFrames = 5;

class JournalScene : public Scene {
 public:
  explicit JournalScene(Game& game) : Scene(game) {
    for (const JournalPage& page : JournalPages) {
      std::vector<std::string> lines;
      for (const JournalLine& line : page.Lines) lines.push_back(Cp1251(line.Text));
      texts_.push_back(std::move(lines));
    }
  }

  void Load(int) override {
    if (!LoadSceneEntries(g, kEntries, {.IdlePointer = true})) return;
    MouthFrame = 0;
    pages_.Reset();
    EnterScene(g, SceneId::Journal);
  }

  void Frame() override {
    pages_.Step(g, JournalLastPage);
    const uint8_t code = g.HitMapAt(g.MouseX, g.MouseY, 0, HitMapDY);
    if (g.ClickState == 1 && g.HandFrame == 1 && code == CodeComment && !IsSpeaking(g))
      SayPhrase(g, "ply", kFirstComment + g.Random(kComments), 1, kCommentRate);
    DrawPage(pages_.SheetPage(0), pages_.SheetX(0), pages_.SheetY(0));
    if (pages_.PageMoving()) DrawPage(pages_.SheetPage(1), pages_.SheetX(1), pages_.SheetY(1));
    if (IsSpeaking(g)) {
      if (g.FrameToggle == 1) MouthFrame = g.Random(kMouthFrames);
      g.layer.Draw(1, "PlRot01", MouthFrame, PlayerMouthX, PlayerMouthY);
      DrawSpeechBubble(g, PlayerBubbleX, PlayerBubbleY, 2);
    }
    PointerPressStep(g);
    DrawPointer(g);
    if (pages_.LeaveStep(g)) ReturnToKiosk(g, HubEntry::Plain);
  }

  void DescribeState(JsonWriter& j) const override {
    pages_.DescribeState(j);
    j.Number("MouthFrame", MouthFrame);
  }

  void DeclareAssets(AssetNeeds& a) const override {
    DeclareSceneEntries(a, kEntries);
    BookPages::DeclareAssets(a);
    a.Images.push_back({"s_book02", "List01", 1});
    a.Images.push_back({"s_book02", "List02", 1});
    for (const JournalPhoto& photo : JournalPhotos) a.Images.push_back({"s_book02", photo.Name, 1});
    a.Images.push_back({"s_all01", "PlRot01", kMouthFrames});
    DeclareSpeechBubble(a);
    a.Entries.push_back("t_ply01");
    for (int n = kFirstComment; n < kFirstComment + kComments; ++n)
      a.Entries.push_back("ply0" + std::to_string(n));
  }

  int MouthFrame = 0;

 private:
  void DrawPage(int page, int x, int y) {
    if (page < 0 || page > JournalLastPage) return;
    g.layer.Draw(2, JournalPages[page].Sheet, 0, x + SheetDX, y + SheetDY);
    for (const JournalPhoto& photo : JournalPhotos)
      if (photo.Page == page) g.layer.Draw(2, photo.Name, 0, x + photo.DX, y + PhotoDY);
    const auto& lines = JournalPages[page].Lines;
    for (size_t i = 0; i < lines.size(); ++i)
      DrawTextCentered(g, x + TextCX, y + lines[i].DY, lines[i].Size, texts_[page][i], 0,
                       lines[i].Height);
  }

  BookPages pages_;
  std::vector<std::vector<std::string>> texts_;
};

}  // namespace

std::unique_ptr<Scene> MakeJournalScene(Game& g) { return std::make_unique<JournalScene>(g); }

}  // namespace vepa
