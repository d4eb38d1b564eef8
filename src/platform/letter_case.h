// Letter case as the game compares names, keys and script labels: plain
// ASCII, whatever the locale.
#pragma once

#include <string>
#include <string_view>

namespace platform {

char UpperCase(char c);
std::string UpperCase(std::string_view s);
char LowerCase(char c);
bool SameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace platform
