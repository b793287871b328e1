// Pictures and sounds of the two books (the settings book and the journal), shared by the book
// module's files.
#pragma once

#include <cairo.h>

#include <vector>

#include "content.h"

namespace books {

// The board with the book on it ("l_brn01").
void DrawBoard(cairo_t* cr);
// Every sheet, button and page picture of "s_book02".
std::vector<content::ImageSpec> BookImages();
// The journal's photographs (part of "s_book02").
std::vector<content::ImageSpec> JournalPhotos();
// A photograph of a sitter at the studio microphone: 0..6 the voice actors of the journal's
// pages 3..9, 7 the lady of the ideas.
void DrawPortraitPhoto(cairo_t* cr, int w, int h, int sitter);
// "w_book02".
std::vector<content::WaveSpec> BookWaves();

}  // namespace books
