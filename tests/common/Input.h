#pragma once
// Real input through SendInput, as the system would receive it from a user.
#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

// Waits until done() holds, for at most ms milliseconds: injected input
// arrives asynchronously.
template <typename Done> bool PollFor(Done done, DWORD ms) {
    const ULONGLONG end = ::GetTickCount64() + ms;
    while (!done()) {
        if (::GetTickCount64() > end) return false;
        ::Sleep(5);
    }
    return true;
}

// Dispatches what is queued for this thread's windows.
inline void Drain() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// PollFor for a thread that owns windows: their messages keep coming meanwhile.
template <typename Done> bool PumpUntil(Done done, DWORD ms) {
    return PollFor(
        [&] {
            Drain();
            return done();
        },
        ms);
}

// A move to a place, with button events (MOUSEEVENTF_LEFTDOWN, ...) if
// flags name them. A button event that carries its place: Wine can move the
// pointer back between a move and a bare button event (the late enter event
// of a window that just opened), and the press would land there.
inline void MouseEventAt(int x, int y, DWORD flags) {
    // The positions of the primary monitor, or with MOUSEEVENTF_VIRTUALDESK
    // those of every monitor. Only for a place off the primary: Wine drops a
    // move with that flag to where the pointer already is, and a move sent
    // again to the same place has to reach the program's hook.
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    const bool primary = x >= 0 && y >= 0 && x < width && y < height;
    const int left = primary ? 0 : ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = primary ? 0 : ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int w = primary ? width : ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int h = primary ? height : ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = ::MulDiv(x - left, 65535, w - 1);
    input.mi.dy = ::MulDiv(y - top, 65535, h - 1);
    input.mi.dwFlags =
        flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | (primary ? 0 : MOUSEEVENTF_VIRTUALDESK);
    ::SendInput(1, &input, sizeof(input));
}

inline void SendMouseMove(int x, int y) {
    MouseEventAt(x, y, 0);
}

// Wine drops a move now and then while the pointer rests on a window that
// another program has just opened under it; the move is sent again until
// the pointer is there (a user's mouse simply moves on).
inline void MoveMouseTo(int x, int y) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        SendMouseMove(x, y);
        for (int i = 0; i < 20; ++i) {
            POINT at{};
            if (::GetCursorPos(&at) && at.x == x && at.y == y) return;
            ::Sleep(5);
        }
    }
}

// With a low-level hook holding up injected moves Wine can leave the X
// pointer where it was, and the enter event that follows a window's rise
// then puts that place back: a click would land there. Setting the pointer
// first moves the X pointer too; the injected move follows as a user's.
inline void PointerTo(int x, int y) {
    ::SetCursorPos(x, y);
    MoveMouseTo(x, y);
}

// One button event: MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, ...
inline void MouseButton(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof(input));
}

inline void LeftClickAt(int x, int y) {
    MoveMouseTo(x, y);
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    MouseButton(MOUSEEVENTF_LEFTUP);
}

inline void RightClickAt(int x, int y) {
    MoveMouseTo(x, y);
    MouseButton(MOUSEEVENTF_RIGHTDOWN);
    MouseButton(MOUSEEVENTF_RIGHTUP);
}

inline void PressKey(WORD virtualKey) {
    INPUT inputs[2]{};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = virtualKey;
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof(INPUT));
}

// A key pressed while the modifiers are held (VK_SHIFT, VK_CONTROL, ...), as
// one input sequence: modifiers down, key down and up, modifiers up.
inline void PressKeyWith(std::initializer_list<WORD> modifiers, WORD virtualKey) {
    auto event = [](WORD vk, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        // With its scan code, as a keyboard sends it: Wine's hot-key field
        // names the key by it and takes a key without one for another.
        input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
        // The arrow keys of the cursor block, not those of the keypad.
        const bool extended = vk >= VK_PRIOR && vk <= VK_DOWN;
        input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
        return input;
    };
    std::vector<INPUT> inputs;
    for (WORD m : modifiers)
        inputs.push_back(event(m, false));
    inputs.push_back(event(virtualKey, false));
    inputs.push_back(event(virtualKey, true));
    for (auto m = modifiers.end(); m != modifiers.begin();)
        inputs.push_back(event(*--m, true));
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Text typed as a user would: digits and letters through their keys (letters
// come out in lower case), anything else as the character itself.
inline void TypeText(const std::wstring& text) {
    for (const wchar_t c : text) {
        if ((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z')) {
            PressKey(static_cast<WORD>(c));
        } else if (c >= L'a' && c <= L'z') {
            PressKey(static_cast<WORD>(c - L'a' + L'A'));
        } else {
            INPUT inputs[2]{};
            inputs[0].type = INPUT_KEYBOARD;
            inputs[0].ki.wScan = c;
            inputs[0].ki.dwFlags = KEYEVENTF_UNICODE;
            inputs[1] = inputs[0];
            inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
            ::SendInput(2, inputs, sizeof(INPUT));
        }
    }
}

// Wheel turns: a positive delta away from the user, WHEEL_DELTA per notch.
inline void MouseWheel(int delta) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.mouseData = static_cast<DWORD>(delta);
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    ::SendInput(1, &input, sizeof(input));
}
