// SPDX-License-Identifier: MIT
#include "window/win32/accessible_names.h"

// The interface's identifiers are defined here, so the program needs no oleacc import.
#include <initguid.h>
#include <oleacc.h>

#include "window/win32/utf16.h"

namespace window::win32 {

AccessibleNames::AccessibleNames() {
  com_started_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  void* services = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_IAccPropServices, &services))) {
    services_ = static_cast<IAccPropServices*>(services);
  }
}

AccessibleNames::~AccessibleNames() {
  if (services_ != nullptr) {
    const MSAAPROPID name = PROPID_ACC_NAME;
    for (HWND control : named_) {
      services_->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &name, 1);
    }
    services_->Release();
  }
  if (com_started_) CoUninitialize();
}

void AccessibleNames::Name(HWND control, std::string_view name) {
  if (services_ == nullptr) return;
  if (SUCCEEDED(services_->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                          PROPID_ACC_NAME, Widen(name).c_str()))) {
    named_.push_back(control);
  }
}

}  // namespace window::win32
