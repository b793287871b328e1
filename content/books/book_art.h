// Pictures and sounds of the two books (the settings book and the journal), shared by the book
// module's files.
#pragma once

#include <vector>

#include "content.h"

namespace books {

// The board with the book on it ("l_brn01").
void DrawBoard(cairo_t* cr);
// Every sheet, button and page picture of "s_book02".
std::vector<content::ImageSpec> BookImages();
// The journal's photographs (part of "s_book02").
std::vector<content::ImageSpec> JournalPhotos();
// "w_book02".
std::vector<content::WaveSpec> BookWaves();

}  // namespace books
