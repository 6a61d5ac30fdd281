#pragma once

// A base for classes that own what they hold (a handle, a scope, a playlist's devices): a copy would
// release it twice.
class NotCopied {
public:
    NotCopied(const NotCopied&) = delete;
    NotCopied& operator=(const NotCopied&) = delete;

protected:
    NotCopied() = default;
    ~NotCopied() = default;
};
