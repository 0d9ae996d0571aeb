/* A DLL planted beside quimbel.exe under the name of a system DLL that is not
   one of Windows' KnownDLLs. Should the program ever load it, it writes its
   own file name as a line of planted.log beside it, for the test to find. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
  wchar_t path[MAX_PATH * 4], log[MAX_PATH * 4];
  char line[MAX_PATH * 12];
  DWORD length, slash, i, written;
  int bytes;
  HANDLE file;
  (void)reserved;
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  length = GetModuleFileNameW(self, path, MAX_PATH * 4);
  if (length == 0 || length >= MAX_PATH * 4 - 16) return TRUE;
  for (slash = 0, i = 0; i < length; ++i)
    if (path[i] == L'\\' || path[i] == L'/') slash = i + 1;
  lstrcpynW(log, path, (int)slash + 1);
  lstrcpyW(log + slash, L"planted.log");
  bytes = WideCharToMultiByte(CP_UTF8, 0, path + slash, (int)(length - slash), line,
                              (int)sizeof line - 2, NULL, NULL);
  line[bytes++] = '\r';
  line[bytes++] = '\n';
  file = CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, NULL);
  if (file != INVALID_HANDLE_VALUE) {
    WriteFile(file, line, (DWORD)bytes, &written, NULL);
    CloseHandle(file);
  }
  return TRUE;
}
