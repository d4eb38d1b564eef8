// Add-on event scripts: text files written by strangers that carry, beside
// the event's own code, an install section that fills the event record and
// an uninstall section that names the files and directories to remove.
// Nothing here trusts them: every path they name is kept inside the game
// directory, and the game's own files are never deleted.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editors/event_record.h"

namespace editors {

inline constexpr size_t kInstallLinesMax = 30;
inline constexpr size_t kUninstallLinesMax = 50;

// The stored lines of the section that starts with the line `label` (in
// upper case, whole line), up to the next label line or `max_lines`.
// Comment lines (";") are skipped, and so are empty lines when
// `skip_empty`. Nothing when the file has no such section.
std::optional<std::vector<std::string>> ReadSection(const std::vector<std::string>& lines,
                                                    std::string_view label, size_t max_lines,
                                                    bool skip_empty);
std::optional<std::vector<std::string>> InstallSection(std::string_view text);
std::optional<std::vector<std::string>> UninstallSection(std::string_view text);

// Whether any stored install line asks to replace another event.
bool WantsReplace(const std::vector<std::string>& section);

// Every "&filename" (any letter case) replaced by `file`, in one pass.
std::string ReplaceFilename(std::string_view text, std::string_view file);

// What an install section does besides filling the record.
class InstallActions {
 public:
  virtual ~InstallActions() = default;
  virtual void Message(const std::string& text) = 0;
  // Makes the directory named in the script; false when it cannot.
  virtual bool MakeDirectory(const std::string& name) = 0;
};

// Applies the install directives to the working record.
void ApplyInstallSection(const std::vector<std::string>& section, EventRecord& event,
                         std::string& replace_id, InstallActions& actions);

// What an uninstall section reports while it runs.
class UninstallReport {
 public:
  virtual ~UninstallReport() = default;
  virtual void CouldNotDelete(const std::string& name) = 0;
  virtual void CouldNotRemoveDirectory(const std::string& name) = 0;
};

// Runs the uninstall directives in the game directory. `program` is the
// running program's own file, which is never deleted.
void RunUninstallSection(const std::vector<std::string>& section, const std::string& game_dir,
                         const std::string& program, const std::string& event_file,
                         UninstallReport& report);

// True for a file name the uninstall never deletes.
bool IsProtectedFile(std::string_view name);

// The path that `relative` names inside the game directory, each part
// found whatever its letter case; nothing when it is absolute, carries a
// drive letter, climbs out with "..", or leads out through a link.
std::optional<std::string> PathInside(const std::string& game_dir, std::string_view relative);

}  // namespace editors
