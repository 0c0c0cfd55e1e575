// The standard streams of a command-line tool: UTF-8 text everywhere, but a Windows
// console takes UTF-16, since its code page would show UTF-8 as mojibake ("prÃ¼fung").
#pragma once

#include <functional>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

namespace platform {

// Standard output and error for UTF-8 text: std::cout and std::cerr, except on Windows
// when they are a console, where the text is written to it in UTF-16.
std::ostream& StandardOutput();
std::ostream& StandardError();

// Collects UTF-8 text and hands it to a writer at each flush, in whole characters: a
// character cut by a flush waits for its rest. The writer says whether it succeeded; a
// failure is the stream's failure.
class Utf8StreamBuf : public std::streambuf {
 public:
  using Writer = std::function<bool(std::string_view utf8)>;
  explicit Utf8StreamBuf(Writer writer) : writer_(std::move(writer)) {}

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* s, std::streamsize n) override;
  int sync() override;

 private:
  static constexpr size_t kFlushAt = 4096;
  Writer writer_;
  std::string pending_;
};

}  // namespace platform
