#include "ui/prompts.h"

#include <algorithm>
#include <cstdlib>

#include "platform/keys.h"
#include "platform/letter_case.h"

namespace ui {

namespace {

const std::string kTopLeft = "\xC9", kHorizontal = "\xCD", kTopRight = "\xBB";
const std::string kVertical = "\xBA", kBottomLeft = "\xC8", kBottomRight = "\xBC";

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

void TopBorder(Ui& ui, int row, int col, int w) {
  ui.door.DGotoRowCol(row, col);
  ui.CWrite(ui.LoCode + kTopLeft + Repeat(kHorizontal, w + 2) + kTopRight);
}

void BottomBorder(Ui& ui, int row, int col, int w) {
  ui.door.DGotoRowCol(row, col);
  ui.CWrite(ui.LoCode + kBottomLeft + Repeat(kHorizontal, w + 2) + kBottomRight);
}

void EmptyRow(Ui& ui, int row, int col, int w) {
  ui.door.DGotoRowCol(row, col);
  ui.CWrite(kVertical + std::string(w + 2, ' ') + kVertical);
}

void TextRow(Ui& ui, int row, int col, std::string_view text) {
  ui.door.DGotoRowCol(row, col);
  ui.CWrite(kVertical + " ");
  ui.CWrite("`%" + std::string(text) + ui.LoCode);
  ui.CWrite(" " + kVertical);
}

void HitAKeyRow(Ui& ui, int row, int col, int w) {
  ui.door.DGotoRowCol(row, col);
  ui.CWrite(kVertical + " `%");
  ui.CWrite(Centre("<hit a key>", w) + " " + ui.LoCode);
  ui.CWrite(" " + kVertical);
}

// An answer and its marked form hold at most seven characters: the marks
// take four, so answers of up to three characters keep all their letters.
constexpr size_t kAnswerMax = 7;

// "`%" before the first occurrence of the key and "`7" after it.
std::string MarkHotKey(std::string_view answer, char key) {
  std::string marked(answer.substr(0, kAnswerMax));
  size_t at = marked.find(key);
  if (at == std::string::npos) return marked;
  marked = marked.substr(0, at) + "`%" + marked[at] + "`7" + marked.substr(at + 1);
  return marked.substr(0, kAnswerMax);
}

}  // namespace

std::string TrimEntered(std::string text) {
  if (text.empty() || text == " ") return text;
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

char ReadLocalKey(door::Door& door, bool& extended) {
  char key = door.LocalReadKey();
  extended = key == 0;
  if (extended) key = door.LocalReadKey();
  return key;
}

void MessageBox(Ui& ui, std::string_view text) {
  std::string shown(text);
  int w = static_cast<int>(shown.size());
  if (shown.size() < 13) {
    w = 11;
    shown = PadRight(shown, 13);
  }
  int x = (80 - w) / 2 - 3;
  TopBorder(ui, 11, x, w);
  TextRow(ui, 12, x, shown);
  EmptyRow(ui, 13, x, w);
  HitAKeyRow(ui, 14, x, w);
  BottomBorder(ui, 15, x, w);
  bool extended = false;
  ReadLocalKey(ui.door, extended);
}

bool ChooseTwo(Ui& ui, std::string_view prompt, std::string_view first, std::string_view second,
               char first_key, char second_key, bool first_selected) {
  int w = std::max<int>(static_cast<int>(prompt.size()), 11);
  int x = (80 - w) / 2 - 3;
  std::string first_marked = MarkHotKey(first, first_key);
  std::string second_marked = MarkHotKey(second, second_key);
  std::string line = Centre(first_marked + "  " + second_marked, w);
  int p = static_cast<int>(line.find(first_marked.empty() ? ' ' : first_marked[0])) + 1;

  TopBorder(ui, 11, x, w);
  TextRow(ui, 12, x, prompt);
  EmptyRow(ui, 13, x, w);
  EmptyRow(ui, 14, x, w);
  BottomBorder(ui, 15, x, w);
  ui.door.DGotoRowCol(14, x + 2);
  ui.CWrite("`%" + line);

  bool selected_first = first_selected;
  auto draw_answers = [&] {
    ui.door.DGotoRowCol(14, x + p);
    if (selected_first)
      ui.CWrite(ui.HiCode + "-`%" + first_marked + ui.HiCode + "-");
    else
      ui.CWrite("`7 " + first_marked + " ");
    ui.door.DGotoRowCol(14, x + p + 6);
    if (!selected_first)
      ui.CWrite(ui.HiCode + "-`%" + second_marked + ui.HiCode + "-");
    else
      ui.CWrite(" `7" + second_marked + " ");
  };
  draw_answers();
  for (;;) {
    bool extended = false;
    char key = ReadLocalKey(ui.door, extended);
    if (key == '4' || key == '6' || key == 'K' || key == 'M') {
      selected_first = !selected_first;
      if (key == '4') key = 'K';
      if (key == '6') key = 'M';
    }
    if (platform::UpperCase(key) == platform::UpperCase(first_key)) return true;
    if (platform::UpperCase(key) == platform::UpperCase(second_key)) return false;
    draw_answers();
    if (key == 13 && !extended) return selected_first;
  }
}

}  // namespace ui

namespace ui {

namespace {

std::string TrimRight(std::string s) {
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

void PromptFrame(Ui& ui, int top, int bottom, int x, int w) {
  TopBorder(ui, top, x, w);
  for (int row = top + 1; row < bottom; ++row) {
    ui.door.DGotoRowCol(row, x);
    ui.CWrite(kVertical + " " + std::string(w, ' ') + " " + kVertical);
  }
  BottomBorder(ui, bottom, x, w);
}

}  // namespace

void MessageLines(Ui& ui, const std::array<std::string, 5>& lines, bool centred) {
  int n = 5;
  while (n > 0 && lines[n - 1].empty()) --n;
  int w = 11;
  for (int i = 0; i < n; ++i) w = std::max<int>(w, static_cast<int>(lines[i].size()));
  int x = (80 - w) / 2 - 3;
  TopBorder(ui, 11, x, w);
  for (int i = 1; i <= n; ++i) {
    const std::string& line = lines[i - 1];
    TextRow(ui, 11 + i, x, centred ? Centre(line, w) : line);
  }
  EmptyRow(ui, 12 + n, x, w);
  HitAKeyRow(ui, 13 + n, x, w);
  BottomBorder(ui, 14 + n, x, w);
  bool extended = false;
  ReadLocalKey(ui.door, extended);
}

int32_t NumberPrompt(Ui& ui, std::string_view title, int32_t value, int32_t max, int32_t min) {
  std::string range = " " + std::to_string(min) + " to " + std::to_string(max) + " ";
  int w = std::max({static_cast<int>(title.size()), static_cast<int>(range.size()), 8});
  int x = (80 - w) / 2;
  ui.door.DSetBack(0);
  PromptFrame(ui, 9, 15, x, w);
  ui.door.DGotoRowCol(10, x + 2);
  ui.CWrite("`%" + Centre(title, w) + ui.LoCode);
  ui.door.DGotoRowCol(12, x + 2);
  ui.CWrite("`7" + Centre(range, w) + ui.LoCode);
  int col = (80 - static_cast<int>(std::to_string(max).size())) / 2 + 1;
  return NumberField(ui, col, 14, min, max, value);
}

std::string TextPrompt(Ui& ui, std::string_view title, std::string_view value, int max_len, int) {
  int w = std::max(static_cast<int>(title.size()), static_cast<int>(value.size()));
  if (w < max_len) w = max_len + 2;
  std::string shown_title = PadRight(Centre(title, w), static_cast<size_t>(w));
  int x = (80 - w) / 2;
  ui.door.DSetBack(0);
  TopBorder(ui, 9, x, w);
  ui.door.DGotoRowCol(10, x);
  ui.CWrite(kVertical + " `%" + shown_title + ui.LoCode + " " + kVertical);
  for (int row = 11; row <= 12; ++row) {
    ui.door.DGotoRowCol(row, x);
    ui.CWrite(kVertical + " " + std::string(w, ' ') + " " + kVertical);
  }
  BottomBorder(ui, 13, x, w);
  std::string answer = LineEdit(ui, (80 - max_len) / 2 + 1, 12, max_len, 1, 15, value);
  return TrimRight(answer);
}

namespace {

class LineEditor {
 public:
  LineEditor(Ui& ui, int max_len, std::string value)
      : door_(ui.door), max_len_(max_len), value_(std::move(value)) {
    col_ = door_.screen().WhereX();
    row_ = door_.screen().WhereY();
    cursor_ = col_;
  }

  void Redraw() {
    door_.DGotoRowCol(row_, col_);
    door_.DWrite(value_);
    int fill = max_len_ - static_cast<int>(value_.size()) + 1;
    if (fill > 0) door_.DWrite(std::string(static_cast<size_t>(fill), ' '));
    Place();
  }

  void Place() { door_.DGotoRowCol(row_, cursor_); }

  // Returns false when the edit ends.
  bool Key(char k, bool extended, bool first) {
    if (!extended && k == platform::key::kEnter) return false;
    if (!extended && k == platform::key::kEscape) {
      escaped_ = true;
      return false;
    }
    if (extended) return Extended(k), true;
    if (k == platform::key::kBackspace) return Backspace(), true;
    if (first) {
      // A control character first leaves the value; later ones are typed.
      if (static_cast<unsigned char>(k) < 32) return true;
      value_ = PadRight(std::string(1, k), static_cast<size_t>(max_len_));
      cursor_ = col_ + 1;
      Redraw();
      return true;
    }
    Type(k);
    return true;
  }

  std::string Finish(const std::string& saved) {
    // Escape gives back the value exactly as it came in, even one longer
    // than the field could show.
    if (escaped_) value_ = saved;
    value_ = TrimEntered(value_);
    cursor_ = col_;
    Place();
    door_.DSetBack(0);
    door_.LocalWrite(value_);
    int fill = max_len_ - static_cast<int>(StripCodes(value_).size()) + 1;
    if (fill > 0) door_.DWrite(std::string(static_cast<size_t>(fill), ' '));
    return value_;
  }

 private:
  size_t Index() const { return static_cast<size_t>(cursor_ - col_); }

  void Backspace() {
    if (cursor_ <= col_) return;
    if (Index() - 1 < value_.size()) value_.erase(Index() - 1, 1);
    --cursor_;
    Redraw();
  }

  void Extended(char scan) {
    namespace key = platform::key;
    switch (scan) {
      case key::kDel:
        if (Index() < value_.size()) value_.erase(Index(), 1);
        Redraw();
        break;
      case key::kIns:
        insert_ = !insert_;
        break;
      case key::kHome:
      case key::kPgUp:
        cursor_ = col_, Place();
        break;
      case key::kEnd:
      case key::kPgDn:
        cursor_ = col_ + static_cast<int>(value_.size()), Place();
        break;
      case key::kLeft:
        if (cursor_ > col_) --cursor_, Place();
        break;
      case key::kRight:
        if (cursor_ - col_ < static_cast<int>(value_.size())) ++cursor_, Place();
        break;
      default:
        break;
    }
  }

  void Type(char k) {
    if (cursor_ >= col_ + max_len_) {
      --cursor_;
      Place();
    }
    if (insert_) {
      value_.insert(std::min(Index(), value_.size()), 1, k);
      if (value_.size() > static_cast<size_t>(max_len_))
        value_.resize(static_cast<size_t>(max_len_));
      ++cursor_;
      Redraw();
      return;
    }
    if (Index() < value_.size())
      value_[Index()] = k;
    else
      value_ += k;
    door_.DWrite(std::string(1, k));
    ++cursor_;
  }

  door::Door& door_;
  int max_len_;
  std::string value_;
  int col_ = 1, row_ = 1, cursor_ = 1;
  bool insert_ = false;
  bool escaped_ = false;
};

}  // namespace

std::string LineEdit(Ui& ui, int col, int row, int max_len, int back, int fore,
                     std::string_view value) {
  std::string saved(value);
  std::string shown = saved.substr(0, static_cast<size_t>(std::max(max_len, 0)));
  if (col > 0 && row > 0) ui.door.DGotoRowCol(row, col);
  if (back > 0) {
    ui.door.DSetBack(back);
    ui.door.DSetFore(fore);
  }
  LineEditor editor(ui, max_len, shown);
  editor.Redraw();
  bool first = true;
  for (;;) {
    bool extended = false;
    char k = ReadLocalKey(ui.door, extended);
    bool go_on = editor.Key(k, extended, first);
    first = false;
    if (!go_on) break;
  }
  return editor.Finish(saved);
}

int32_t NumberField(Ui& ui, int col, int row, int32_t min, int32_t max, int32_t value) {
  door::Door& door = ui.door;
  if (col == 0) col = door.screen().WhereX();
  if (row == 0) row = door.screen().WhereY();
  const int width = static_cast<int>(std::to_string(max).size());
  for (;;) {
    door.DGotoRowCol(row, col);
    door.DSetFore(15);
    door.DSetBack(1);
    door.DWrite(std::string(static_cast<size_t>(width + 1), ' '));
    door.DGotoRowCol(row, col);
    door.DWrite(std::to_string(value));
    door.DGotoRowCol(row, col);
    std::string text;
    bool touched = false;
    auto clear = [&] {
      door.DGotoRowCol(row, col);
      door.DWrite(std::string(static_cast<size_t>(width + 1), ' '));
      door.DGotoRowCol(row, col);
    };
    for (;;) {
      bool extended = false;
      char k = ReadLocalKey(door, extended);
      if (extended) continue;
      if (k == platform::key::kEnter) break;
      if (k == '-' && !touched) {
        clear();
        text = "-";
        door.DWrite(text);
        touched = true;
      } else if (k >= '0' && k <= '9') {
        if (!touched) {
          clear();
          text.clear();
          touched = true;
        }
        if (static_cast<int>(text.size()) < width) {
          text += k;
          door.DWrite(std::string(1, k));
        }
      }
    }
    door.DSetBack(0);
    if (!touched || text.empty()) return value;
    char* end = nullptr;
    long long typed = std::strtoll(text.c_str(), &end, 10);
    if (*end == '\0' && end != text.c_str() && typed >= min && typed <= max)
      return static_cast<int32_t>(typed);
  }
}

}  // namespace ui
