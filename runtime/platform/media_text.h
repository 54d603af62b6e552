// Text as the session bus takes it: strings must be valid UTF-8, names of a restricted
// alphabet, and pieces are named by URLs.
#pragma once

#include <string>

namespace zrv {

// The text with every byte that is not part of a well-formed UTF-8 sequence replaced by "?".
std::string ValidUtf8(const std::string& text);
// "file://" and the absolute form of path (taken from the current folder when it is
// relative), every byte outside letters, digits, "-._~/" written as %XX.
std::string FileUrl(const std::string& path);
// One element of a well-known bus name made from an identity: lower-case letters, digits
// and "_" for everything else, never starting with a digit, at most 64 characters.
std::string BusNameElement(const std::string& identity);

}  // namespace zrv
