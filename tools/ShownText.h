// Text from outside the program made safe to print: every character visible and the
// whole valid UTF-8, so that no byte of a dump, a register or a command line can act on
// the terminal (0x9B alone starts a control sequence on many).
#pragma once

#include <string>
#include <string_view>

namespace tools {

// Register text, which is Latin-1: C0 and C1 controls become U+FFFD.
std::string ShownLatin1(std::string_view text);

// Text read as UTF-8 (a dump's comments, file names): controls and invalid sequences
// become U+FFFD.
std::string ShownUtf8(std::string_view text);

// A command-line argument as an error line quotes it: controls and invalid bytes written
// as escapes (\x1B, \u009B, \xFF), and an argument longer than 60 characters shortened
// to its start and end around "...".
std::string ShownArgument(std::string_view argument);

}  // namespace tools
