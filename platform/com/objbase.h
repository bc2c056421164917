#pragma once
// Starting and ending COM on a thread, and creating objects by class ID from
// the process's class registry (in-process servers only).

#include "platform/com/unknwn.h"

constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
constexpr DWORD CLSCTX_INPROC_HANDLER = 0x2;
constexpr DWORD CLSCTX_LOCAL_SERVER = 0x4;
constexpr DWORD CLSCTX_REMOTE_SERVER = 0x10;
constexpr DWORD CLSCTX_INPROC = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER;
constexpr DWORD CLSCTX_SERVER = CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
constexpr DWORD CLSCTX_ALL =
    CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;

constexpr DWORD COINIT_MULTITHREADED = 0x0;
constexpr DWORD COINIT_APARTMENTTHREADED = 0x2;

// Starts COM on the calling thread in a single-threaded apartment. S_OK the first
// time, S_FALSE when it is already started on this thread; every success is
// balanced by one CoUninitialize. RPC_E_CHANGED_MODE when the thread runs the
// other apartment model.
HRESULT CoInitialize(LPVOID pvReserved);
HRESULT CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit);
// Balances one successful CoInitialize; the last one ends COM on the thread and
// drops the thread's error information.
void CoUninitialize();

// Creates an object of a registered class and asks it for `riid`. Fails with
// CO_E_NOTINITIALIZED when COM is not started on the calling thread,
// REGDB_E_CLASSNOTREG for a class that is not registered (or a context without
// CLSCTX_INPROC_SERVER) and CLASS_E_NOAGGREGATION for an outer object.
HRESULT CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid,
                         LPVOID* ppv);

// Puts an object into its running state. In-process objects of this platform
// run from their creation, so this only checks the pointer.
HRESULT OleRun(LPUNKNOWN pUnknown);

// Creates a new object and asks it for `riid` (one reference in *ppv).
typedef HRESULT (*LPFNCREATEINSTANCE)(REFIID riid, void** ppv);

// Registers an in-process class for CoCreateInstance, for the whole process.
// Registering a class ID again replaces its creator.
HRESULT CoRegisterInprocClass(REFCLSID rclsid, LPFNCREATEINSTANCE pfnCreate);
// Removes a class; S_FALSE when it was not registered.
HRESULT CoRevokeInprocClass(REFCLSID rclsid);
