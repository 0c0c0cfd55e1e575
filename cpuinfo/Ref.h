// Intrusive reference-counting pointer to a library interface.
#pragma once

#include <utility>

#include "cpuinfo/Interface.h"

namespace cpuinfo {

template <class T>
class Ref {
 public:
  Ref() = default;
  Ref(T* object) : object_(object) {  // NOLINT: implicit, like an interface assignment
    if (object_) object_->AddRef();
  }
  Ref(const Ref& other) : Ref(other.object_) {}
  Ref(Ref&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  template <class U>
  Ref(const Ref<U>& other) : Ref(other.get()) {}  // NOLINT: upcast to a base interface
  ~Ref() {
    if (object_) object_->Release();
  }

  Ref& operator=(Ref other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }

  T* operator->() const { return object_; }
  T& operator*() const { return *object_; }
  T* get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  T* object_ = nullptr;
};

// Creates an object and hands out its first reference.
template <class T, class... Args>
Ref<T> Make(Args&&... args) {
  return Ref<T>(new T(std::forward<Args>(args)...));
}

// Asks any interface for another one; empty when the object does not implement it.
template <class Wanted, class Held>
Ref<Wanted> Query(const Ref<Held>& held) {
  if (!held) return {};
  void* object = nullptr;
  if (!held->QueryInterface(Wanted::kId, &object)) return {};
  Ref<Wanted> result(static_cast<Wanted*>(object));
  static_cast<Wanted*>(object)->Release();  // the query's own reference
  return result;
}

}  // namespace cpuinfo
