// Patching this exe's import address table, the table its calls to system
// functions go through.
#include "support/import_hook.h"

#include <gtest/gtest.h>

#include <cstring>

namespace testing_support {
namespace {

void Store(void** slot, void* value) {
  DWORD old = 0;
  ::VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
  *slot = value;
  ::VirtualProtect(slot, sizeof *slot, old, &old);
}

// What each live hook replaced, by function name.
std::map<std::string, void*>& Reals() {
  static std::map<std::string, void*> reals;
  return reals;
}

const std::map<std::string, const void*>* liveOffers = nullptr;

FARPROC WINAPI LookUp(HMODULE module, LPCSTR name) {
  // A name below 0x10000 is an ordinal.
  if (reinterpret_cast<ULONG_PTR>(name) > 0xFFFF) {
    if (const auto offer = liveOffers->find(name); offer != liveOffers->end())
      return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(offer->second));
  }
  return ImportHook::Real<decltype(&::GetProcAddress)>("GetProcAddress")(module, name);
}

}  // namespace

ImportHook::ImportHook(const char* function, const void* replacement) : function_(function) {
  auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  auto* dll = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
  for (; dll->Name != 0; ++dll) {
    const DWORD namesAt = dll->OriginalFirstThunk ? dll->OriginalFirstThunk : dll->FirstThunk;
    auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + namesAt);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName =
          reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) != 0) continue;
      auto** slot = reinterpret_cast<void**>(&slots->u1.Function);
      Reals().emplace(function_, *slot);
      slots_.push_back({slot, *slot});
      Store(slot, const_cast<void*>(replacement));
    }
  }
  EXPECT_FALSE(slots_.empty()) << "this exe does not import " << function;
}

ImportHook::~ImportHook() {
  for (const auto& [slot, was] : slots_) Store(slot, was);
  Reals().erase(function_);
}

void* ImportHook::RealAddress(const char* function) {
  return Reals().at(function);
}

LookupHook::LookupHook(std::map<std::string, const void*> offers)
    : offers_(std::move(offers)), hook_("GetProcAddress", reinterpret_cast<const void*>(&LookUp)) {
  liveOffers = &offers_;
}

LookupHook::~LookupHook() {
  liveOffers = nullptr;
}

}  // namespace testing_support
