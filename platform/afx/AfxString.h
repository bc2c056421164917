#pragma once

// CString: 8-bit text in the locale's narrow encoding (UTF-8 in practice).
// Text is converted only where it meets a widget. Pass a CString to a
// variadic function (Format, printf) as (LPCTSTR)s or s.GetString().

#include <cstdarg>
#include <string>

#include "WinTypes.h"

class CString {
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString(LPCTSTR psz);  // null gives empty text
    CString(LPCTSTR pch, int nLength);
    CString(const unsigned char* psz);
    CString(TCHAR ch, int nRepeat = 1);
    CString(const std::string& s) : m_str(s) {}
    ~CString() = default;

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(LPCTSTR psz);
    CString& operator=(TCHAR ch);
    CString& operator=(const unsigned char* psz);

    operator LPCTSTR() const { return m_str.c_str(); }
    LPCTSTR GetString() const { return m_str.c_str(); }
    const std::string& str() const { return m_str; }

    int GetLength() const { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    TCHAR GetAt(int nIndex) const;
    void SetAt(int nIndex, TCHAR ch);
    TCHAR operator[](int nIndex) const { return GetAt(nIndex); }

    CString& operator+=(const CString& s);
    CString& operator+=(LPCTSTR psz);
    CString& operator+=(TCHAR ch);
    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, LPCTSTR b);
    friend CString operator+(LPCTSTR a, const CString& b);
    friend CString operator+(const CString& a, TCHAR b);
    friend CString operator+(TCHAR a, const CString& b);

    int Compare(LPCTSTR psz) const;        // byte-wise, as strcmp
    int CompareNoCase(LPCTSTR psz) const;  // ASCII letters folded
    int Collate(LPCTSTR psz) const;        // locale collation
    int CollateNoCase(LPCTSTR psz) const;

    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCTSTR lpszCharSet) const;
    CString SpanExcluding(LPCTSTR lpszCharSet) const;

    CString& MakeUpper();  // ASCII letters only; other bytes (UTF-8) unchanged
    CString& MakeLower();
    CString& MakeReverse();

    int Replace(TCHAR chOld, TCHAR chNew);
    int Replace(LPCTSTR lpszOld, LPCTSTR lpszNew);
    int Remove(TCHAR ch);
    int Insert(int nIndex, TCHAR ch);
    int Insert(int nIndex, LPCTSTR psz);
    int Delete(int nIndex, int nCount = 1);
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim();
    CString& TrimLeft(TCHAR chTarget);
    CString& TrimRight(TCHAR chTarget);
    CString& TrimLeft(LPCTSTR lpszTargets);
    CString& TrimRight(LPCTSTR lpszTargets);

    int Find(TCHAR ch) const;
    int Find(TCHAR ch, int nStart) const;
    int Find(LPCTSTR lpszSub) const;
    int Find(LPCTSTR lpszSub, int nStart) const;
    int ReverseFind(TCHAR ch) const;
    int FindOneOf(LPCTSTR lpszCharSet) const;

    void Format(LPCTSTR lpszFormat, ...) __attribute__((format(printf, 2, 3)));
    void AppendFormat(LPCTSTR lpszFormat, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(LPCTSTR lpszFormat, va_list args) __attribute__((format(printf, 2, 0)));

    // Loads string resource nID; FALSE (and empty text) when there is none.
    BOOL LoadString(UINT nID);

    // Direct buffer access: write at most nMinBufLength characters, then
    // ReleaseBuffer (-1: up to the first zero).
    LPTSTR GetBuffer(int nMinBufLength);
    LPTSTR GetBuffer();
    LPTSTR GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);

private:
    std::string m_str;
};

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, LPCTSTR b);
bool operator==(LPCTSTR a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, LPCTSTR b);
bool operator!=(LPCTSTR a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator<(const CString& a, LPCTSTR b);
bool operator>(const CString& a, const CString& b);
bool operator<=(const CString& a, const CString& b);
bool operator>=(const CString& a, const CString& b);
