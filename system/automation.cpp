#include "system/automation.h"

#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include "system/wide_text.h"

namespace {

// VARIANT that clears itself.
struct Variant {
  VARIANT value;
  Variant() { VariantInit(&value); }
  ~Variant() { VariantClear(&value); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
};

// Invokes a member as a method or a property read; the member's name is looked
// up through the object's own type information (GetIDsOfNames).
bool Invoke(IDispatch* object, std::string_view name, std::initializer_list<std::string_view> textArguments,
            VARIANT* result) {
  if (!object || name.empty()) return false;
  std::wstring wideName = WideFromAnsi(name);
  LPOLESTR names[] = {&wideName[0]};
  DISPID member = DISPID_UNKNOWN;
  if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &member))) return false;

  // IDispatch takes its arguments last first.
  std::vector<VARIANT> arguments(textArguments.size());
  std::size_t slot = arguments.size();
  bool built = true;
  for (std::string_view text : textArguments) {
    VARIANT& argument = arguments[--slot];
    VariantInit(&argument);
    std::wstring wide = WideFromAnsi(text);
    argument.vt = VT_BSTR;
    argument.bstrVal = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (!argument.bstrVal) built = false;
  }
  HRESULT invoked = E_OUTOFMEMORY;
  if (built) {
    DISPPARAMS parameters = {arguments.empty() ? nullptr : arguments.data(), nullptr,
                             static_cast<UINT>(arguments.size()), 0};
    EXCEPINFO exception = {};
    invoked = object->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                             &parameters, result, &exception, nullptr);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
  }
  for (VARIANT& argument : arguments) VariantClear(&argument);
  return SUCCEEDED(invoked);
}

IDispatch* DispatchOf(IUnknown* unknown) {
  IDispatch* dispatch = nullptr;
  if (!unknown || FAILED(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))))
    return nullptr;
  return dispatch;
}

}  // namespace

AutomationObject::~AutomationObject() {
  if (object_) object_->Release();
}

AutomationObject::AutomationObject(AutomationObject&& other) noexcept : object_(other.object_) {
  other.object_ = nullptr;
}

AutomationObject& AutomationObject::operator=(AutomationObject&& other) noexcept {
  if (this != &other) {
    if (object_) object_->Release();
    object_ = other.object_;
    other.object_ = nullptr;
  }
  return *this;
}

AutomationObject CreateAutomationObject(std::string_view progId) {
  if (progId.empty()) return AutomationObject();
  std::wstring wideId = WideFromAnsi(progId);
  CLSID classId;
  if (FAILED(CLSIDFromProgID(wideId.c_str(), &classId))) return AutomationObject();
  IUnknown* unknown = nullptr;
  HRESULT created = CoCreateInstance(classId, nullptr, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<void**>(&unknown));
  // Some systems refuse CLSCTX_ALL's remote-server bit outright.
  if (created == E_INVALIDARG)
    created = CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER,
                               IID_IUnknown, reinterpret_cast<void**>(&unknown));
  if (FAILED(created) || !unknown) return AutomationObject();
  IDispatch* dispatch = nullptr;
  if (SUCCEEDED(OleRun(unknown))) dispatch = DispatchOf(unknown);
  unknown->Release();
  return AutomationObject(dispatch);
}

AutomationObject CallAutomationMethod(const AutomationObject& object, std::string_view name,
                                      std::initializer_list<std::string_view> textArguments) {
  Variant result;
  if (!Invoke(object.Get(), name, textArguments, &result.value)) return AutomationObject();
  if (result.value.vt == VT_DISPATCH || result.value.vt == VT_UNKNOWN)
    return AutomationObject(DispatchOf(result.value.punkVal));
  return AutomationObject();
}

bool TryReadAutomationNumber(const AutomationObject& object, std::string_view name, double* number) {
  Variant result;
  if (!Invoke(object.Get(), name, {}, &result.value)) return false;
  if (FAILED(VariantChangeType(&result.value, &result.value, 0, VT_R8))) return false;
  if (number) *number = result.value.dblVal;
  return true;
}

double ReadAutomationNumber(const AutomationObject& object, std::string_view name) {
  double number = 0;
  return TryReadAutomationNumber(object, name, &number) ? number : 0;
}
