#include "base/DebugLog.h"
#include "base/StationLibraryView.h"

#include <shlobj.h>
#include <shlwapi.h>
#include <cstdio>
#include <mutex>

namespace {
constexpr DWORD kLogFileLimitBytes = 51200;  // a larger file is emptied when the log opens

BYTE g_bLogFileOn = 0;
char g_szLogFilePath[MAX_PATH] = "";

// Held while the sink runs, so that replacing a sink waits for the calls into it to end (a
// sink's owner may be gone right after the replacement); recursive for a sink that logs.
std::recursive_mutex g_sinkLock;
DebugOutputSink g_sink;

void WriteDebugOutput(LPCSTR line)
{
    std::lock_guard<std::recursive_mutex> guard(g_sinkLock);
    if (g_sink) g_sink(line);
    else ::OutputDebugStringA(line);
}

void FormatLine(char (&buf)[kDebugLineBytes], LPCSTR format, va_list args)
{
    // Bounded by the buffer: an over-long line is cut, never written past it. The C runtime's
    // formatter, not the system's: that one knows no "%f" or "%.*s" and faults on the latter.
    buf[0] = '\0';
    std::vsnprintf(buf, kDebugLineBytes, format ? format : "", args);
    buf[kDebugLineBytes - 1] = '\0';
}

void AppendToLogFile(LPCSTR text)
{
    FILE* file = fopen(g_szLogFilePath, "a+");
    if (!file) return;
    fseek(file, 0, SEEK_END);
    fputs(text, file);
    fclose(file);
}
}  // namespace

void SetDebugOutputSink(DebugOutputSink sink)
{
    std::lock_guard<std::recursive_mutex> guard(g_sinkLock);
    g_sink = std::move(sink);
}

void DebugLog(int level, LPCSTR format, ...)
{
    if (level > StationDebugMode()) return;
    char buf[kDebugLineBytes];
    va_list args;
    va_start(args, format);
    FormatLine(buf, format, args);
    va_end(args);
    WriteDebugOutput(buf);
}

void DebugLogIfEnabled(LPCSTR format, ...)
{
    char buf[kDebugLineBytes];
    va_list args;
    va_start(args, format);
    FormatLine(buf, format, args);
    va_end(args);
    if (StationDebugMode() != 0) WriteDebugOutput(buf);
}

LPCSTR DebugLogFilePath()
{
    return g_szLogFilePath;
}

int OpenDebugLogFile()
{
    g_bLogFileOn = 1;
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    char desktop[MAX_PATH] = "";
    ::SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE);
    ::wnsprintfA(g_szLogFilePath, MAX_PATH, "%s\\KPL4471.LOG", desktop);

    HANDLE file = ::CreateFileA(g_szLogFilePath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        g_bLogFileOn = 0;
        return 0;
    }
    DWORD size = ::GetFileSize(file, nullptr);
    if (size != INVALID_FILE_SIZE && size > kLogFileLimitBytes) {
        ::CloseHandle(file);
        file = ::CreateFileA(g_szLogFilePath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);

    char header[kDebugLineBytes];
    ::wnsprintfA(header, sizeof header,
                 "============== %02i Month %02i Day (%02i:%02i:%02i) Log FileName=%s ==============", now.wMonth,
                 now.wDay, now.wHour, now.wMinute, now.wSecond, g_szLogFilePath);
    WriteDebugOutput(header);
    AppendToLogFile(header);
    return 1;
}

int DebugLogText(LPCSTR text)
{
    if (!g_bLogFileOn) return 0;
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    char line[kDebugLineBytes];
    ::wnsprintfA(line, sizeof line, "(%02i:%02i:%02i) <<<*** %s ***>>>\n", now.wHour, now.wMinute, now.wSecond,
                 text ? text : "");
    WriteDebugOutput(line);
    AppendToLogFile(line);
    return 1;
}

int DebugLogValue(LPCSTR name, long value)
{
    if (!g_bLogFileOn) return 0;
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    char line[kDebugLineBytes];
    ::wnsprintfA(line, sizeof line, "(%02i:%02i:%02i) %s = %ld\n", now.wHour, now.wMinute, now.wSecond,
                 name ? name : "", value);
    WriteDebugOutput(line);
    AppendToLogFile(line);
    return 1;
}
