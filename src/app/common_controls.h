// The up-down controls of the edit and properties dialogs come from the common controls DLL,
// which is loaded on first use rather than at start-up (it costs a start tens of milliseconds
// under Wine, for controls no memo needs).
#pragma once

namespace pinlark {

// Registers the up-down control class; call before creating a dialog that holds one. Cheap
// after the first call.
void LoadUpDownControls();

}  // namespace pinlark
