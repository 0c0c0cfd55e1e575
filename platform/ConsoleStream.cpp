#include "platform/ConsoleStream.h"

namespace platform {
namespace {

// The length of the leading part of text that ends on a character boundary: an
// incomplete lead sequence at the end is left out.
size_t WholeCharacters(std::string_view text) {
  size_t start = text.size();
  // A sequence is at most four bytes: look back over the continuation bytes.
  for (size_t back = 1; back <= 4 && back <= text.size(); ++back) {
    const auto byte = static_cast<unsigned char>(text[text.size() - back]);
    if ((byte & 0xC0) == 0x80) continue;
    start = text.size() - back;
    const size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    return back < length ? start : text.size();
  }
  return text.size();  // only continuation bytes: malformed, passed on as they are
}

}  // namespace

Utf8StreamBuf::int_type Utf8StreamBuf::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  pending_.push_back(traits_type::to_char_type(c));
  if (pending_.size() >= kFlushAt && sync() != 0) return traits_type::eof();
  return c;
}

std::streamsize Utf8StreamBuf::xsputn(const char* s, std::streamsize n) {
  pending_.append(s, size_t(n));
  if (pending_.size() >= kFlushAt && sync() != 0) return 0;
  return n;
}

int Utf8StreamBuf::sync() {
  const size_t whole = WholeCharacters(pending_);
  if (whole == 0) return 0;
  const bool written = writer_(std::string_view(pending_).substr(0, whole));
  pending_.erase(0, whole);
  return written ? 0 : -1;
}

}  // namespace platform
