#include "platform/letter_case.h"

#include <algorithm>
#include <cctype>

namespace platform {

char UpperCase(char c) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

std::string UpperCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = UpperCase(c);
  return out;
}

char LowerCase(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return LowerCase(x) == LowerCase(y);
         });
}

}  // namespace platform
