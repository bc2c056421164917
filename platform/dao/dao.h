#pragma once
// The DAO object model that the class library's DAO classes sit on: the
// DBEngine object with its Workspaces and Errors collections, workspaces and
// their Users. Raw interfaces only; every method returns an HRESULT, and a
// failure also leaves its number, source and description as the last entry of
// the engine's Errors collection (and as the thread's error information).
//
// Text: every string that crosses these interfaces, in a BSTR or in a VT_BSTR
// variant, is 8-bit text (UTF-8) packed in the BSTR, as the class library's
// 8-bit build passes it: make one with DaoAllocString (SysAllocStringByteLen)
// and read one with DaoString (SysStringByteLen).
//
// Start-up: the engine is an object of class CLSID_CDAODBEngine, created with
// CoCreateInstance (COM must be started on the thread) and ended by releasing
// it; DaoStartEngine and DaoStopEngine do both.

#include <string>
#include <string_view>

#include "platform/com/comdef.h"

struct DAODBEngine;
struct DAOWorkspaces;
struct DAOWorkspace;
struct DAOUsers;
struct DAOUser;
struct DAOErrors;
struct DAOError;

inline constexpr CLSID CLSID_CDAODBEngine = GuidFromString("00000100-0000-0010-8000-00AA006D2EA4");
COM_DECLARE_UUID(DAODBEngine, "00000021-0000-0010-8000-00AA006D2EA4");
COM_DECLARE_UUID(DAOError, "00000023-0000-0010-8000-00AA006D2EA4");
COM_DECLARE_UUID(DAOErrors, "00000025-0000-0010-8000-00AA006D2EA4");
COM_DECLARE_UUID(DAOWorkspace, "00000039-0000-0010-8000-00AA006D2EA4");
COM_DECLARE_UUID(DAOWorkspaces, "0000003B-0000-0010-8000-00AA006D2EA4");
COM_DECLARE_UUID(DAOUser, "00000069-0000-0010-8000-00AA006D2EA4");
COM_DECLARE_UUID(DAOUsers, "0000006B-0000-0010-8000-00AA006D2EA4");
inline constexpr IID IID_IDAODBEngine = __uuidof(DAODBEngine);
inline constexpr IID IID_IDAOError = __uuidof(DAOError);
inline constexpr IID IID_IDAOErrors = __uuidof(DAOErrors);
inline constexpr IID IID_IDAOWorkspace = __uuidof(DAOWorkspace);
inline constexpr IID IID_IDAOWorkspaces = __uuidof(DAOWorkspaces);
inline constexpr IID IID_IDAOUser = __uuidof(DAOUser);
inline constexpr IID IID_IDAOUsers = __uuidof(DAOUsers);

// Workspace types (CreateWorkspace's UseType).
constexpr long dbUseODBC = 1;
constexpr long dbUseJet = 2;

// The engine's general collating order, the usual locale of a compaction.
#define dbLangGeneral ";LANGID=0x0409;CP=1252;COUNTRY=0"

// Error numbers of the object model itself; the engine's own errors keep
// their numbers (see talveron/engine/Error.h). HRESULT: FACILITY_CONTROL with the number.
constexpr LONG E_DAO_InvalidArgument = 3001;
constexpr LONG E_DAO_ItemNotFound = 3265;
constexpr LONG E_DAO_ObjectAlreadyInCollection = 3367;
constexpr LONG E_DAO_ObjectInvalid = 3420;

struct DAODBEngine : IDispatch {
    virtual HRESULT put_DefaultUser(BSTR bstr) = 0;      // empty (no account) until set
    virtual HRESULT put_DefaultPassword(BSTR bstr) = 0;  // empty until set
    virtual HRESULT get_SystemDB(BSTR* pbstr) = 0;
    virtual HRESULT put_SystemDB(BSTR bstr) = 0;  // the workgroup information file
    virtual HRESULT get_Workspaces(DAOWorkspaces** ppworks) = 0;
    virtual HRESULT get_Errors(DAOErrors** pperrs) = 0;
    // Logs on to the SystemDB workgroup. UseType: dbUseJet, or omitted (VT_ERROR
    // DISP_E_PARAMNOTFOUND or VT_EMPTY).
    virtual HRESULT CreateWorkspace(BSTR Name, BSTR UserName, BSTR Password, VARIANT UseType,
                                    DAOWorkspace** ppwrk) = 0;
    // Writes a compacted copy of SrcName to DstName (which must not exist) as the
    // DefaultUser of SystemDB. DstLocale: a locale string, or omitted for the
    // source's locale. Options: 0 or omitted. SrcLocale (";pwd=" database
    // password): omitted or empty, as the engine's databases have none.
    virtual HRESULT CompactDatabase(BSTR SrcName, BSTR DstName, VARIANT DstLocale, VARIANT Options,
                                    VARIANT SrcLocale) = 0;
};

struct DAOWorkspaces : IDispatch {
    virtual HRESULT get_Count(short* c) = 0;
    virtual HRESULT get_Item(VARIANT Item, DAOWorkspace** ppwrk) = 0;  // index or name
    // Adds a workspace made by CreateWorkspace; refused when one of that name is in.
    virtual HRESULT Append(IDispatch* Object) = 0;
};

struct DAOWorkspace : IDispatch {
    virtual HRESULT get_Name(BSTR* pbstr) = 0;
    virtual HRESULT get_UserName(BSTR* pbstr) = 0;     // the account's stored name
    virtual HRESULT get_Users(DAOUsers** ppusrs) = 0;  // every account of the workgroup
    // Closes the workspace and takes it out of the Workspaces collection; a closed
    // workspace answers every call with E_DAO_ObjectInvalid.
    virtual HRESULT Close() = 0;
};

struct DAOUsers : IDispatch {
    virtual HRESULT get_Count(short* c) = 0;
    virtual HRESULT get_Item(VARIANT Item, DAOUser** ppusr) = 0;  // index or name
};

struct DAOUser : IDispatch {
    virtual HRESULT get_Name(BSTR* pbstr) = 0;
};

struct DAOErrors : IDispatch {
    virtual HRESULT get_Count(short* c) = 0;
    virtual HRESULT get_Item(VARIANT Item, DAOError** pperr) = 0;  // index
};

struct DAOError : IDispatch {
    virtual HRESULT get_Number(LONG* pl) = 0;
    virtual HRESULT get_Source(BSTR* pbstr) = 0;
    virtual HRESULT get_Description(BSTR* pbstr) = 0;
    virtual HRESULT get_HelpFile(BSTR* pbstr) = 0;
    virtual HRESULT get_HelpContext(LONG* pl) = 0;
};

_COM_SMARTPTR_TYPEDEF(DAODBEngine, __uuidof(DAODBEngine));
_COM_SMARTPTR_TYPEDEF(DAOWorkspaces, __uuidof(DAOWorkspaces));
_COM_SMARTPTR_TYPEDEF(DAOWorkspace, __uuidof(DAOWorkspace));
_COM_SMARTPTR_TYPEDEF(DAOUsers, __uuidof(DAOUsers));
_COM_SMARTPTR_TYPEDEF(DAOUser, __uuidof(DAOUser));
_COM_SMARTPTR_TYPEDEF(DAOErrors, __uuidof(DAOErrors));
_COM_SMARTPTR_TYPEDEF(DAOError, __uuidof(DAOError));

// 8-bit text packed in a new BSTR; null when out of memory.
BSTR DaoAllocString(std::string_view text);
// The 8-bit text packed in a BSTR (a null BSTR is empty).
std::string DaoString(BSTR bstr);

// Creates the engine object (CoCreateInstance's result on failure).
HRESULT DaoStartEngine(DAODBEngine** ppEngine);
// Releases the engine object, if any, and nulls the pointer.
void DaoStopEngine(DAODBEngine** ppEngine);

// Registers the DBEngine class with CoCreateInstance; safe to call again.
// Every program that includes this header calls it during start-up.
bool RegisterDaoClasses();
inline const bool g_daoClassesRegistered = RegisterDaoClasses();
