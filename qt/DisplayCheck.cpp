#include "qt/DisplayCheck.h"

#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace qtfront {
namespace {

bool EnvironmentSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

constexpr const char* kNoDisplay =
    "quev: no display available (set DISPLAY, or start it as: xvfb-run -a quev)";

}  // namespace

std::optional<std::string> MissingDisplayMessage() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  const std::string_view name = platform ? platform : "";
  if (name.empty()) {
    if (EnvironmentSet("DISPLAY") || EnvironmentSet("WAYLAND_DISPLAY")) return std::nullopt;
    return std::string(kNoDisplay);
  }
  if (name.starts_with("xcb")) {
    if (EnvironmentSet("DISPLAY")) return std::nullopt;
    return std::string(kNoDisplay);
  }
  if (name.starts_with("wayland")) {
    if (EnvironmentSet("WAYLAND_DISPLAY")) return std::nullopt;
    return std::string(kNoDisplay);
  }
  return std::nullopt;  // offscreen, vnc, linuxfb and the like need no display server
}

namespace {

QtMessageHandler previousHandler = nullptr;
bool startingUp = true;
struct HeldMessage {
  QtMsgType type;
  QString text;
};
std::vector<HeldMessage>& HeldMessages() {
  static std::vector<HeldMessage> held;
  return held;
}

void Pass(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (previousHandler) {
    previousHandler(type, context, message);
  } else {
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
  }
}

void Handle(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type != QtFatalMsg) {
    if (startingUp) {
      HeldMessages().push_back({type, message});
    } else {
      Pass(type, context, message);
    }
    return;
  }
  if (startingUp) {
    // Qt's own text here advises reinstalling, which is seldom the cure: say what failed.
    const char* display = std::getenv("DISPLAY");
    std::fprintf(stderr, "quev: cannot open the display%s%s\n", display ? " " : "",
                 display ? display : "");
  } else {
    std::fprintf(stderr, "quev: %s\n", message.section('\n', 0, 0).toLocal8Bit().constData());
  }
  std::fflush(stderr);
  std::_Exit(EXIT_FAILURE);
}

}  // namespace

void InstallFatalMessageHandler() {
  startingUp = true;
  previousHandler = qInstallMessageHandler(Handle);
}

void FinishStartup() {
  startingUp = false;
  const QMessageLogContext context;
  for (const HeldMessage& held : HeldMessages()) Pass(held.type, context, held.text);
  HeldMessages().clear();
}

}  // namespace qtfront
