#include "sim/common/TextValues.h"

#include <cstdio>
#include <cstring>
#include <cstdlib>

namespace sim {

std::string Trim(const std::string& s)
{
    const char* blanks = " \t\r\n";
    const size_t first = s.find_first_not_of(blanks);
    if (first == std::string::npos) return std::string();
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

bool ParseLong(const std::string& text, LONG& out)
{
    if (text.empty()) return false;
    char* end = nullptr;
    const long value = strtol(text.c_str(), &end, 0);
    if (*end != '\0') return false;
    out = static_cast<LONG>(value);
    return true;
}

bool ParseMac(const std::string& text, UCHAR (&mac)[6])
{
    unsigned b[6];
    char sep[5];
    if (sscanf(text.c_str(), "%2x%c%2x%c%2x%c%2x%c%2x%c%2x", &b[0], &sep[0], &b[1], &sep[1], &b[2], &sep[2], &b[3],
               &sep[3], &b[4], &sep[4], &b[5]) != 11)
        return false;
    for (int i = 0; i < 6; ++i) mac[i] = static_cast<UCHAR>(b[i]);
    return true;
}

ULONG PutText(const std::string& text, LPSTR buffer, ULONG size)
{
    const ULONG needed = static_cast<ULONG>(text.size() + 1);
    if (buffer && size >= needed) memcpy(buffer, text.c_str(), needed);
    return needed;
}

}  // namespace sim
