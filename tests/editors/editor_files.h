// Data files for the editor tests: random bytes, so that every byte an
// editor should leave alone is hard to mistake for a default, and a byte
// by byte comparison that names what changed.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/record_bytes.h"
#include "support/end_expected.h"
#include "support/rig.h"
#include "support/snoop_rig.h"

namespace editors_test {

inline std::string RandomFile(size_t records, size_t record_size, uint32_t seed) {
  std::vector<uint8_t> bytes = testsupport::RandomBytes(records * record_size, seed);
  return std::string(bytes.begin(), bytes.end());
}

// `before` with the little-endian integer at `offset` replaced.
template <typename Int>
std::string WithInt(std::string before, size_t offset, Int value) {
  auto bits = static_cast<std::make_unsigned_t<Int>>(value);
  for (size_t i = 0; i < sizeof(Int); ++i) {
    before.at(offset + i) = static_cast<char>((bits >> (8 * i)) & 0xFF);
  }
  return before;
}

// `before` with the string[N] at `offset` replaced.
inline std::string WithString(std::string before, size_t offset, size_t capacity,
                              const std::string& s) {
  std::vector<uint8_t> raw(before.begin(), before.end());
  platform::PutString(raw, offset, capacity, s);
  return std::string(raw.begin(), raw.end());
}

// Empty when the two files are equal, else where they first differ: a
// readable failure message for files of thousands of bytes.
inline std::string Difference(const std::string& got, const std::string& want) {
  if (got == want) return "";
  size_t i = 0;
  while (i < got.size() && i < want.size() && got[i] == want[i]) ++i;
  return "sizes " + std::to_string(got.size()) + "/" + std::to_string(want.size()) +
         ", first difference at byte " + std::to_string(i);
}

// Record n of `size` bytes of a file's content, for field checks.
inline std::span<const uint8_t> RecordAt(const std::string& file, size_t n, size_t size) {
  EXPECT_LE((n + 1) * size, file.size());
  if ((n + 1) * size > file.size()) return {};
  return {reinterpret_cast<const uint8_t*>(file.data()) + n * size, size};
}

template <typename Record>
std::string Bytes(Record record) {
  platform::EncodeFields(record);
  return std::string(record.raw.begin(), record.raw.end());
}

using Editor = void (*)(ui::Ui&, const std::string&);

// An editor on the virtual console with its own game directory.
struct EditorRig : testsupport::SnoopRig {
  testsupport::TempDir dir;

  // Runs `editor` on `keys`, each of which it must read.
  void Run(Editor editor, const std::string& keys) {
    console.Type(keys);
    editor(ui, dir.path());
    EXPECT_EQ(console.PendingKeys(), 0u) << console.Dump();
  }
};

// Runs `editor` on a game directory without `name`, the file of its
// `things`: answered No it writes nothing; answered Yes, on `yes`, it
// writes the defaults.
inline void ExpectResetOnlyOnYes(Editor editor, const std::string& name, const std::string& things,
                                 EditorRig& yes) {
  EditorRig no;
  no.Run(editor, "n ");
  EXPECT_TRUE(no.Showed("Can't open " + name + " - Exiting " + things + " editor."));
  EXPECT_EQ(no.dir.Snapshot(), "");
  yes.Run(editor, "y");
  EXPECT_TRUE(yes.Showed("Error opening " + name + ". Should I reset them?"));
}

// Runs `editor` on a game directory holding `name` with `bytes`, which are
// too few records for it: the program must end with the run-time I/O error
// report about that file and leave the file as it was.
inline void ExpectShortFileEndsTheProgram(Editor editor, const std::string& name,
                                          const std::string& bytes) {
  testsupport::TempDir dir;
  dir.Write(name, bytes);
  EXPECT_EXIT(
      {
        testsupport::Rig rig;
        testsupport::ExpectProgramEnd();
        editor(rig.ui, dir.path());
      },
      testing::ExitedWithCode(0),
      "I/O error .* while reading .*" + name + ": " + name +
          " is \\w+ bytes; .*\n  Restore it from a backup");
  EXPECT_EQ(Difference(dir.Read(name), bytes), "");
}

}  // namespace editors_test
