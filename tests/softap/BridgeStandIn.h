// The stand-in bridge program "VarodiVevovi.exe" seen from a test.
#pragma once
#include "softap/BridgeBinding.h"

#include <tlhelp32.h>

namespace softap_test {

// With a parent, only a bridge program that process started. It is listed from the moment its
// start returns, before it has written its log.
inline bool BridgeProgramRunning(DWORD parentId = 0)
{
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    bool running = false;
    for (BOOL more = ::Process32First(snapshot, &entry); more && !running; more = ::Process32Next(snapshot, &entry))
        running = lstrcmpiA(entry.szExeFile, kBridgeProgram) == 0 && (!parentId || entry.th32ParentProcessID == parentId);
    ::CloseHandle(snapshot);
    return running;
}

// True once no bridge program runs and nothing holds the answer's mapping: the program keeps it
// open for its world's HoldMs, the utility's waiter until it has read the answer (it posts the
// answer right after).
inline bool BridgeProgramDone()
{
    if (BridgeProgramRunning()) return false;
    HANDLE mapping = ::OpenFileMappingA(FILE_MAP_READ, FALSE, kBindMappingName);
    if (mapping) ::CloseHandle(mapping);
    return mapping == nullptr;
}

}  // namespace softap_test
