// Switching the input method off while a window of ours that takes no Japanese input has the
// focus.
#pragma once

namespace pinlark {

// Enables or disables the input method for the thread where the system has WINNLSEnableIME;
// elsewhere it does nothing.
void EnableInputMethod(bool enable);

}  // namespace pinlark
