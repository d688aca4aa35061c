// A registered window class, unregistered when its owner goes.
#pragma once

#include <windows.h>

namespace kv::win {

class UniqueWindowClass {
public:
    UniqueWindowClass() = default;
    explicit UniqueWindowClass(const WNDCLASSA& wc)
        : atom_(::RegisterClassA(&wc)), instance_(wc.hInstance) {}
    ~UniqueWindowClass() {
        if (atom_ != 0) ::UnregisterClassA(MAKEINTATOM(atom_), instance_);
    }
    UniqueWindowClass(const UniqueWindowClass&) = delete;
    UniqueWindowClass& operator=(const UniqueWindowClass&) = delete;

    bool valid() const { return atom_ != 0; }
    const char* name() const { return MAKEINTATOM(atom_); }

private:
    ATOM atom_ = 0;
    HINSTANCE instance_ = nullptr;
};

}  // namespace kv::win
