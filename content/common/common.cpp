#include "content.h"
static void Build(content::ContentSink&) {}
VEPA_CONTENT_MODULE(common, Build);
