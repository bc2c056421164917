#pragma once

// Kernel subset: module path, last error, files and the profile (INI) functions.

#include "WinTypes.h"

constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
constexpr DWORD ERROR_NO_MORE_FILES = 18;
constexpr DWORD ERROR_RESOURCE_NAME_NOT_FOUND = 1814;
constexpr DWORD ERROR_INVALID_WINDOW_HANDLE = 1400;

DWORD GetLastError();
void SetLastError(DWORD dwErrCode);

// The real path of the running executable (/proc/self/exe); hModule is ignored.
DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize);
inline DWORD GetModuleFileName(HMODULE h, LPSTR s, DWORD n) {
    return GetModuleFileNameA(h, s, n);
}
HMODULE GetModuleHandleA(LPCSTR lpModuleName);

constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x00000001;
constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x00000002;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x00000010;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x00000080;

struct WIN32_FIND_DATAA {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    CHAR cFileName[MAX_PATH];
    CHAR cAlternateFileName[14];
};
typedef WIN32_FIND_DATAA WIN32_FIND_DATA;
typedef WIN32_FIND_DATAA* LPWIN32_FIND_DATAA;

// A plain path finds that file or folder; wildcards (* ?) are allowed in the
// last component and match case-sensitively, as the file system does.
HANDLE FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData);
BOOL FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData);
BOOL FindClose(HANDLE hFindFile);
inline HANDLE FindFirstFile(LPCSTR s, LPWIN32_FIND_DATAA d) {
    return FindFirstFileA(s, d);
}
inline BOOL FindNextFile(HANDLE h, LPWIN32_FIND_DATAA d) {
    return FindNextFileA(h, d);
}

BOOL DeleteFileA(LPCSTR lpFileName);
BOOL MoveFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName);
inline BOOL DeleteFile(LPCSTR s) {
    return DeleteFileA(s);
}
inline BOOL MoveFile(LPCSTR a, LPCSTR b) {
    return MoveFileA(a, b);
}

// Profile (INI) files. Sections and keys are found without regard to letter
// case; a write keeps every other line of the file as it was and replaces the
// file atomically (temporary file + rename). A relative file name is taken
// relative to the current directory.
DWORD GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                               LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName);
UINT GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName);
BOOL WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString,
                                LPCSTR lpFileName);
inline DWORD GetPrivateProfileString(LPCSTR a, LPCSTR k, LPCSTR d, LPSTR r, DWORD n, LPCSTR f) {
    return GetPrivateProfileStringA(a, k, d, r, n, f);
}
inline UINT GetPrivateProfileInt(LPCSTR a, LPCSTR k, INT d, LPCSTR f) {
    return GetPrivateProfileIntA(a, k, d, f);
}
inline BOOL WritePrivateProfileString(LPCSTR a, LPCSTR k, LPCSTR s, LPCSTR f) {
    return WritePrivateProfileStringA(a, k, s, f);
}
