#include "editors/addon_script.h"

#include <algorithm>
#include <array>

#include "editors/event_scripts.h"
#include "platform/files.h"
#include "platform/letter_case.h"

namespace editors {

namespace {

// A Pascal text line holds at most this many characters.
constexpr size_t kLineMax = 255;

constexpr std::array<std::string_view, 10> kProtectedNames = {
    "KELD.EXE", "KELD.OVR",    "EVENTS.LDY", "KELD.LDY",    "3RDPARTY.DAT",
    "KELD.DAT", "KELDTXT.DAT", "START.BAT",  "PLAYEXT.DAT", "PLAYER.DAT"};
// Files the event editor holds open or is rewriting while it uninstalls.
constexpr std::array<std::string_view, 3> kFilesInUse = {"EVENTS.DAT", "EVENTS.TMP",
                                                         "3RDPARTY.TMP"};

bool IsLabelLine(std::string_view line) {
  return line.starts_with("@#");
}

// The value of a directive: the rest of the line after the keyword and
// the one character (normally a blank) that follows it.
std::string ValueAfter(std::string_view line, std::string_view keyword) {
  size_t skip = keyword.size() + 1;
  return skip < line.size() ? std::string(line.substr(skip)) : std::string();
}

bool IsDirective(std::string_view upper_line, std::string_view keyword) {
  return upper_line.starts_with(keyword);
}

void SetTarget(const std::string& value, EventRecord& event, InstallActions& actions) {
  std::string name = platform::UpperCase(value);
  if (name == "FOREST") {
    event.Target = kTargetForest;
  } else if (name == "LEAVEBANK") {
    event.Target = kTargetLeaveBank;
  } else if (name == "OTHERPLACES") {
    event.Target = kTargetOtherPlaces;
  } else if (name == "LEAVEINN") {
    event.Target = kTargetLeaveInn;
  } else {
    actions.Message("Unknown @target: \"" + name + "\"");
  }
}

// Copies a code block that starts after line `begin` into the code lines
// and returns the index of the first line after it.
size_t CopyCodeBlock(const std::vector<std::string>& section, size_t begin, EventRecord& event) {
  size_t at = begin + 1;
  size_t written = 0;
  while (at < section.size() && written < event.Code.size()) {
    const std::string& line = section[at++];
    std::string upper = platform::UpperCase(line);
    if (upper == "@CODEEND") break;
    if (upper.find("@CODEEND") != std::string::npos) continue;
    event.Code[written++] = ReplaceFilename(line, event.EventFile);
  }
  CompactCode(event.Code);
  return at;
}

bool IsSeparator(char c) {
  return c == '/' || c == '\\';
}

bool IsOnlyDots(std::string_view part) {
  return part.size() >= 2 && part.find_first_not_of('.') == std::string_view::npos;
}

// The parts of a path that stays inside the directory it is taken from.
std::optional<std::vector<std::string>> SafeParts(std::string_view relative) {
  if (!relative.empty() && IsSeparator(relative.front())) return std::nullopt;
  if (relative.find(':') != std::string_view::npos) return std::nullopt;  // drive or stream
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= relative.size()) {
    size_t end = start;
    while (end < relative.size() && !IsSeparator(relative[end])) ++end;
    std::string_view part = relative.substr(start, end - start);
    if (IsOnlyDots(part)) return std::nullopt;
    if (!part.empty() && part != ".") parts.emplace_back(part);
    start = end + 1;
  }
  return parts;
}

// The deepest directory of `path` that exists, canonical; empty if none.
std::string ExistingCanonical(std::string path) {
  for (;;) {
    std::string canonical = platform::CanonicalDirectory(path);
    if (!canonical.empty()) return canonical;
    while (!path.empty() && IsSeparator(path.back())) path.pop_back();
    size_t cut = path.find_last_of("/\\");
    if (cut == std::string::npos) return {};
    path.resize(cut + 1);
  }
}

// A pattern of wildcards and dots alone ("*", "*.*", "?*", "*.*.*") names
// no file in particular: it matches every name there is.
bool MatchesEveryName(std::string_view pattern) {
  return pattern.find('*') != std::string_view::npos &&
         pattern.find_first_not_of("*?.") == std::string_view::npos;
}

// The running program's own file, under any name that leads to it and in
// any letter case of its own name.
bool IsProgram(const std::string& path, const std::string& name, const std::string& program) {
  return platform::SameIgnoringCase(name, platform::FileName(program)) ||
         platform::SameFile(path, program);
}

bool IsInUse(const std::string& upper_name) {
  return std::any_of(kFilesInUse.begin(), kFilesInUse.end(),
                     [&](std::string_view n) { return upper_name == n; });
}

void DeleteMatching(const std::string& value, const std::string& game_dir,
                    const std::string& program, UninstallReport& report) {
  std::optional<std::vector<std::string>> parts = SafeParts(value);
  if (!parts || parts->empty()) {
    report.CouldNotDelete(value);
    return;
  }
  std::string pattern = parts->back();
  std::string dir_part;
  for (size_t i = 0; i + 1 < parts->size(); ++i) dir_part += (*parts)[i] + "/";
  std::optional<std::string> dir = PathInside(game_dir, dir_part);
  if (!dir) {
    report.CouldNotDelete(value);
    return;
  }
  // Every file of the game directory at once is refused as "*.*" is,
  // however the pattern spells it; an add-on's own directory may be emptied.
  bool game_dir_itself =
      platform::CanonicalDirectory(*dir) == platform::CanonicalDirectory(game_dir);
  if (game_dir_itself && MatchesEveryName(pattern)) return;
  std::string folder = platform::WithTrailingSeparator(*dir);
  for (const std::string& name : platform::FindFiles(folder, pattern)) {
    std::string upper = platform::UpperCase(name);
    if (IsProtectedFile(name) || IsInUse(upper) || IsProgram(folder + name, name, program))
      continue;
    platform::DeleteFile(folder + name);
    std::vector<std::string> left = platform::FindFiles(folder, name);
    if (std::find(left.begin(), left.end(), name) != left.end()) report.CouldNotDelete(name);
  }
}

void RemoveDirectory(const std::string& value, const std::string& game_dir,
                     UninstallReport& report) {
  std::optional<std::vector<std::string>> parts = SafeParts(value);
  std::optional<std::string> path =
      parts && !parts->empty() ? PathInside(game_dir, value) : std::nullopt;
  if (!path || !platform::RemoveDirectory(*path)) report.CouldNotRemoveDirectory(value);
}

}  // namespace

std::optional<std::vector<std::string>> ReadSection(const std::vector<std::string>& lines,
                                                    std::string_view label, size_t max_lines,
                                                    bool skip_empty) {
  auto start = std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
    return platform::UpperCase(line) == label;
  });
  if (start == lines.end()) return std::nullopt;
  std::vector<std::string> section;
  for (auto it = start + 1; it != lines.end() && section.size() < max_lines; ++it) {
    if (IsLabelLine(*it)) break;
    if (it->starts_with(";") || (skip_empty && it->empty())) continue;
    section.push_back(it->substr(0, kLineMax));
  }
  return section;
}

std::optional<std::vector<std::string>> InstallSection(std::string_view text) {
  return ReadSection(SplitLines(text), "@#INSTALL", kInstallLinesMax, false);
}

std::optional<std::vector<std::string>> UninstallSection(std::string_view text) {
  return ReadSection(SplitLines(text), "@#UNINSTALL", kUninstallLinesMax, true);
}

bool WantsReplace(const std::vector<std::string>& section) {
  return std::any_of(section.begin(), section.end(), [](const std::string& line) {
    return platform::UpperCase(line).find("@REPLACE") != std::string::npos;
  });
}

std::string ReplaceFilename(std::string_view text, std::string_view file) {
  static constexpr std::string_view kMark = "&FILENAME";
  std::string upper = platform::UpperCase(text);
  std::string out;
  size_t at = 0;
  for (size_t found; (found = upper.find(kMark, at)) != std::string::npos;
       at = found + kMark.size())
    out.append(text.substr(at, found - at)).append(file);
  out.append(text.substr(at));
  return out;
}

void ApplyInstallSection(const std::vector<std::string>& section, EventRecord& event,
                         std::string& replace_id, InstallActions& actions) {
  size_t at = 0;
  while (at < section.size()) {
    const std::string& line = section[at];
    std::string upper = platform::UpperCase(line);
    ++at;
    if (IsDirective(upper, "@EVENTNAME")) {
      event.EventName = ValueAfter(line, "@EVENTNAME");
    } else if (IsDirective(upper, "@AUTHOR")) {
      event.Author = ValueAfter(line, "@AUTHOR");
    } else if (IsDirective(upper, "@AUTHID")) {
      event.UniqueId = ValueAfter(line, "@AUTHID");
    } else if (IsDirective(upper, "@REPLACE")) {
      replace_id = ValueAfter(line, "@REPLACE");
    } else if (IsDirective(upper, "@MAKEDIR")) {
      std::string name = ValueAfter(line, "@MAKEDIR");
      if (!actions.MakeDirectory(name)) actions.Message("Count not create the directory " + name);
    } else if (IsDirective(upper, "@DISP")) {
      event.DisplayText = ValueAfter(line, "@DISP");
    } else if (IsDirective(upper, "@TARGET")) {
      SetTarget(ValueAfter(line, "@TARGET"), event, actions);
    } else if (IsDirective(upper, "@CODEBEGIN")) {
      at = CopyCodeBlock(section, at - 1, event);
    }
  }
}

void RunUninstallSection(const std::vector<std::string>& section, const std::string& game_dir,
                         const std::string& program, const std::string& event_file,
                         UninstallReport& report) {
  for (const std::string& line : section) {
    std::string upper = platform::UpperCase(line);
    if (IsDirective(upper, "@DEL")) {
      DeleteMatching(ReplaceFilename(ValueAfter(line, "@DEL"), event_file), game_dir, program,
                     report);
    } else if (IsDirective(upper, "@RMDIR")) {
      RemoveDirectory(ValueAfter(line, "@RMDIR"), game_dir, report);
    }
  }
}

bool IsProtectedFile(std::string_view name) {
  std::string upper = platform::UpperCase(name);
  return std::any_of(kProtectedNames.begin(), kProtectedNames.end(),
                     [&](std::string_view p) { return upper.find(p) != std::string::npos; });
}

std::optional<std::string> PathInside(const std::string& game_dir, std::string_view relative) {
  std::optional<std::vector<std::string>> parts = SafeParts(relative);
  if (!parts) return std::nullopt;
  std::string path = game_dir;
  for (size_t i = 0; i < parts->size(); ++i) {
    path = platform::FindInDirectory(platform::WithTrailingSeparator(path), (*parts)[i]);
  }
  std::string inside = platform::CanonicalDirectory(game_dir);
  std::string reached = ExistingCanonical(path);
  if (inside.empty() || reached.empty() || !reached.starts_with(inside)) return std::nullopt;
  return path;
}

}  // namespace editors
