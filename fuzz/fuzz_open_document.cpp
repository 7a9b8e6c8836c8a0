// Opens arbitrary bytes as a data file through the whole document: recognition, reading,
// password, damage questions (answered Yes, so the partial paths run), a small read limit,
// upgrades. A file that opens must save over itself (the save reads its bytes back before they
// replace the file, and refuses what would not read whole) and open again with every entry.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "config/Config.h"
#include "document/SoramiDoc.h"
#include "platform/Clock.h"

using namespace sorami;

namespace {

class YesPrompts : public Prompts {
 public:
  void inform(MessageId, const std::vector<std::u16string>&, Icon) override {}
  Answer ask(MessageId, const std::vector<std::u16string>&, Buttons, Answer) override {
    return Answer::Yes;
  }
};

const std::filesystem::path& scratch() {
  static const std::filesystem::path dir = [] {
    std::filesystem::path d =
        std::filesystem::temp_directory_path() / ("sorami-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    return d;
  }();
  return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::filesystem::path in = scratch() / "in.mtb";
  std::filesystem::remove(in);
  {
    std::ofstream f(in, std::ios::binary);
    f.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  CConfig config;
  YesPrompts prompts;
  SystemClock clock;
  CSoramiDoc doc(config, prompts, clock);
  // Every tenth input is read with a small limit, so trimming runs too.
  if (size % 10 == 0) doc.setReadLimit(8);
  if (!doc.open(in)) return 0;
  if (!doc.save()) std::abort();
  CConfig config2;
  CSoramiDoc again(config2, prompts, clock);
  if (!again.open(in)) std::abort();
  if (again.entries()->size() != doc.entries()->size()) std::abort();
  return 0;
}
