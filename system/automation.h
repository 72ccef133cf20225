// COM automation objects driven by member names, on the thread that initialised OLE.
#pragma once
#include <initializer_list>
#include <string_view>

struct IDispatch;

// An owned reference; empty when creation or a call failed.
class AutomationObject {
 public:
  AutomationObject() = default;
  explicit AutomationObject(IDispatch* adopted) : object_(adopted) {}
  ~AutomationObject();
  AutomationObject(AutomationObject&& other) noexcept;
  AutomationObject& operator=(AutomationObject&& other) noexcept;
  AutomationObject(const AutomationObject&) = delete;
  AutomationObject& operator=(const AutomationObject&) = delete;
  explicit operator bool() const { return object_ != nullptr; }
  IDispatch* Get() const { return object_; }

 private:
  IDispatch* object_ = nullptr;
};

AutomationObject CreateAutomationObject(std::string_view progId);
// Calls a method or reads a property, passing texts as strings; the result as an object.
AutomationObject CallAutomationMethod(const AutomationObject& object, std::string_view name,
                                      std::initializer_list<std::string_view> textArguments = {});
// The named property as a double; 0 on any failure.
double ReadAutomationNumber(const AutomationObject& object, std::string_view name);
// The same, telling failure apart from a true 0.
bool TryReadAutomationNumber(const AutomationObject& object, std::string_view name, double* number);
