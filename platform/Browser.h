// Opening a web address in the user's default browser.
#pragma once

#include <string_view>

namespace platform {

// Hands the address to the desktop's default handler without activating the new window
// and without waiting for it. Whether a browser actually opened is not reported: a
// missing opener or a bad address go unnoticed.
void OpenInBrowser(std::string_view address);

}  // namespace platform
