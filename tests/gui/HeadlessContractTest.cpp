// The window backends' contract on the headless backend: scripted input, virtual time.
#include "platform/headless/HeadlessBackend.h"
#include "tests/platform/BackendContract.h"

namespace platform {
namespace {

class HeadlessDriver {
 public:
  static constexpr bool kCaptures = true;
  static constexpr bool kShowsFocus = true;
  static const char* Unavailable() { return nullptr; }

  Backend& Get() { return backend_; }
  int SettleMs() const { return 0; }
  void MovePointer(int x, int y) { backend_.MoveMouse(x, y); }
  void PressLeft() { backend_.PressMouse(); }
  void ReleaseLeft() { backend_.ReleaseMouse(); }
  void AskToClose(const NativeWindow& window) { backend_.RequestClose(window); }
  Point Position(const NativeWindow& window) const {
    const auto& w = static_cast<const HeadlessWindow&>(window);
    return {w.X(), w.Y()};
  }
  bool HasFocus(const NativeWindow& window) const { return backend_.Focus() == &window; }

 private:
  HeadlessBackend backend_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Headless, BackendContract, HeadlessDriver);

}  // namespace
}  // namespace platform
