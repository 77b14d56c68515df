// The sound of a due alarm: the user's WAVE file, or the exclamation beep. Tests put their
// own function in place.
#pragma once

namespace pinlark {

// `file` empty: the exclamation beep; otherwise the file, played asynchronously (a file that
// cannot be played is passed over in silence).
using SoundFunction = void (*)(const char* file);
// Puts `sound` in place (null: the system's sounds) and returns the one it replaces.
SoundFunction SetSoundFunction(SoundFunction sound);
void SoundAlarm(const char* file);

}  // namespace pinlark
