// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_WIN32_GDI_OBJECT_H_
#define VELMORA_WINDOW_WIN32_GDI_OBJECT_H_

#include <windows.h>

#include <utility>

namespace window::win32 {

// Owns one GDI object (a font, a brush): deleted once, when replaced or at the end.
template <typename Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle_(handle) {}
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() { Reset(nullptr); }

  Handle Get() const { return handle_; }

 private:
  void Reset(Handle handle) {
    if (handle_ != nullptr) DeleteObject(handle_);
    handle_ = handle;
  }

  Handle handle_ = nullptr;
};

}  // namespace window::win32

#endif  // VELMORA_WINDOW_WIN32_GDI_OBJECT_H_
