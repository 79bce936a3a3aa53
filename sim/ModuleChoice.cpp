#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "sim/BenchState.h"

namespace sim {
namespace {

constexpr const char* kVariable = "QUEV_SIM_MODULES";

struct ModuleChoice {
  bool Quev = false;
  bool QuevDac = false;
  bool Usb3000 = false;
};

// "none", or a comma-separated list of "quev", "quev-nodac" and "usb3000", each at most once
// and the Quev module with or without its DAC, never both. False for anything else.
bool Parse(const std::string& text, ModuleChoice& choice) {
  choice = ModuleChoice{};
  if (text == "none") return true;
  std::istringstream items(text);
  std::string item;
  bool any = false;
  while (std::getline(items, item, ',')) {
    if ((item == "quev" || item == "quev-nodac") && !choice.Quev) {
      choice.Quev = true;
      choice.QuevDac = item == "quev";
    } else if (item == "usb3000" && !choice.Usb3000) {
      choice.Usb3000 = true;
    } else {
      return false;
    }
    any = true;
  }
  return any && text.back() != ',';
}

}  // namespace

void ApplyModuleChoice(ModuleAnswers& quev, ModuleAnswers& usb3000) {
  const char* chosen = std::getenv(kVariable);
  if (chosen == nullptr) return;
  ModuleChoice choice;
  if (!Parse(chosen, choice)) {
    std::fprintf(stderr,
                 "%s=\"%s\" names no set of modules (\"quev\", \"quev-nodac\", \"usb3000\" "
                 "separated by commas, or \"none\"): both modules answer\n",
                 kVariable, chosen);
    return;
  }
  quev.Present = choice.Quev;
  quev.DacFitted = choice.QuevDac;
  usb3000.Present = choice.Usb3000;
}

}  // namespace sim
