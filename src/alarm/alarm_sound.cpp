#include "alarm/alarm_sound.h"

#include <windows.h>
#include <mmsystem.h>

namespace pinlark {
namespace {

void SystemSound(const char* file) {
  if (file[0] == '\0') {
    MessageBeep(MB_ICONEXCLAMATION);
    return;
  }
  // Asynchronous, so the alarm dialog comes up while the file plays; a file that cannot be
  // played is no reason to hold the alarm back, so the result is not looked at.
  sndPlaySoundA(file, SND_ASYNC);
}

SoundFunction g_sound = SystemSound;

}  // namespace

SoundFunction SetSoundFunction(SoundFunction sound) {
  const SoundFunction previous = g_sound;
  g_sound = sound != nullptr ? sound : SystemSound;
  return previous;
}

void SoundAlarm(const char* file) { g_sound(file != nullptr ? file : ""); }

}  // namespace pinlark
