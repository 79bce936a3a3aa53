#include "qt/DisplayCheck.h"

#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <string_view>

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

void InstallFatalMessageHandler() {
  static QtMessageHandler previous = nullptr;
  previous = qInstallMessageHandler(
      [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (type != QtFatalMsg) {
          if (previous) previous(type, context, message);
          return;
        }
        const QByteArray firstLine = message.section('\n', 0, 0).toUtf8();
        std::fprintf(stderr, "quev: %s\n", firstLine.constData());
        std::fflush(stderr);
        std::_Exit(EXIT_FAILURE);
      });
}

}  // namespace qtfront
