#pragma once
// Reading the windows as a screen reader does, through their client objects.

#include <oleacc.h>

#include <string>

#include "face_fixture.h"

namespace qv::test {

inline VARIANT child(long id)
{
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

// One window's client object, as a screen reader gets it.
class Reader {
public:
    explicit Reader(HWND w)
    {
        EXPECT_EQ(::AccessibleObjectFromWindow(w, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&acc_)),
                  S_OK);
    }
    ~Reader()
    {
        if (acc_)
            acc_->Release();
    }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;
    std::wstring name(long id = CHILDID_SELF) const { return text(&IAccessible::get_accName, id); }
    std::wstring value(long id) const { return text(&IAccessible::get_accValue, id); }
    std::wstring defaultAction() const { return text(&IAccessible::get_accDefaultAction, CHILDID_SELF); }
    long role(long id = CHILDID_SELF) const { return number(&IAccessible::get_accRole, id); }
    long state(long id = CHILDID_SELF) const { return number(&IAccessible::get_accState, id); }
    long focus() const { return asLong([&](VARIANT* v) { return acc_->get_accFocus(v); }); }
    long hit(POINT at) const { return asLong([&](VARIANT* v) { return acc_->accHitTest(at.x, at.y, v); }); }
    long childCount() const
    {
        LONG n = -1;
        last_ = acc_ ? acc_->get_accChildCount(&n) : E_FAIL;
        return n;
    }
    RECT location(long id) const
    {
        long x = 0, y = 0, w = 0, h = 0;
        last_ = acc_ ? acc_->accLocation(&x, &y, &w, &h, child(id)) : E_FAIL;
        return {x, y, x + w, y + h};
    }
    // The action is posted: it has run once the queue is handled.
    void act(long id = CHILDID_SELF) const
    {
        last_ = acc_ ? acc_->accDoDefaultAction(child(id)) : E_FAIL;
        pumpMessages();
    }
    HRESULT last() const { return last_; }

private:
    std::wstring text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), long id) const
    {
        BSTR s = nullptr;
        last_ = acc_ ? (acc_->*get)(child(id), &s) : E_FAIL;
        std::wstring out = s ? std::wstring(s, ::SysStringLen(s)) : std::wstring();
        ::SysFreeString(s);
        return out;
    }
    long number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), long id) const
    {
        return asLong([&](VARIANT* v) { return (acc_->*get)(child(id), v); });
    }
    template <class Get>
    long asLong(Get get) const
    {
        VARIANT v{};
        last_ = acc_ ? get(&v) : E_FAIL;
        return v.vt == VT_I4 ? v.lVal : -1;
    }
    IAccessible* acc_ = nullptr;
    mutable HRESULT last_ = S_OK;
};

class AccessibilityTest : public FaceTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        FaceTest::SetUp();
        load();
    }
    void TearDown() override
    {
        FaceTest::TearDown();
        ::CoUninitialize();
    }
};

}  // namespace qv::test
