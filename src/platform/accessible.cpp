#include "platform/accessible.h"

#include <oleacc.h>

#include "platform/late_bound.h"

namespace qv {
namespace {

// Carries a default action out of the screen reader's call; wParam is the element.
UINT actionMessage()
{
    static const UINT message = ::RegisterWindowMessageW(L"qorvane.AccessibleAction");
    return message;
}

HRESULT toBstr(const std::wstring& text, BSTR* out)
{
    if (text.empty())
        return S_FALSE;
    *out = late::SysAllocString(text.c_str());
    return *out ? S_OK : E_OUTOFMEMORY;
}

void setI4(VARIANT* v, long value)
{
    v->vt = VT_I4;
    v->lVal = value;
}

void clear(VARIANT* v)
{
    if (v)
        v->vt = VT_EMPTY;
}

constexpr long kStandard = -1;  // a child only the standard object knows, if any
constexpr long kNoSuchElement = -2;

}  // namespace

class AccessibleClientObject final : public IAccessible, public IOleWindow {
public:
    AccessibleClientObject(HWND hwnd, AccessibleSource& source, IAccessible* standard)
        : hwnd_(hwnd), source_(&source), standard_(standard)
    {
    }

    // The window is going: every later call fails, whoever still holds the object.
    void disconnect()
    {
        source_ = nullptr;
        hwnd_ = nullptr;
        if (standard_) {
            standard_->Release();
            standard_ = nullptr;
        }
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
        } else if (riid == __uuidof(IOleWindow)) {
            *out = static_cast<IOleWindow*>(this);
        } else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = ::InterlockedDecrement(&refs_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    // IOleWindow: how a screen reader finds the window behind the object.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override
    {
        if (!out)
            return E_POINTER;
        *out = hwnd_;
        return hwnd_ ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IDispatch: not offered; late-bound callers would bypass the answers here.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override
    {
        if (info)
            *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        if (!parent)
            return E_POINTER;
        *parent = nullptr;
        return standard_ ? standard_->get_accParent(parent) : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override
    {
        if (!count)
            return E_POINTER;
        *count = 0;
        if (!standard_)
            return CO_E_OBJNOTCONNECTED;
        if (const long n = source_->elementCount(); n > 0) {
            *count = n;
            return S_OK;
        }
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        const long e = element(child);
        if (e == kNoSuchElement || e > 0)
            return answerForElement(e, S_FALSE);  // simple elements are no objects
        return standard_->get_accChild(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        return text(child, name, &AccessibleSource::accessibleName, &AccessibleSource::Element::name,
                    &IAccessible::get_accName);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        if (!value)
            return E_POINTER;
        *value = nullptr;
        const long e = element(child);
        if (e > 0)
            return toBstr(source_->element(e).value, value);
        return e < kStandard ? answerForElement(e, S_OK) : standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override
    {
        return standardText(child, text, &IAccessible::get_accDescription);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        if (!role)
            return E_POINTER;
        clear(role);
        const long e = element(child);
        if (e == CHILDID_SELF) {
            setI4(role, source_->accessibleRole());
            return S_OK;
        }
        if (e > 0) {
            setI4(role, source_->element(e).role);
            return S_OK;
        }
        return e < kStandard ? answerForElement(e, S_OK) : standard_->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        if (!state)
            return E_POINTER;
        clear(state);
        const long e = element(child);
        if (e > 0) {
            setI4(state, source_->element(e).state | (::IsWindowVisible(hwnd_) ? 0 : STATE_SYSTEM_INVISIBLE));
            return S_OK;
        }
        return e < kStandard ? answerForElement(e, S_OK) : standard_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        return standardText(child, help, &IAccessible::get_accHelp);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override
    {
        if (!file || !topic)
            return E_POINTER;
        *file = nullptr;
        *topic = 0;
        const long e = element(child);
        return e > 0 || e < kStandard ? answerForElement(e, S_FALSE) : standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override
    {
        return standardText(child, keys, &IAccessible::get_accKeyboardShortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override
    {
        if (!focus)
            return E_POINTER;
        clear(focus);
        if (!standard_)
            return CO_E_OBJNOTCONNECTED;
        for (long id = 1, n = source_->elementCount(); id <= n; ++id) {
            if (source_->element(id).state & STATE_SYSTEM_FOCUSED) {
                setI4(focus, id);
                return S_OK;
            }
        }
        return standard_->get_accFocus(focus);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override
    {
        if (!selection)
            return E_POINTER;
        clear(selection);
        return standard_ ? standard_->get_accSelection(selection) : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return text(child, action, &AccessibleSource::defaultAction, &AccessibleSource::Element::defaultAction,
                    &IAccessible::get_accDefaultAction);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override
    {
        const long e = element(child);
        return e > 0 || e < kStandard ? answerForElement(e, DISP_E_MEMBERNOTFOUND) : standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override
    {
        if (!left || !top || !width || !height)
            return E_POINTER;
        *left = *top = *width = *height = 0;
        const long e = element(child);
        if (e > 0) {
            RECT r = source_->element(e).clientPx;
            ::MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&r), 2);
            *left = r.left;
            *top = r.top;
            *width = r.right - r.left;
            *height = r.bottom - r.top;
            return S_OK;
        }
        return e < kStandard ? answerForElement(e, S_OK) : standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override
    {
        if (!end)
            return E_POINTER;
        clear(end);
        const long e = element(start);
        if (e < kStandard)
            return answerForElement(e, S_OK);
        const long n = source_->elementCount();
        long to = 0;
        if (e > 0) {
            // Among the elements only; leaving the window is the parent's business.
            if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN || direction == NAVDIR_RIGHT)
                to = e + 1;
            else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP || direction == NAVDIR_LEFT)
                to = e - 1;
            if (to < 1 || to > n)
                return S_FALSE;
        } else if (e == CHILDID_SELF && n > 0 && (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD)) {
            to = direction == NAVDIR_FIRSTCHILD ? 1 : n;
        } else {
            return standard_->accNavigate(direction, start, end);
        }
        setI4(end, to);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override
    {
        if (!hit)
            return E_POINTER;
        clear(hit);
        if (!standard_)
            return CO_E_OBJNOTCONNECTED;
        POINT p{x, y};
        ::ScreenToClient(hwnd_, &p);
        for (long id = 1, n = source_->elementCount(); id <= n; ++id) {
            const RECT r = source_->element(id).clientPx;
            if (::PtInRect(&r, p)) {
                setI4(hit, id);
                return S_OK;
            }
        }
        return standard_->accHitTest(x, y, hit);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        const long e = element(child);
        const bool has = e == CHILDID_SELF ? source_->defaultAction().has_value()
                         : e > 0           ? !source_->element(e).defaultAction.empty()
                                           : false;
        if (has)
            return ::PostMessageW(hwnd_, actionMessage(), static_cast<WPARAM>(e), 0) ? S_OK : E_FAIL;
        if (e == CHILDID_SELF || e == kStandard)
            return standard_->accDoDefaultAction(child);
        return answerForElement(e, DISP_E_MEMBERNOTFOUND);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override
    {
        return standard_ ? E_NOTIMPL : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override
    {
        return standard_ ? E_NOTIMPL : CO_E_OBJNOTCONNECTED;
    }

private:
    ~AccessibleClientObject() { disconnect(); }

    // A text only the standard object has; the elements have none.
    HRESULT standardText(const VARIANT& child, BSTR* out, HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, BSTR*))
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        const long e = element(child);
        return e > 0 || e < kStandard ? answerForElement(e, S_FALSE) : (standard_->*standard)(child, out);
    }
    // A text the source may give for the window itself and gives for each element.
    HRESULT text(const VARIANT& child, BSTR* out, std::optional<std::wstring> (AccessibleSource::*own)() const,
                 std::wstring AccessibleSource::Element::*field,
                 HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, BSTR*))
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        const long e = element(child);
        if (e == CHILDID_SELF) {
            if (const std::optional<std::wstring> answer = (source_->*own)())
                return toBstr(*answer, out);
        } else if (e != kStandard) {
            return e > 0 ? toBstr(source_->element(e).*field, out) : answerForElement(e, S_OK);
        }
        return (standard_->*standard)(child, out);
    }

    // CHILDID_SELF, one of the source's elements, kStandard for what the
    // standard object answers, or kNoSuchElement (also once disconnected).
    long element(const VARIANT& child) const
    {
        if (!standard_)
            return kNoSuchElement;
        if (child.vt != VT_I4)
            return kStandard;
        if (child.lVal == CHILDID_SELF)
            return CHILDID_SELF;
        const long n = source_->elementCount();
        if (n == 0)
            return kStandard;
        return child.lVal >= 1 && child.lVal <= n ? child.lVal : kNoSuchElement;
    }
    // `ok` for an element, the failure for a child that is not one.
    HRESULT answerForElement(long e, HRESULT ok) const
    {
        if (e > 0)
            return ok;
        return standard_ ? E_INVALIDARG : CO_E_OBJNOTCONNECTED;
    }

    LONG refs_ = 1;
    HWND hwnd_;
    AccessibleSource* source_;
    IAccessible* standard_;
};

AccessibleHost::~AccessibleHost()
{
    disconnect();
}

void AccessibleHost::disconnect()
{
    if (object_) {
        object_->disconnect();
        object_->Release();
        object_ = nullptr;
    }
}

std::optional<LRESULT> AccessibleHost::onMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        if (!object_) {
            // Handing the object over marshals it: the thread needs COM, which
            // nothing else here wants before a screen reader comes. Kept to the end.
            static const HRESULT com = late::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            (void)com;
            IAccessible* standard = nullptr;
            if (FAILED(late::CreateStdAccessibleObject(hwnd, OBJID_CLIENT, __uuidof(IAccessible),
                                                       reinterpret_cast<void**>(&standard))) ||
                !standard)
                return std::nullopt;
            object_ = new AccessibleClientObject(hwnd, source_, standard);
        }
        const LRESULT reference =
            late::LresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object_));
        if (reference < 0)
            return std::nullopt;
        return reference;
    }
    if (msg == WM_NCDESTROY) {
        disconnect();
    } else if (msg == actionMessage() && msg != 0 && object_) {
        // Asked for again now: the button may have been disabled meanwhile.
        const long e = static_cast<long>(wParam);
        if (e == CHILDID_SELF && source_.defaultAction())
            source_.doDefaultAction();
        else if (e > 0 && e <= source_.elementCount() && !source_.element(e).defaultAction.empty())
            source_.doElementAction(e);
        return 0;
    }
    return std::nullopt;
}

}  // namespace qv
