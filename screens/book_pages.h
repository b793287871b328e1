// The page engine of the two books (the settings book and the journal): the "КИОСК" button, the
// two arrows and the board, and the pages that fly off the book or back onto it, one page a
// flight. The book scene calls Step first in its frame, then draws sheet 0 and, while a page is
// moving, sheet 1 on top, then the pointer, then leaves when Leaving is set.
#pragma once

#include <cstdint>

namespace vepa {

struct Game;
class JsonWriter;
struct AssetNeeds;

struct BookSheet {
  double X = 0, Y = 0;
  double DX = 0, DY = 0;  // the step of the moving sheet
};

class BookPages {
 public:
  // The book opens on its cover with nothing moving.
  void Reset();
  // One frame of the engine for a book whose last page is `lastPage`.
  void Step(Game& g, int lastPage);

  bool PageMoving() const { return TurnState != 0; }
  // The page a sheet shows: sheet 0 the shown page, sheet 1 the flying page.
  int SheetPage(int sheet) const { return sheet == 0 ? ShownPage : FlyingPage; }
  // The sheet's position rounded to whole pixels (halves to the even neighbour).
  int SheetX(int sheet) const;
  int SheetY(int sheet) const;

  // Starts the closing transition once the kiosk button was pressed and no transition runs;
  // true when the screen is covered and the next loader may run.
  bool LeaveStep(Game& g) const;

  void DescribeState(JsonWriter& j) const;
  // The pictures and sounds the engine draws and plays.
  static void DeclareAssets(AssetNeeds& a);

  int ShownPage = 0;
  int TargetPage = 0;
  int TurnState = 0;  // 0 still, 1 a page flying away, 2 a page flying back
  int TurnCounter = 0;
  int FlyingPage = 0;
  int LeftPress = 0, RightPress = 0;
  int Leaving = 0;
  BookSheet Sheets[2];

 private:
  void StartTurn(Game& g);
  void PickExitPoint(Game& g, double& ex, double& ey) const;
};

// The "КИОСК" button at the bottom left, the same on both books and the about screen.
void DrawKioskButton(Game& g);

}  // namespace vepa
