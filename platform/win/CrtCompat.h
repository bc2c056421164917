#pragma once

// The C run-time extras the program uses: path splitting, multibyte string
// helpers, access test and the _t names. Paths use the host's separator "/";
// there are no drive letters, so the drive part is always empty.

#include <cstdlib>
#include <cstring>

#include "WinTypes.h"

#ifndef _MAX_PATH
#define _MAX_PATH 260
#endif
#ifndef _MAX_DRIVE
#define _MAX_DRIVE 3
#endif
#ifndef _MAX_DIR
#define _MAX_DIR 256
#endif
#ifndef _MAX_FNAME
#define _MAX_FNAME 256
#endif
#ifndef _MAX_EXT
#define _MAX_EXT 256
#endif

// Splits a path into drive (always empty), directory (with its trailing "/"),
// base name and extension (with its dot). Any output may be null.
void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext);
void _makepath(char* path, const char* drive, const char* dir, const char* fname, const char* ext);

// Multibyte-aware in the locale's narrow encoding (UTF-8): an ASCII character
// never occurs inside a multibyte sequence, so byte-wise search is exact.
unsigned char* _mbsrchr(const unsigned char* str, unsigned int c);
unsigned char* _mbschr(const unsigned char* str, unsigned int c);
int _mbscmp(const unsigned char* a, const unsigned char* b);

// Mode 0 existence, 2 write, 4 read, 6 read and write; 0 on success, -1 on failure.
int _access(const char* path, int mode);
int _unlink(const char* path);

inline char* _tcsdup(const char* s) {
    return s ? ::strdup(s) : nullptr;
}
inline char* _strdup(const char* s) {
    return s ? ::strdup(s) : nullptr;
}
inline std::size_t _tcslen(const char* s) {
    return std::strlen(s);
}
inline int _tcscmp(const char* a, const char* b) {
    return std::strcmp(a, b);
}
inline char* _tcscpy(char* d, const char* s) {
    return std::strcpy(d, s);
}
inline char* _tcsncpy(char* d, const char* s, std::size_t n) {
    return std::strncpy(d, s, n);
}
inline char* _tcsrchr(const char* s, int c) {
    return const_cast<char*>(std::strrchr(s, c));
}
inline char* _tcschr(const char* s, int c) {
    return const_cast<char*>(std::strchr(s, c));
}
int _stricmp(const char* a, const char* b);
inline int _tcsicmp(const char* a, const char* b) {
    return _stricmp(a, b);
}
