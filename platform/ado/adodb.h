#pragma once
// ADO: the Connection object, declared as the COM support's import of the type
// library presents it: raw methods (get_/put_/raw_) returning HRESULT, and
// wrapper methods that raise _com_error with the object's error information.

#include "platform/com/comdef.h"

struct Connection;  // the class
struct _Connection;
COM_DECLARE_UUID(Connection, "00000514-0000-0010-8000-00AA006D2EA4");
COM_DECLARE_UUID(_Connection, "00001550-0000-0010-8000-00AA006D2EA4");
_COM_SMARTPTR_TYPEDEF(_Connection, __uuidof(_Connection));

enum ConnectModeEnum {
    adModeUnknown = 0,
    adModeRead = 1,
    adModeWrite = 2,
    adModeReadWrite = 3,
    adModeShareDenyRead = 4,
    adModeShareDenyWrite = 8,
    adModeShareExclusive = 12,
    adModeShareDenyNone = 16,
};

enum ObjectStateEnum { adStateClosed = 0, adStateOpen = 1 };

enum ConnectOptionEnum { adConnectUnspecified = -1, adAsyncConnect = 16 };

// Error numbers of the object model (HRESULT: FACILITY_CONTROL with the number).
enum ErrorValueEnum {
    adErrInvalidArgument = 3001,
    adErrItemNotFound = 3265,
    adErrObjectClosed = 3704,
    adErrObjectOpen = 3705,
    adErrProviderNotFound = 3706,
    adErrInvalidConnection = 3709,
};

struct _Connection : IDispatch {
    _bstr_t GetProvider();
    void PutProvider(_bstr_t pbstr);
    long GetMode();
    void PutMode(long lMode);
    long GetState();
    _bstr_t GetConnectionString();
    void PutConnectionString(_bstr_t pbstr);
    // The provider opens the database named in the connection string; UserID and
    // Password, when not empty, take precedence over "User ID" and "Password" there.
    HRESULT Open(_bstr_t ConnectionString = "", _bstr_t UserID = "", _bstr_t Password = "",
                 long Options = adConnectUnspecified);
    HRESULT Close();

    virtual HRESULT get_Provider(BSTR* pbstr) = 0;
    virtual HRESULT put_Provider(BSTR pbstr) = 0;
    virtual HRESULT get_Mode(long* plMode) = 0;
    virtual HRESULT put_Mode(long lMode) = 0;
    virtual HRESULT get_State(long* plObjState) = 0;
    virtual HRESULT get_ConnectionString(BSTR* pbstr) = 0;
    virtual HRESULT put_ConnectionString(BSTR pbstr) = 0;
    virtual HRESULT raw_Open(BSTR ConnectionString, BSTR UserID, BSTR Password, long Options) = 0;
    virtual HRESULT raw_Close() = 0;
};

// Registers the ADO and ADOX classes with CoCreateInstance; safe to call again.
// Every program that includes this header calls it during start-up.
bool RegisterAdoClasses();
inline const bool g_adoClassesRegistered = RegisterAdoClasses();

// Wrapper methods.

inline _bstr_t _Connection::GetProvider() {
    BSTR result = nullptr;
    ComCheck(get_Provider(&result), this, __uuidof(_Connection));
    return _bstr_t(result, false);
}

inline void _Connection::PutProvider(_bstr_t pbstr) {
    ComCheck(put_Provider(pbstr), this, __uuidof(_Connection));
}

inline long _Connection::GetMode() {
    long result = 0;
    ComCheck(get_Mode(&result), this, __uuidof(_Connection));
    return result;
}

inline void _Connection::PutMode(long lMode) {
    ComCheck(put_Mode(lMode), this, __uuidof(_Connection));
}

inline long _Connection::GetState() {
    long result = 0;
    ComCheck(get_State(&result), this, __uuidof(_Connection));
    return result;
}

inline _bstr_t _Connection::GetConnectionString() {
    BSTR result = nullptr;
    ComCheck(get_ConnectionString(&result), this, __uuidof(_Connection));
    return _bstr_t(result, false);
}

inline void _Connection::PutConnectionString(_bstr_t pbstr) {
    ComCheck(put_ConnectionString(pbstr), this, __uuidof(_Connection));
}

inline HRESULT _Connection::Open(_bstr_t ConnectionString, _bstr_t UserID, _bstr_t Password,
                                 long Options) {
    return ComCheck(raw_Open(ConnectionString, UserID, Password, Options), this,
                    __uuidof(_Connection));
}

inline HRESULT _Connection::Close() {
    return ComCheck(raw_Close(), this, __uuidof(_Connection));
}
