#include "shell/win32/accessible.h"

#include <oleacc.h>

namespace shell::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 0xACC;

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The system's object for a control's client area, with the name and the role of `look`; every
// other question goes to the system's object unchanged. COM interfaces have no virtual
// destructor: the object deletes itself on its last Release.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class LookedAccessible final : public IAccessible {
 public:
  LookedAccessible(IAccessible* system, HWND control, const AccessibleLook& look)
      : system_(system), control_(control), look_(&look) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    // The children's enumeration (a list's items) is the system object's.
    if (iid == IID_IEnumVARIANT) return system_->QueryInterface(iid, object);
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ::InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = ::InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return system_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return system_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return system_->GetIDsOfNames(iid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* wrong_argument) override {
    return system_->Invoke(id, iid, locale, flags, params, result, exception, wrong_argument);
  }

  // IAccessible: what differs from the system's object
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    const AccessibleLook* look = Look();
    if (!IsSelf(child) || look == nullptr || look->name.empty()) {
      return system_->get_accName(child, name);
    }
    if (name == nullptr) return E_POINTER;
    *name = ::SysAllocStringLen(look->name.data(), static_cast<UINT>(look->name.size()));
    return *name != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!IsSelf(child) || !IsButton()) return system_->get_accRole(child, role);
    if (role == nullptr) return E_POINTER;
    role->vt = VT_I4;
    role->lVal = ROLE_SYSTEM_PUSHBUTTON;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (!IsSelf(child) || !IsButton()) return system_->get_accDefaultAction(child, action);
    if (action == nullptr) return E_POINTER;
    *action = ::SysAllocString(L"Press");
    return *action != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (!IsSelf(child) || !IsButton()) return system_->accDoDefaultAction(child);
    const AccessibleLook* look = Look();
    if (!::IsWindowEnabled(control_) || !look->press) return DISP_E_MEMBERNOTFOUND;
    look->press();
    return S_OK;
  }

  // IAccessible: the system's answers
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return system_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return system_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return system_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return system_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return system_->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return system_->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return system_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return system_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return system_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return system_->get_accFocus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return system_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return system_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    return system_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return system_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override {
    return system_->accHitTest(left, top, child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return system_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return system_->put_accValue(child, value);
  }

 private:
  ~LookedAccessible() { system_->Release(); }

  // The window's look, while the control's window lives: a screen reader may hold this object
  // longer than the window, which owns the look.
  const AccessibleLook* Look() const { return ::IsWindow(control_) ? look_ : nullptr; }
  bool IsButton() const { return Look() != nullptr && Look()->button; }

  LONG references_ = 1;
  IAccessible* system_;  // owned: one reference
  HWND control_;
  const AccessibleLook* look_;
};
#pragma GCC diagnostic pop

LRESULT CALLBACK AccessibleProc(HWND control, UINT message, WPARAM wparam, LPARAM lparam,
                                UINT_PTR /*id*/, DWORD_PTR data) {
  if (message == WM_GETOBJECT && static_cast<DWORD>(lparam) == static_cast<DWORD>(OBJID_CLIENT)) {
    IAccessible* system = nullptr;
    if (SUCCEEDED(::CreateStdAccessibleObject(control, OBJID_CLIENT, IID_IAccessible,
                                              reinterpret_cast<void**>(&system)))) {
      auto* looked =
          new LookedAccessible(system, control, *reinterpret_cast<const AccessibleLook*>(data));
      const LRESULT result = ::LresultFromObject(IID_IAccessible, wparam, looked);
      looked->Release();  // the result holds its own reference
      return result;
    }
  } else if (message == WM_NCDESTROY) {
    ::RemoveWindowSubclass(control, &AccessibleProc, kSubclassId);
  }
  return ::DefSubclassProc(control, message, wparam, lparam);
}

}  // namespace

void MakeAccessible(HWND control, const AccessibleLook* look) {
  ::SetWindowSubclass(control, &AccessibleProc, kSubclassId, reinterpret_cast<DWORD_PTR>(look));
}

}  // namespace shell::win32
