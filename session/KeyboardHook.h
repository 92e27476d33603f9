#pragma once

namespace zor {

// What the keyboard hook asks the session window: whether to swallow a key.
// The answers of the interface itself swallow nothing.
class KeyboardHook {
public:
    virtual ~KeyboardHook() = default;
    virtual bool BlockControlEscape() { return false; }
    virtual bool BlockAltEscape() { return false; }
    virtual bool BlockAltTab() { return false; }
    virtual bool BlockFunkey() { return false; }
};

} // namespace zor
