#include "tools/host/CommandLine.h"

#include <charconv>
#include <cstdlib>
#include <cmath>

namespace host {

namespace {

// Walks the words of one subcommand: options with their values, and positional words.
class ArgCursor {
 public:
  explicit ArgCursor(std::span<const std::string> args) : mArgs(args) {}

  bool done() const { return mPos >= mArgs.size(); }
  const std::string& next() { return mArgs[mPos++]; }
  // The value following option `name`.
  const std::string& valueOf(const std::string& name) {
    if (done()) throw UsageError(name + " needs a value");
    return next();
  }

 private:
  std::span<const std::string> mArgs;
  std::size_t mPos = 0;
};

bool isOption(const std::string& word) { return word.size() > 1 && word[0] == '-'; }

int32_t intInRange(const std::string& option, const std::string& text, int64_t lo, int64_t hi) {
  std::optional<int64_t> value = parseInteger(text);
  if (!value || *value < lo || *value > hi) {
    throw UsageError(option + " expects a whole number from " + std::to_string(lo) + " to " +
                     std::to_string(hi) + ", not '" + text + "'");
  }
  return static_cast<int32_t>(*value);
}

ParamSetting parseParamSetting(const std::string& text) {
  std::size_t equals = text.find('=');
  const std::string bad = "--param expects INDEX=VALUE with VALUE from 0 to 1, not '" + text + "'";
  if (equals == std::string::npos) throw UsageError(bad);
  std::optional<int64_t> index = parseInteger(text.substr(0, equals));
  std::string valueText = text.substr(equals + 1);
  float value = 0.0f;
  auto [end, error] = std::from_chars(valueText.data(), valueText.data() + valueText.size(), value);
  if (!index || *index < 0 || *index > INT32_MAX || valueText.empty() || error != std::errc() ||
      end != valueText.data() + valueText.size() || !std::isfinite(value) || value < 0.0f ||
      value > 1.0f) {
    throw UsageError(bad);
  }
  return {static_cast<int32_t>(*index), value};
}

// --program N, --preset NAME and --param INDEX=VALUE, as process and screenshot take them;
// false for any other word.
bool parseChoice(const std::string& word, ArgCursor& cursor, std::optional<int32_t>& program,
                 std::optional<std::string>& preset, std::vector<ParamSetting>& params) {
  if (word == "--program") {
    program = intInRange(word, cursor.valueOf(word), 0, INT32_MAX);
  } else if (word == "--preset") {
    preset = cursor.valueOf(word);
  } else if (word == "--param") {
    params.push_back(parseParamSetting(cursor.valueOf(word)));
  } else {
    return false;
  }
  return true;
}

void requirePositionals(const std::vector<std::string>& words, std::size_t count,
                        const char* what) {
  if (words.size() != count) throw UsageError(std::string("expected ") + what);
}

}  // namespace

std::optional<int64_t> parseInteger(const std::string& text) {
  int64_t value = 0;
  const char* begin = text.data();
  if (!text.empty() && text[0] == '+') ++begin;
  auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

InfoOptions parseInfoArgs(std::span<const std::string> args) {
  InfoOptions options;
  std::vector<std::string> words;
  for (ArgCursor cursor(args); !cursor.done();) {
    const std::string& word = cursor.next();
    if (word == "--json") {
      options.json = true;
    } else if (isOption(word)) {
      throw UsageError("info: unknown option " + word);
    } else {
      words.push_back(word);
    }
  }
  requirePositionals(words, 1, "info PLUGIN.so [--json]");
  options.plugin = words[0];
  return options;
}

ProcessOptions parseProcessArgs(std::span<const std::string> args) {
  ProcessOptions options;
  std::vector<std::string> words;
  for (ArgCursor cursor(args); !cursor.done();) {
    const std::string& word = cursor.next();
    if (parseChoice(word, cursor, options.program, options.preset, options.params)) continue;
    if (word == "--block") {
      options.blockSize = intInRange(word, cursor.valueOf(word), 1, kMaxBlockSize);
    } else if (word == "--precision") {
      const std::string& value = cursor.valueOf(word);
      if (value != "single" && value != "double") {
        throw UsageError("--precision expects single or double, not '" + value + "'");
      }
      options.precision = value == "double" ? Precision::Double : Precision::Single;
    } else if (word == "--offline") {
      options.offline = true;
    } else if (word == "--compare") {
      options.compare = parseParamSetting(cursor.valueOf(word));
    } else if (isOption(word)) {
      throw UsageError("process: unknown option " + word);
    } else {
      words.push_back(word);
    }
  }
  requirePositionals(words, 3, "process PLUGIN.so IN OUT [options]");
  if (options.program && options.preset) throw UsageError("give --program or --preset, not both");
  options.plugin = words[0];
  options.input = words[1];
  options.output = words[2];
  return options;
}

StateOptions parseStateArgs(std::span<const std::string> args) {
  StateOptions options;
  std::vector<std::string> words;
  for (ArgCursor cursor(args); !cursor.done();) {
    const std::string& word = cursor.next();
    if (word == "--program") {
      options.programs.push_back(intInRange(word, cursor.valueOf(word), 0, INT32_MAX));
    } else if (isOption(word)) {
      throw UsageError("state: unknown option " + word);
    } else {
      words.push_back(word);
    }
  }
  requirePositionals(words, 3, "state PLUGIN.so save|load FILE");
  options.plugin = words[0];
  if (words[1] == "save") {
    options.action = StateOptions::Action::Save;
  } else if (words[1] == "load") {
    options.action = StateOptions::Action::Load;
  } else {
    throw UsageError("state: expected save or load, not '" + words[1] + "'");
  }
  if (options.action == StateOptions::Action::Load && !options.programs.empty()) {
    throw UsageError("state load takes no --program");
  }
  options.file = words[2];
  return options;
}

ScreenshotOptions parseScreenshotArgs(std::span<const std::string> args) {
  ScreenshotOptions options;
  std::vector<std::string> words;
  for (ArgCursor cursor(args); !cursor.done();) {
    const std::string& word = cursor.next();
    if (parseChoice(word, cursor, options.program, options.preset, options.params)) continue;
    if (word == "--hover") {
      const std::string& value = cursor.valueOf(word);
      const std::size_t comma = value.find(',');
      const std::string bad = "--hover expects X,Y in editor pixels, not '" + value + "'";
      if (comma == std::string::npos) throw UsageError(bad);
      std::optional<int64_t> x = parseInteger(value.substr(0, comma));
      std::optional<int64_t> y = parseInteger(value.substr(comma + 1));
      if (!x || !y || *x < 0 || *y < 0 || *x > INT32_MAX || *y > INT32_MAX) throw UsageError(bad);
      options.hover = {static_cast<int32_t>(*x), static_cast<int32_t>(*y)};
    } else if (word == "--audio") {
      options.audio = cursor.valueOf(word);
    } else if (isOption(word)) {
      throw UsageError("screenshot: unknown option " + word);
    } else {
      words.push_back(word);
    }
  }
  requirePositionals(words, 2, "screenshot PLUGIN.so OUT.png [options]");
  if (options.program && options.preset) throw UsageError("give --program or --preset, not both");
  options.plugin = words[0];
  options.output = words[1];
  return options;
}

namespace {

double secondsIn(const std::string& option, const std::string& text) {
  char* end = nullptr;
  const double value = strtod(text.c_str(), &end);
  if (text.empty() || *end || !(value >= 0.0 && value <= 86400.0)) {
    throw UsageError(option + " expects seconds from 0 to 86400, not '" + text + "'");
  }
  return value;
}

}  // namespace

EditOptions parseEditArgs(std::span<const std::string> args) {
  EditOptions options;
  std::vector<std::string> words;
  for (ArgCursor cursor(args); !cursor.done();) {
    const std::string& word = cursor.next();
    if (word == "--idle-hz") {
      options.idleHz = intInRange(word, cursor.valueOf(word), 1, 1000);
    } else if (word == "--no-idle") {
      options.idleHz = 0;
    } else if (word == "--scale") {
      options.scale = static_cast<float>(intInRange(word, cursor.valueOf(word), 1, 2));
    } else if (word == "--seconds") {
      options.seconds = secondsIn(word, cursor.valueOf(word));
    } else if (word == "--closed-seconds") {
      options.closedSeconds = secondsIn(word, cursor.valueOf(word));
    } else if (word == "--play") {
      options.play = true;
    } else if (word == "--x-server-pid") {
      options.xServerPid = intInRange(word, cursor.valueOf(word), 1, INT32_MAX);
    } else if (isOption(word)) {
      throw UsageError("edit: unknown option " + word);
    } else {
      words.push_back(word);
    }
  }
  requirePositionals(words, 1, "edit PLUGIN.so");
  options.plugin = words[0];
  return options;
}

std::string usageText() {
  return "usage:\n"
         "  tundrax-host info PLUGIN.so [--json]\n"
         "  tundrax-host process PLUGIN.so IN OUT [--program N | --preset NAME]\n"
         "               [--param INDEX=VALUE]... [--block FRAMES] [--precision single|double]\n"
         "               [--offline] [--compare INDEX=VALUE]\n"
         "  tundrax-host state PLUGIN.so save FILE [--program N]...\n"
         "  tundrax-host state PLUGIN.so load FILE\n"
         "  tundrax-host screenshot PLUGIN.so OUT.png [--program N | --preset NAME]\n"
         "               [--param INDEX=VALUE]... [--hover X,Y] [--audio IN.wav]\n"
         "  tundrax-host edit PLUGIN.so [--idle-hz N | --no-idle] [--scale 1|2] [--seconds S]\n"
         "               [--closed-seconds S] [--play] [--x-server-pid PID]\n"
         "  (a state FILE named .fxp or .fxb is a standard VST2 program or bank file)\n";
}

}  // namespace host
