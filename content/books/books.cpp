// The books' module: the board under the book "l_brn01", the sheets, buttons, gramophone,
// selectors, loudspeaker, question mark and the journal's photographs "s_book02", the hit map
// "b_book01" and the sounds "w_book02".
//
// Hit codes: 1 the "КИОСК" button, 2 the left arrow, 3 the right arrow, 4 the magnifying glass
// on the board (the journal's player comments on it; the settings book ignores it).
#include "book_art.h"
#include "content.h"
#include "screens/book_layout.h"

namespace {

using namespace vepa::book;

std::vector<content::HitShape> BookHitMap() {
  return {
      content::HitRect(CodeKiosk, KioskLeft, KioskTop, KioskRight, KioskBottom),
      content::HitRect(CodeLeftArrow, LeftArrowX, ArrowY, LeftArrowX + ArrowW, ArrowY + ArrowH),
      content::HitRect(CodeRightArrow, RightArrowX, ArrowY, RightArrowX + ArrowW, ArrowY + ArrowH),
      content::HitEllipse(CodeComment, CommentLeft, CommentTop, CommentRight, CommentBottom),
  };
}

void Build(content::ContentSink& sink) {
  sink.Background("l_brn01", 640, 480, books::DrawBoard);
  sink.ImageList("s_book02", books::BookImages());
  sink.HitMap("b_book01", BookHitMap());
  sink.WaveList("w_book02", books::BookWaves());
}

}  // namespace

VEPA_CONTENT_MODULE(books, Build);
