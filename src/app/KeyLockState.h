#pragma once
// Which lock keys are on, for the status bar's indicators. Read from the X
// display's keyboard indicators; 0 where the platform does not tell.
enum : int { kCapsLockBit = 1, kNumLockBit = 2, kScrollLockBit = 4 };

int KeyLockState();
