// Taking dropped files in both ways a drop can come.
#include "window/win32/file_drop.h"

#include "platform/system_library.h"
#include "window/win32/win32_util.h"

namespace win32 {
namespace {

FORMATETC FileListFormat() {
  return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

// shell32 and ole32 are loaded when a drop first needs them, not at start.
namespace functions = platform::system_functions;
using platform::Find;

}  // namespace

std::vector<std::string> DroppedFiles(HDROP drop) {
  std::vector<std::string> paths;
  const auto query = Find(functions::DragQueryFileW);
  if (!query) return paths;
  const UINT count = query(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = query(drop, i, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    query(drop, i, path.data(), length + 1);
    path.resize(length);
    paths.push_back(platform::Narrow(path));
  }
  return paths;
}

void FinishDrop(HDROP drop) {
  const auto finish = Find(functions::DragFinish);
  if (finish) finish(drop);
}

Microsoft::WRL::ComPtr<FileDropTarget> FileDropTarget::Register(HWND hwnd, Handler onDrop) {
  const auto initialize = Find(functions::OleInitialize);
  const auto registerTarget = Find(functions::RegisterDragDrop);
  if (!initialize || !registerTarget || FAILED(initialize(nullptr))) return nullptr;
  Microsoft::WRL::ComPtr<FileDropTarget> target;
  target.Attach(new FileDropTarget(hwnd, std::move(onDrop)));  // its first reference
  if (FAILED(registerTarget(hwnd, target.Get()))) return nullptr;
  return target;
}

void FileDropTarget::Revoke() {
  const auto revoke = Find(functions::RevokeDragDrop);
  if (revoke) revoke(hwnd_);
}

HRESULT FileDropTarget::QueryInterface(REFIID riid, void** out) {
  if (riid == __uuidof(IUnknown) || riid == __uuidof(IDropTarget)) {
    *out = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG FileDropTarget::AddRef() {
  return static_cast<ULONG>(::InterlockedIncrement(&references_));
}

ULONG FileDropTarget::Release() {
  const LONG left = ::InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT FileDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  FORMATETC format = FileListFormat();
  files_ = data && data->QueryGetData(&format) == S_OK;
  *effect = files_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
  return S_OK;
}

HRESULT FileDropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
  *effect = files_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
  return S_OK;
}

HRESULT FileDropTarget::DragLeave() {
  files_ = false;
  return S_OK;
}

HRESULT FileDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  *effect = DROPEFFECT_NONE;
  files_ = false;
  FORMATETC format = FileListFormat();
  STGMEDIUM medium{};
  if (!data || FAILED(data->GetData(&format, &medium))) return S_OK;
  const std::vector<std::string> paths = DroppedFiles(static_cast<HDROP>(medium.hGlobal));
  const auto release = Find(functions::ReleaseStgMedium);
  if (release) release(&medium);
  *effect = DROPEFFECT_COPY;
  // No exception may cross back into the system's drag loop.
  try {
    onDrop_(paths);
  } catch (...) {
    ReportFatal(std::current_exception());
  }
  return S_OK;
}

}  // namespace win32
