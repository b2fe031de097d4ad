#pragma once

// The keyboard's lock keys, for the status bar's indicators.
enum class KeyLock
{
    Caps,
    Num,
    Scroll
};

// True when the lock is on. Where the platform does not tell (no keyboard lamps to read),
// the lock counts as off.
bool IsKeyLockOn(KeyLock lock);
