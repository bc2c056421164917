// CString over std::string.

#include <string.h>
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "AfxString.h"
#include "WinUser.h"

namespace {

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

int Sign(int r) {
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

std::size_t Clamp(int v, std::size_t max) {
    if (v < 0) return 0;
    return std::min(static_cast<std::size_t>(v), max);
}

}  // namespace

CString::CString(LPCTSTR psz) : m_str(psz ? psz : "") {}
CString::CString(LPCTSTR pch, int nLength)
    : m_str(pch && nLength > 0 ? std::string(pch, static_cast<std::size_t>(nLength))
                               : std::string()) {}
CString::CString(const unsigned char* psz) : CString(reinterpret_cast<const char*>(psz)) {}
CString::CString(TCHAR ch, int nRepeat)
    : m_str(nRepeat > 0 ? static_cast<std::size_t>(nRepeat) : 0, ch) {}

CString& CString::operator=(LPCTSTR psz) {
    m_str = psz ? psz : "";
    return *this;
}
CString& CString::operator=(TCHAR ch) {
    m_str.assign(1, ch);
    return *this;
}
CString& CString::operator=(const unsigned char* psz) {
    return *this = reinterpret_cast<const char*>(psz);
}

TCHAR CString::GetAt(int nIndex) const {
    return nIndex >= 0 && nIndex < GetLength() ? m_str[static_cast<std::size_t>(nIndex)] : '\0';
}

void CString::SetAt(int nIndex, TCHAR ch) {
    if (nIndex >= 0 && nIndex < GetLength()) m_str[static_cast<std::size_t>(nIndex)] = ch;
}

CString& CString::operator+=(const CString& s) {
    m_str += s.m_str;
    return *this;
}
CString& CString::operator+=(LPCTSTR psz) {
    if (psz) m_str += psz;
    return *this;
}
CString& CString::operator+=(TCHAR ch) {
    m_str += ch;
    return *this;
}
CString operator+(const CString& a, const CString& b) {
    return CString(a.m_str + b.m_str);
}
CString operator+(const CString& a, LPCTSTR b) {
    return CString(a.m_str + (b ? b : ""));
}
CString operator+(LPCTSTR a, const CString& b) {
    return CString((a ? a : "") + b.m_str);
}
CString operator+(const CString& a, TCHAR b) {
    return CString(a.m_str + b);
}
CString operator+(TCHAR a, const CString& b) {
    return CString(a + b.m_str);
}

int CString::Compare(LPCTSTR psz) const {
    return Sign(std::strcmp(m_str.c_str(), psz ? psz : ""));
}
int CString::CompareNoCase(LPCTSTR psz) const {
    return Sign(::strcasecmp(m_str.c_str(), psz ? psz : ""));
}
int CString::Collate(LPCTSTR psz) const {
    return Sign(std::strcoll(m_str.c_str(), psz ? psz : ""));
}
int CString::CollateNoCase(LPCTSTR psz) const {
    CString a(*this), b(psz);
    a.MakeLower();
    b.MakeLower();
    return a.Collate(b);
}

CString CString::Mid(int nFirst) const {
    return Mid(nFirst, GetLength());
}
CString CString::Mid(int nFirst, int nCount) const {
    std::size_t first = Clamp(nFirst, m_str.size());
    std::size_t count = Clamp(nCount, m_str.size() - first);
    return CString(m_str.substr(first, count));
}
CString CString::Left(int nCount) const {
    return CString(m_str.substr(0, Clamp(nCount, m_str.size())));
}
CString CString::Right(int nCount) const {
    std::size_t n = Clamp(nCount, m_str.size());
    return CString(m_str.substr(m_str.size() - n));
}
CString CString::SpanIncluding(LPCTSTR set) const {
    return Left(static_cast<int>(std::strspn(m_str.c_str(), set ? set : "")));
}
CString CString::SpanExcluding(LPCTSTR set) const {
    return Left(static_cast<int>(std::strcspn(m_str.c_str(), set ? set : "")));
}

CString& CString::MakeUpper() {
    std::transform(m_str.begin(), m_str.end(), m_str.begin(), Upper);
    return *this;
}
CString& CString::MakeLower() {
    std::transform(m_str.begin(), m_str.end(), m_str.begin(), Lower);
    return *this;
}
CString& CString::MakeReverse() {
    std::reverse(m_str.begin(), m_str.end());
    return *this;
}

int CString::Replace(TCHAR chOld, TCHAR chNew) {
    int n = 0;
    for (char& c : m_str)
        if (c == chOld) {
            c = chNew;
            ++n;
        }
    return n;
}
int CString::Replace(LPCTSTR lpszOld, LPCTSTR lpszNew) {
    if (!lpszOld || !*lpszOld) return 0;
    std::string from = lpszOld, to = lpszNew ? lpszNew : "";
    int n = 0;
    for (std::size_t pos = 0; (pos = m_str.find(from, pos)) != std::string::npos;
         pos += to.size()) {
        m_str.replace(pos, from.size(), to);
        ++n;
    }
    return n;
}
int CString::Remove(TCHAR ch) {
    auto before = m_str.size();
    m_str.erase(std::remove(m_str.begin(), m_str.end(), ch), m_str.end());
    return static_cast<int>(before - m_str.size());
}
int CString::Insert(int nIndex, TCHAR ch) {
    m_str.insert(Clamp(nIndex, m_str.size()), 1, ch);
    return GetLength();
}
int CString::Insert(int nIndex, LPCTSTR psz) {
    if (psz) m_str.insert(Clamp(nIndex, m_str.size()), psz);
    return GetLength();
}
int CString::Delete(int nIndex, int nCount) {
    std::size_t at = Clamp(nIndex, m_str.size());
    m_str.erase(at, Clamp(nCount, m_str.size() - at));
    return GetLength();
}

CString& CString::TrimLeft() {
    return TrimLeft(" \t\r\n\v\f");
}
CString& CString::TrimRight() {
    return TrimRight(" \t\r\n\v\f");
}
CString& CString::Trim() {
    return TrimLeft().TrimRight();
}
CString& CString::TrimLeft(TCHAR ch) {
    char set[2] = {ch, '\0'};
    return TrimLeft(set);
}
CString& CString::TrimRight(TCHAR ch) {
    char set[2] = {ch, '\0'};
    return TrimRight(set);
}
CString& CString::TrimLeft(LPCTSTR targets) {
    m_str.erase(0, std::min(m_str.find_first_not_of(targets ? targets : ""), m_str.size()));
    return *this;
}
CString& CString::TrimRight(LPCTSTR targets) {
    std::size_t last = m_str.find_last_not_of(targets ? targets : "");
    m_str.erase(last == std::string::npos ? 0 : last + 1);
    return *this;
}

int CString::Find(TCHAR ch) const {
    return Find(ch, 0);
}
int CString::Find(TCHAR ch, int nStart) const {
    if (nStart < 0 || nStart >= GetLength()) return -1;
    auto pos = m_str.find(ch, static_cast<std::size_t>(nStart));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}
int CString::Find(LPCTSTR sub) const {
    return Find(sub, 0);
}
int CString::Find(LPCTSTR sub, int nStart) const {
    if (!sub || nStart < 0 || nStart > GetLength()) return -1;
    auto pos = m_str.find(sub, static_cast<std::size_t>(nStart));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}
int CString::ReverseFind(TCHAR ch) const {
    auto pos = m_str.rfind(ch);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}
int CString::FindOneOf(LPCTSTR set) const {
    auto pos = m_str.find_first_of(set ? set : "");
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

void CString::FormatV(LPCTSTR lpszFormat, va_list args) {
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, lpszFormat, copy);
    va_end(copy);
    if (n < 0) {
        m_str.clear();
        return;
    }
    std::string out(static_cast<std::size_t>(n) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), lpszFormat, args);
    out.resize(static_cast<std::size_t>(n));
    m_str = std::move(out);
}

void CString::Format(LPCTSTR lpszFormat, ...) {
    va_list args;
    va_start(args, lpszFormat);
    FormatV(lpszFormat, args);
    va_end(args);
}

void CString::AppendFormat(LPCTSTR lpszFormat, ...) {
    CString more;
    va_list args;
    va_start(args, lpszFormat);
    more.FormatV(lpszFormat, args);
    va_end(args);
    *this += more;
}

BOOL CString::LoadString(UINT nID) {
    char buffer[4096];
    int n = ::LoadStringA(nullptr, nID, buffer, sizeof(buffer));
    m_str.assign(buffer, static_cast<std::size_t>(n > 0 ? n : 0));
    return n > 0;
}

LPTSTR CString::GetBuffer(int nMinBufLength) {
    if (nMinBufLength > GetLength()) m_str.resize(static_cast<std::size_t>(nMinBufLength));
    return m_str.data();
}
LPTSTR CString::GetBuffer() {
    return m_str.data();
}
LPTSTR CString::GetBufferSetLength(int nNewLength) {
    m_str.resize(Clamp(nNewLength, static_cast<std::size_t>(nNewLength > 0 ? nNewLength : 0)));
    return m_str.data();
}
void CString::ReleaseBuffer(int nNewLength) {
    if (nNewLength < 0)
        m_str.resize(std::strlen(m_str.c_str()));
    else
        m_str.resize(static_cast<std::size_t>(nNewLength));
}

bool operator==(const CString& a, const CString& b) {
    return a.str() == b.str();
}
bool operator==(const CString& a, LPCTSTR b) {
    return a.Compare(b) == 0;
}
bool operator==(LPCTSTR a, const CString& b) {
    return b.Compare(a) == 0;
}
bool operator!=(const CString& a, const CString& b) {
    return !(a == b);
}
bool operator!=(const CString& a, LPCTSTR b) {
    return !(a == b);
}
bool operator!=(LPCTSTR a, const CString& b) {
    return !(a == b);
}
bool operator<(const CString& a, const CString& b) {
    return a.Compare(b) < 0;
}
bool operator<(const CString& a, LPCTSTR b) {
    return a.Compare(b) < 0;
}
bool operator>(const CString& a, const CString& b) {
    return a.Compare(b) > 0;
}
bool operator<=(const CString& a, const CString& b) {
    return a.Compare(b) <= 0;
}
bool operator>=(const CString& a, const CString& b) {
    return a.Compare(b) >= 0;
}
