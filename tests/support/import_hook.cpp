// Patching this exe's import address table, the table its calls to system
// functions go through.
#include "support/import_hook.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>

namespace testing_support {
namespace {

void Store(void** slot, void* value) {
  DWORD old = 0;
  ::VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
  *slot = value;
  ::VirtualProtect(slot, sizeof *slot, old, &old);
}

// The system function behind each live hook's fake.
std::map<void*, void*>& Reals() {
  static std::map<void*, void*> reals;
  return reals;
}

const std::vector<Offer>* liveOffers = nullptr;

FARPROC WINAPI LookUp(HMODULE module, LPCSTR name) {
  const FARPROC found = ImportHook::Real(&::GetProcAddress)(module, name);
  if (liveOffers == nullptr) {
    ADD_FAILURE() << "GetProcAddress hooked with no offers";
    return found;
  }
  for (const Offer& offer : *liveOffers) {
    if (found != nullptr && ImportHook::Address(found) == offer.system)
      return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(offer.fake));
  }
  return found;
}

}  // namespace

ImportHook::ImportHook(void* system, void* fake) {
  if (Reals().count(system) != 0) {
    ADD_FAILURE() << "a function already hooked is hooked again";
    return;
  }
  auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  auto* dll = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
  for (; dll->Name != 0; ++dll) {
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
    for (; slots->u1.Function != 0; ++slots) {
      auto** slot = reinterpret_cast<void**>(&slots->u1.Function);
      if (*slot != system) continue;
      slots_.push_back({slot, *slot});
      Store(slot, fake);
    }
  }
  if (slots_.empty()) {
    ADD_FAILURE() << "this exe does not import the function hooked";
    return;
  }
  fake_ = fake;
  Reals().emplace(fake, system);
}

ImportHook::~ImportHook() {
  for (const auto& [slot, was] : slots_) Store(slot, was);
  if (fake_ != nullptr) Reals().erase(fake_);
}

void* ImportHook::ThroughStub(void* code) {
  // The linker's import stub is one instruction, FF 25 and four bytes: on
  // x64 jmp *slot(%rip), the slot's distance from the instruction's end; on
  // x86 jmp *slot, the slot's address itself.
  // A system function may begin so too; only this exe's own code is a stub.
  const auto* base = reinterpret_cast<const BYTE*>(::GetModuleHandleW(nullptr));
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const auto* bytes = static_cast<const BYTE*>(code);
  if (bytes < base || bytes >= base + nt->OptionalHeader.SizeOfImage) return code;
  if (bytes[0] != 0xFF || bytes[1] != 0x25) return code;
  std::int32_t operand = 0;
  std::memcpy(&operand, bytes + 2, sizeof operand);
#ifdef _WIN64
  return *reinterpret_cast<void* const*>(bytes + 6 + operand);
#else
  return *reinterpret_cast<void* const*>(static_cast<std::uintptr_t>(operand));
#endif
}

void* ImportHook::RealAddress(void* function) {
  const auto real = Reals().find(function);
  return real == Reals().end() ? function : real->second;
}

LookupHook::LookupHook(std::vector<Offer> offers)
    : offers_(std::move(offers)), hook_(&::GetProcAddress, &LookUp) {
  liveOffers = &offers_;
}

LookupHook::~LookupHook() {
  liveOffers = nullptr;
}

}  // namespace testing_support
