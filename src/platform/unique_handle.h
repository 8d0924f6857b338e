#pragma once
// Owning wrappers for Windows handles: move-only, closed in the destructor.
// Borrowed handles stay raw HWND/HMENU/... values.

#include <windows.h>

#include <utility>

namespace qv {

template <class Traits>
class UniqueHandle {
public:
    using pointer = typename Traits::pointer;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(pointer h) noexcept : h_(h) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : h_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    pointer get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != Traits::invalid(); }

    // Gives up ownership, e.g. after SetWindowRgn hands the region to the system.
    pointer release() noexcept { return std::exchange(h_, Traits::invalid()); }

    void reset(pointer h = Traits::invalid()) noexcept
    {
        pointer old = std::exchange(h_, h);
        if (old != Traits::invalid())
            Traits::close(old);
    }

private:
    pointer h_ = Traits::invalid();
};

template <class T>
struct GdiObjectTraits {
    using pointer = T;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::DeleteObject(h); }
};

struct MenuTraits {
    using pointer = HMENU;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::DestroyMenu(h); }
};

struct IconTraits {
    using pointer = HICON;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::DestroyIcon(h); }
};

struct KeyTraits {
    using pointer = HKEY;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::RegCloseKey(h); }
};

struct KernelHandleTraits {  // handles whose failure value is NULL (mutexes, threads)
    using pointer = HANDLE;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::CloseHandle(h); }
};

struct DcTraits {  // memory DCs from CreateCompatibleDC
    using pointer = HDC;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::DeleteDC(h); }
};

struct ModuleTraits {
    using pointer = HMODULE;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::FreeLibrary(h); }
};

using UniqueHrgn = UniqueHandle<GdiObjectTraits<HRGN>>;
using UniqueHbrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniqueHpen = UniqueHandle<GdiObjectTraits<HPEN>>;
using UniqueHfont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueHbitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueHmenu = UniqueHandle<MenuTraits>;
using UniqueHicon = UniqueHandle<IconTraits>;
using UniqueHkey = UniqueHandle<KeyTraits>;
using UniqueHandleK = UniqueHandle<KernelHandleTraits>;
using UniqueHdc = UniqueHandle<DcTraits>;
using UniqueHmodule = UniqueHandle<ModuleTraits>;

}  // namespace qv
