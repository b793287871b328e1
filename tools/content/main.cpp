// vepa4-content: builds the default content tree from the modules under content/, or writes
// the launcher's compiled-in pictures as C++ source.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "content.h"
#include "launcher.h"
#include "mockup.h"
#include "sink.h"
#include "speech.h"

namespace {

void Usage() {
  std::fprintf(stderr,
               "usage: vepa4-content --source CONTENT_DIR --out TREE_DIR [--preview PNG_DIR]\n"
               "                     [--only MODULE[,MODULE...]]\n"
               "       vepa4-content --out TREE_DIR --mockup PNG_DIR\n"
               "       vepa4-content --list\n"
               "       vepa4-content --launcher-source OUT.cpp [--preview PNG_DIR]\n");
}

std::vector<std::string> SplitCommas(const std::string& s) {
  std::vector<std::string> out;
  std::stringstream in(s);
  std::string part;
  while (std::getline(in, part, ',')) {
    if (!part.empty()) out.push_back(part);
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  std::string source, out, preview, launcher, only, mockup;
  bool list = false;
  // The options that take a value, and where it goes.
  const std::pair<const char*, std::string*> valued[] = {
      {"--source", &source},
      {"--out", &out},
      {"--preview", &preview},
      {"--only", &only},
      {"--launcher-source", &launcher},
      {"--mockup", &mockup},
  };
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const auto* option = std::find_if(std::begin(valued), std::end(valued),
                                      [&](const auto& o) { return a == o.first; });
    if (option != std::end(valued)) {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "vepa4-content: %s needs a value\n", a.c_str());
        return 2;
      }
      *option->second = argv[++i];
    } else if (a == "--list") {
      list = true;
    } else if (a == "--help" || a == "-h") {
      Usage();
      return 0;
    } else {
      std::fprintf(stderr, "vepa4-content: unknown argument '%s'\n", a.c_str());
      Usage();
      return 2;
    }
  }

  std::vector<content::Module> modules = content::Modules();
  std::sort(modules.begin(), modules.end(), [](const content::Module& a, const content::Module& b) {
    return std::strcmp(a.Name, b.Name) < 0;
  });
  if (list) {
    for (const auto& m : modules) std::printf("%s\n", m.Name);
    return 0;
  }
  try {
    if (!launcher.empty()) {
      content::WriteLauncherSource(launcher);
      if (!preview.empty()) content::WriteLauncherPreview(preview);
      return 0;
    }
    if (!mockup.empty()) {
      if (out.empty()) throw content::BuildError("--mockup needs --out TREE_DIR");
      content::WriteCommonMockups(out, mockup);
      return 0;
    }
    if (source.empty() || out.empty()) {
      Usage();
      return 2;
    }
    std::set<std::string> wanted;
    for (const std::string& n : SplitCommas(only)) wanted.insert(n);
    for (const std::string& n : wanted) {
      bool known = std::any_of(modules.begin(), modules.end(),
                               [&](const content::Module& m) { return n == m.Name; });
      if (!known) throw content::BuildError("--only: no module named '" + n + "' (see --list)");
    }
    const auto start = std::chrono::steady_clock::now();
    content::TreeSink sink({source, out, preview});
    // The speech cache sits beside the tree, not in it: everything in the tree is packed.
    std::string tree = out;
    while (tree.size() > 1 && tree.back() == '/') tree.pop_back();
    content::SetSpeechCache(tree + "-speech-cache");
    for (const auto& m : modules) {
      if (!wanted.empty() && !wanted.count(m.Name)) continue;
      sink.SetModule(m.Name);
      try {
        m.Build(sink);
      } catch (const content::BuildError& e) {
        throw content::BuildError(std::string("module ") + m.Name + ": " + e.what());
      } catch (const std::exception& e) {
        throw content::BuildError(std::string("module ") + m.Name +
                                  ": unexpected failure: " + e.what());
      }
    }
    // A partial build leaves the other modules' files alone.
    const int removed = wanted.empty() ? sink.RemoveStale() : 0;
    const double secs =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf(
        "vepa4-content: %zu entries (%d written, %d unchanged, %d stale removed) in %.2f s\n",
        sink.Entries().size(), sink.FilesWritten(), sink.FilesUnchanged(), removed, secs);
  } catch (const content::BuildError& e) {
    std::fprintf(stderr, "vepa4-content: error: %s\n", e.what());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vepa4-content: error: %s\n", e.what());
    return 1;
  }
  return 0;
}
