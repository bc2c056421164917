#pragma once

// File operations with the platform's semantics, beside those of WinBase.h:
// the C run-time's rename and remove (under their generic-text names), moves
// that replace atomically, attributes and the identity of a file. Each
// operation asks the file-fault hook (FileFaults.h) before it acts.
//
// The read-only attribute: a file is read-only when no write permission bit
// is set (chmod a-w), or when it is immutable or append-only. As on the
// platform, a read-only file cannot be deleted or replaced, whoever asks.

#include "WinBase.h"

constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;

constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x00000001;
constexpr DWORD MOVEFILE_COPY_ALLOWED = 0x00000002;
constexpr DWORD MOVEFILE_WRITE_THROUGH = 0x00000008;

constexpr DWORD ERROR_NOT_SAME_DEVICE = 17;
constexpr DWORD ERROR_DISK_FULL = 112;
constexpr DWORD ERROR_ALREADY_EXISTS = 183;

// rename: moves a file (a folder only within its file system) to `newname`,
// copying it when that lies on another file system. Never replaces anything:
// fails with EEXIST when `newname` exists, also when another process creates
// it at the same moment. The folders are flushed to disk afterwards.
// 0 on success, -1 with errno set on failure (nothing moved).
int _trename(const char* oldname, const char* newname);

// remove: deletes a file. Refuses a folder and a read-only file (EACCES).
// 0 on success, -1 with errno set on failure.
int _tremove(const char* path);

// The attributes (FILE_ATTRIBUTE_*) of a file or folder, following links;
// INVALID_FILE_ATTRIBUTES with the last error set when there is none.
DWORD GetFileAttributesA(LPCSTR lpFileName);
inline DWORD GetFileAttributes(LPCSTR s) {
    return GetFileAttributesA(s);
}

// Moves a file. Without MOVEFILE_REPLACE_EXISTING it fails when the target
// exists (ERROR_ALREADY_EXISTS). With it, an existing file at the target is
// replaced in one step, so the target always names either the old or the new
// file; a folder or a read-only file there is not replaced (ERROR_ACCESS_DENIED).
// MOVEFILE_COPY_ALLOWED lets the move copy across file systems
// (ERROR_NOT_SAME_DEVICE otherwise); MOVEFILE_WRITE_THROUGH returns only when
// the move is on disk.
BOOL MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags);
inline BOOL MoveFileEx(LPCSTR a, LPCSTR b, DWORD f) {
    return MoveFileExA(a, b, f);
}

// The identity of a file: its volume and its index on that volume, as the
// platform reports them for an open file. Two paths name the same file
// exactly when both identities are equal (links are followed).
struct FILE_ID_INFO {
    ULONGLONG VolumeSerialNumber;
    ULONGLONG FileId;
};
BOOL GetFileIdA(LPCSTR lpFileName, FILE_ID_INFO* lpFileId);

// Whether this process could delete (or replace) the file now: it exists, is
// not a folder, is not read-only, and its folder lets this process remove
// entries from it. FALSE with the last error set otherwise.
BOOL CanDeleteFileA(LPCSTR lpFileName);
