#pragma once

class QKeyEvent;

namespace zor {

class KeyboardHook;

// The flags of a hook record: the key goes up; Alt is held.
constexpr int HookKeyUp = 0x80;
constexpr int HookAltDown = 0x20;

// One key event as the hook tests it: the key code (F1 = 112), the flags,
// whether Ctrl is held and whether the event is a repeat of a held key.
struct HookRecord {
    int vkCode = 0;
    int flags = 0;
    bool ctrlDown = false;
    bool autoRepeat = false;
};

// The window the hook asks, and whether the program is the active one.
inline KeyboardHook* KeyHookSink = nullptr;
inline bool KeyboardHookActive = false;

// The hook sees every key event of the program before any window does.
// Installing twice is one hook; removing twice is harmless.
void InstallKeyboardHook();
void RemoveKeyboardHook();
bool IsKeyboardHooked();

// True swallows the key. A function key to send goes to the host here.
bool FilterHookedKey(const HookRecord& record);
// Sends the type-ahead with the function key, when the key was swallowed.
void SendFunctionKey(bool swallowed, const HookRecord& record);

HookRecord HookRecordOf(const QKeyEvent& key);

// An X server repeats a held key as a release and a press each time, and Qt
// marks such a release a repeat only when the press is already waiting behind
// it; a program that handles each event as it comes sees most of them as real
// releases. Asked instead, the server repeats a held key as presses alone, so
// the one release is the key going up. Does nothing without an X server.
void AskForHeldKeysAsPresses();

} // namespace zor
