// Crashes through the program's crash path: "throw" leaves an exception uncaught, "pure" calls a
// pure virtual function, "abort" calls abort().

#include <windows.h>

#include <cstdlib>
#include <string_view>

#include "app/fail_fast.h"

struct Half {
    Half() { call(this); }  // through a volatile pointer: no compiler sees the object is still abstract
    virtual void run() = 0;
    static void (*volatile call)(Half*);
};
void (*volatile Half::call)(Half*) = [](Half* half) { half->run(); };
struct Whole : Half { void run() override {} };

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR how, int)
{
    qv::failFastOnCrash();
    const std::wstring_view crash = how;
    if (crash == L"throw")
        throw 1;
    if (crash == L"pure")
        Whole{};
    if (crash == L"abort")
        std::abort();
    return 0;
}
