// The base of every library interface: query, add-reference and release come first in
// every vtable, so the objects can be handed across module boundaries like COM objects.
#pragma once

#include <cstdint>
#include <string_view>

namespace cpuinfo {

struct InterfaceId {
  uint64_t value = 0;
  friend constexpr bool operator==(InterfaceId, InterfaceId) = default;
};

// A stable identifier derived from the interface's name (64-bit FNV-1a).
constexpr InterfaceId MakeInterfaceId(std::string_view name) {
  uint64_t hash = 0xCBF29CE484222325ull;
  for (char c : name) {
    hash ^= static_cast<uint8_t>(c);
    hash *= 0x100000001B3ull;
  }
  return InterfaceId{hash};
}

class IInterface {
 public:
  static constexpr InterfaceId kId = MakeInterfaceId("IInterface");
  // On success stores an added reference in *object and returns true.
  virtual bool QueryInterface(InterfaceId id, void** object) = 0;
  virtual uint32_t AddRef() = 0;
  virtual uint32_t Release() = 0;

 protected:
  ~IInterface() = default;
};

// Reference-counted implementation of one interface; the object deletes itself when the
// last reference goes. A new object has no references until a Ref takes it.
template <class Interface>
class TInterfacedObject : public Interface {
 public:
  bool QueryInterface(InterfaceId id, void** object) override {
    if (id == Interface::kId || id == IInterface::kId) {
      *object = static_cast<Interface*>(this);
      AddRef();
      return true;
    }
    *object = nullptr;
    return false;
  }
  uint32_t AddRef() override { return ++refs_; }
  uint32_t Release() override {
    const uint32_t left = --refs_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  TInterfacedObject() = default;
  virtual ~TInterfacedObject() = default;

 private:
  uint32_t refs_ = 0;
};

// An interface implementation whose lifetime belongs to its owner: references are not
// counted, and the owner destroys it.
template <class Interface>
class TOwnedObject : public Interface {
 public:
  bool QueryInterface(InterfaceId id, void** object) override {
    if (id == Interface::kId || id == IInterface::kId) {
      *object = static_cast<Interface*>(this);
      return true;
    }
    *object = nullptr;
    return false;
  }
  uint32_t AddRef() override { return 1; }
  uint32_t Release() override { return 1; }

 protected:
  TOwnedObject() = default;
  virtual ~TOwnedObject() = default;
};

}  // namespace cpuinfo
