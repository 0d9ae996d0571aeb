// Files dragged onto the main window: both kinds of drop that programs send,
// an OLE drag (IDropTarget) and WM_DROPFILES. Windows turns an OLE drag onto
// a window that accepts WM_DROPFILES into that message, but Wine does not,
// and file managers under Wine send either.
#pragma once

#include <windows.h>

#include <oleidl.h>
#include <shellapi.h>
#include <wrl/client.h>

#include <functional>
#include <string>
#include <vector>

namespace win32 {

// The paths (UTF-8) a WM_DROPFILES drop carries, and the drop's end.
std::vector<std::string> DroppedFiles(HDROP drop);
void FinishDrop(HDROP drop);

// Accepts drops of files on `hwnd` in both ways and hands their paths to
// `onDrop`. The window's ComPtr keeps it; Revoke before the window goes.
class FileDropTarget final : public IDropTarget {
 public:
  using Handler = std::function<void(const std::vector<std::string>&)>;

  // Initialises OLE for this thread and registers a new target for `hwnd`;
  // nullptr if the system refuses, in which case WM_DROPFILES still works
  // (the window has WS_EX_ACCEPTFILES from its creation).
  static Microsoft::WRL::ComPtr<FileDropTarget> Register(HWND hwnd, Handler onDrop);
  // Ends the drops on the window; the system lets go of its reference.
  void Revoke();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at,
                                      DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;

 private:
  FileDropTarget(HWND hwnd, Handler onDrop) : hwnd_(hwnd), onDrop_(std::move(onDrop)) {}
  virtual ~FileDropTarget() = default;

  HWND hwnd_;
  Handler onDrop_;
  LONG references_ = 1;
  bool files_ = false;  // whether the drag in progress carries files
};

}  // namespace win32
