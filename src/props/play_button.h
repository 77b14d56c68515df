// The owner-drawn play button of the properties dialog.
#pragma once

#include <windows.h>

namespace pinlark {

// WM_DRAWITEM of the play button: a raised button face, or a sunken-looking one while it is
// pressed, with a black play symbol; the device context's brush is put back afterwards.
void DrawPlayButton(const DRAWITEMSTRUCT* item);

}  // namespace pinlark
