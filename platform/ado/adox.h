#pragma once
// ADOX: the Catalog object with its Groups and Users collections, declared as
// the COM support's import of the type library presents them. Collections take
// an index (VT_I2 or VT_I4, zero-based) or a name (VT_BSTR) as Item.

#include "platform/ado/adodb.h"

struct Catalog;  // the class
struct _Catalog;
struct Groups;
struct _Group;
struct Users;
struct _User;
COM_DECLARE_UUID(Catalog, "00000602-0000-0010-8000-00AA006D2EA4");
COM_DECLARE_UUID(_Catalog, "00000603-0000-0010-8000-00AA006D2EA4");
COM_DECLARE_UUID(_Group, "00000616-0000-0010-8000-00AA006D2EA4");
COM_DECLARE_UUID(Groups, "00000617-0000-0010-8000-00AA006D2EA4");
COM_DECLARE_UUID(_User, "00000619-0000-0010-8000-00AA006D2EA4");
COM_DECLARE_UUID(Users, "0000061A-0000-0010-8000-00AA006D2EA4");
_COM_SMARTPTR_TYPEDEF(_Catalog, __uuidof(_Catalog));
_COM_SMARTPTR_TYPEDEF(_Group, __uuidof(_Group));
_COM_SMARTPTR_TYPEDEF(Groups, __uuidof(Groups));
_COM_SMARTPTR_TYPEDEF(_User, __uuidof(_User));
_COM_SMARTPTR_TYPEDEF(Users, __uuidof(Users));

struct _Catalog : IDispatch {
    GroupsPtr GetGroups();
    UsersPtr GetUsers();
    // An open Connection object (VT_DISPATCH), or a connection string (VT_BSTR)
    // from which the catalog opens a connection of its own.
    void PutActiveConnection(const _variant_t& pVal);
    void PutRefActiveConnection(IDispatch* pVal);
    _variant_t GetActiveConnection();

    virtual HRESULT get_Groups(Groups** ppvObject) = 0;
    virtual HRESULT get_Users(Users** ppvObject) = 0;
    virtual HRESULT put_ActiveConnection(VARIANT pVal) = 0;
    virtual HRESULT putref_ActiveConnection(IDispatch* pVal) = 0;
    virtual HRESULT get_ActiveConnection(VARIANT* pVal) = 0;
};

struct Groups : IDispatch {
    long GetCount();
    _GroupPtr GetItem(const _variant_t& Item);

    virtual HRESULT get_Count(long* c) = 0;
    virtual HRESULT get_Item(VARIANT Item, _Group** ppvObject) = 0;
};

struct _Group : IDispatch {
    _bstr_t GetName();
    UsersPtr GetUsers();  // the group's members, in the order they joined it

    virtual HRESULT get_Name(BSTR* pVal) = 0;
    virtual HRESULT get_Users(Users** ppvObject) = 0;
};

struct Users : IDispatch {
    long GetCount();
    _UserPtr GetItem(const _variant_t& Item);

    virtual HRESULT get_Count(long* c) = 0;
    virtual HRESULT get_Item(VARIANT Item, _User** ppvObject) = 0;
};

struct _User : IDispatch {
    _bstr_t GetName();
    // The provider checks the old password and stores the new one.
    HRESULT ChangePassword(_bstr_t OldPassword, _bstr_t NewPassword);

    virtual HRESULT get_Name(BSTR* pVal) = 0;
    virtual HRESULT raw_ChangePassword(BSTR OldPassword, BSTR NewPassword) = 0;
};

// Wrapper methods.

inline GroupsPtr _Catalog::GetGroups() {
    Groups* result = nullptr;
    ComCheck(get_Groups(&result), this, __uuidof(_Catalog));
    return GroupsPtr(result, false);
}

inline UsersPtr _Catalog::GetUsers() {
    Users* result = nullptr;
    ComCheck(get_Users(&result), this, __uuidof(_Catalog));
    return UsersPtr(result, false);
}

inline void _Catalog::PutActiveConnection(const _variant_t& pVal) {
    ComCheck(put_ActiveConnection(pVal), this, __uuidof(_Catalog));
}

inline void _Catalog::PutRefActiveConnection(IDispatch* pVal) {
    ComCheck(putref_ActiveConnection(pVal), this, __uuidof(_Catalog));
}

inline _variant_t _Catalog::GetActiveConnection() {
    _variant_t result;
    ComCheck(get_ActiveConnection(result.GetAddress()), this, __uuidof(_Catalog));
    return result;
}

inline long Groups::GetCount() {
    long result = 0;
    ComCheck(get_Count(&result), this, __uuidof(Groups));
    return result;
}

inline _GroupPtr Groups::GetItem(const _variant_t& Item) {
    _Group* result = nullptr;
    ComCheck(get_Item(Item, &result), this, __uuidof(Groups));
    return _GroupPtr(result, false);
}

inline _bstr_t _Group::GetName() {
    BSTR result = nullptr;
    ComCheck(get_Name(&result), this, __uuidof(_Group));
    return _bstr_t(result, false);
}

inline UsersPtr _Group::GetUsers() {
    Users* result = nullptr;
    ComCheck(get_Users(&result), this, __uuidof(_Group));
    return UsersPtr(result, false);
}

inline long Users::GetCount() {
    long result = 0;
    ComCheck(get_Count(&result), this, __uuidof(Users));
    return result;
}

inline _UserPtr Users::GetItem(const _variant_t& Item) {
    _User* result = nullptr;
    ComCheck(get_Item(Item, &result), this, __uuidof(Users));
    return _UserPtr(result, false);
}

inline _bstr_t _User::GetName() {
    BSTR result = nullptr;
    ComCheck(get_Name(&result), this, __uuidof(_User));
    return _bstr_t(result, false);
}

inline HRESULT _User::ChangePassword(_bstr_t OldPassword, _bstr_t NewPassword) {
    return ComCheck(raw_ChangePassword(OldPassword, NewPassword), this, __uuidof(_User));
}
