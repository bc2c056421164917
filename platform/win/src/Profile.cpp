// Profile (INI) files with the platform's semantics: sections and keys are
// found without regard to letter case, values are read with surrounding
// blanks (and one pair of quotes) removed, and a write keeps every other line
// as it was and replaces the file atomically.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "WinBase.h"

namespace {

struct Line {
    std::string text;  // without its line ending
    std::string ending;
};

struct IniFile {
    std::vector<Line> lines;
    bool exists = false;
    std::string newline = "\n";
};

std::string_view Trim(std::string_view s) {
    const char* blanks = " \t\r";
    std::size_t b = s.find_first_not_of(blanks);
    if (b == std::string_view::npos) return {};
    std::size_t e = s.find_last_not_of(blanks);
    return s.substr(b, e - b + 1);
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// The section name of a header line, or nothing.
std::optional<std::string_view> SectionName(std::string_view line) {
    std::string_view t = Trim(line);
    if (t.empty() || t.front() != '[') return std::nullopt;
    std::size_t close = t.find(']');
    std::string_view name = close == std::string_view::npos ? t.substr(1) : t.substr(1, close - 1);
    return Trim(name);
}

// The key of a "key=value" line, or nothing (comments, blank lines).
std::optional<std::string_view> KeyName(std::string_view line) {
    std::string_view t = Trim(line);
    if (t.empty() || t.front() == ';' || t.front() == '[') return std::nullopt;
    std::size_t eq = t.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    return Trim(t.substr(0, eq));
}

std::string ValueOf(std::string_view line) {
    std::string_view v = Trim(line.substr(line.find('=') + 1));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return std::string(v);
}

IniFile Read(const char* fileName) {
    IniFile ini;
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return ini;
    ini.exists = true;
    std::stringstream buffer;
    buffer << in.rdbuf();
    std::string all = buffer.str();
    std::size_t pos = 0;
    bool first = true;
    while (pos < all.size()) {
        std::size_t nl = all.find('\n', pos);
        Line line;
        if (nl == std::string::npos) {
            line.text = all.substr(pos);
            pos = all.size();
        } else {
            line.text = all.substr(pos, nl - pos);
            line.ending = "\n";
            pos = nl + 1;
            if (!line.text.empty() && line.text.back() == '\r') {
                line.text.pop_back();
                line.ending = "\r\n";
            }
            if (first) ini.newline = line.ending;
            first = false;
        }
        ini.lines.push_back(std::move(line));
    }
    return ini;
}

// [begin, end) of the first section named `section`: begin is its header.
bool FindSection(const IniFile& ini, std::string_view section, std::size_t& begin,
                 std::size_t& end) {
    for (std::size_t i = 0; i < ini.lines.size(); ++i) {
        auto name = SectionName(ini.lines[i].text);
        if (!name || !EqualNoCase(*name, section)) continue;
        begin = i;
        end = i + 1;
        while (end < ini.lines.size() && !SectionName(ini.lines[end].text)) ++end;
        return true;
    }
    return false;
}

std::optional<std::size_t> FindKey(const IniFile& ini, std::size_t begin, std::size_t end,
                                   std::string_view key) {
    for (std::size_t i = begin + 1; i < end; ++i) {
        auto k = KeyName(ini.lines[i].text);
        if (k && EqualNoCase(*k, key)) return i;
    }
    return std::nullopt;
}

std::string ResolvedPath(const char* fileName) {
    char resolved[PATH_MAX];
    if (::realpath(fileName, resolved)) return resolved;
    return fileName;  // a new file
}

bool WriteAtomically(const char* fileName, const IniFile& ini) {
    std::string path = ResolvedPath(fileName);
    std::string temp = path + ".XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0) return false;
    std::string content;
    for (const Line& line : ini.lines) content += line.text + line.ending;
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < content.size()) {
        ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) done += static_cast<std::size_t>(n);
    }
    struct stat st {};
    mode_t mode;
    if (::stat(path.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ok = ok && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok && std::rename(name.data(), path.c_str()) == 0) return true;
    ::unlink(name.data());
    return false;
}

DWORD CopyOut(const std::string& value, LPSTR out, DWORD nSize) {
    if (!out || nSize == 0) return 0;
    std::size_t n = value.size() < nSize - 1 ? value.size() : nSize - 1;
    std::memcpy(out, value.data(), n);
    out[n] = '\0';
    return static_cast<DWORD>(n);
}

// A list of zero-terminated names ended by an extra zero; cut to fit.
DWORD CopyList(const std::vector<std::string>& names, LPSTR out, DWORD nSize) {
    if (!out || nSize == 0) return 0;
    if (nSize == 1) {
        out[0] = '\0';
        return 0;
    }
    std::string all;
    for (const std::string& n : names) {
        all += n;
        all += '\0';
    }
    if (all.size() + 1 <= nSize) {
        std::memcpy(out, all.data(), all.size());
        out[all.size()] = '\0';
        return static_cast<DWORD>(all.size() == 0 ? 0 : all.size());
    }
    std::memcpy(out, all.data(), nSize - 2);
    out[nSize - 2] = '\0';
    out[nSize - 1] = '\0';
    return nSize - 2;
}

}  // namespace

DWORD GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                               LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName) {
    std::string def(Trim(lpDefault ? lpDefault : ""));
    if (!lpFileName) return CopyOut(def, lpReturnedString, nSize);
    IniFile ini = Read(lpFileName);
    if (!lpAppName) {
        std::vector<std::string> names;
        for (const Line& line : ini.lines)
            if (auto name = SectionName(line.text)) names.emplace_back(*name);
        return CopyList(names, lpReturnedString, nSize);
    }
    std::size_t begin = 0, end = 0;
    bool found = FindSection(ini, lpAppName, begin, end);
    if (!lpKeyName) {
        std::vector<std::string> keys;
        if (found)
            for (std::size_t i = begin + 1; i < end; ++i)
                if (auto key = KeyName(ini.lines[i].text)) keys.emplace_back(*key);
        return CopyList(keys, lpReturnedString, nSize);
    }
    if (found)
        if (auto i = FindKey(ini, begin, end, lpKeyName))
            return CopyOut(ValueOf(ini.lines[*i].text), lpReturnedString, nSize);
    if (!ini.exists) SetLastError(ERROR_FILE_NOT_FOUND);
    return CopyOut(def, lpReturnedString, nSize);
}

UINT GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName) {
    if (!lpAppName || !lpKeyName) return static_cast<UINT>(nDefault);
    char buffer[256];
    const char* marker = "\x01";  // cannot be a value: tells "no such key"
    GetPrivateProfileStringA(lpAppName, lpKeyName, marker, buffer, sizeof(buffer), lpFileName);
    if (std::strcmp(buffer, marker) == 0) return static_cast<UINT>(nDefault);
    const char* p = buffer;
    while (*p == ' ' || *p == '\t') ++p;
    bool negative = false;
    if (*p == '-' || *p == '+') negative = *p++ == '-';
    unsigned long long v = 0;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        v = std::strtoull(p + 2, nullptr, 16);
    } else {
        while (*p >= '0' && *p <= '9') v = v * 10 + static_cast<unsigned>(*p++ - '0');
    }
    auto u = static_cast<UINT>(v);
    return negative ? static_cast<UINT>(0u - u) : u;
}

BOOL WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString,
                                LPCSTR lpFileName) {
    if (!lpFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!lpAppName) return lpKeyName || lpString ? FALSE : TRUE;  // flush request
    IniFile ini = Read(lpFileName);
    std::size_t begin = 0, end = 0;
    bool found = FindSection(ini, lpAppName, begin, end);
    if (!lpKeyName) {  // delete the section
        if (!found) return TRUE;
        ini.lines.erase(ini.lines.begin() + static_cast<std::ptrdiff_t>(begin),
                        ini.lines.begin() + static_cast<std::ptrdiff_t>(end));
    } else if (!lpString) {  // delete the key
        if (!found) return TRUE;
        auto i = FindKey(ini, begin, end, lpKeyName);
        if (!i) return TRUE;
        ini.lines.erase(ini.lines.begin() + static_cast<std::ptrdiff_t>(*i));
    } else if (found) {
        if (auto i = FindKey(ini, begin, end, lpKeyName)) {
            // Keep the key as it is spelled in the file.
            std::string key(*KeyName(ini.lines[*i].text));
            ini.lines[*i].text = key + "=" + lpString;
        } else {
            std::size_t at = end;
            while (at > begin + 1 && Trim(ini.lines[at - 1].text).empty()) --at;
            if (at > 0 && ini.lines[at - 1].ending.empty()) ini.lines[at - 1].ending = ini.newline;
            ini.lines.insert(ini.lines.begin() + static_cast<std::ptrdiff_t>(at),
                             Line{std::string(lpKeyName) + "=" + lpString, ini.newline});
        }
    } else {
        if (!ini.lines.empty() && ini.lines.back().ending.empty())
            ini.lines.back().ending = ini.newline;
        ini.lines.push_back(Line{"[" + std::string(lpAppName) + "]", ini.newline});
        ini.lines.push_back(Line{std::string(lpKeyName) + "=" + lpString, ini.newline});
    }
    if (!WriteAtomically(lpFileName, ini)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return TRUE;
}
