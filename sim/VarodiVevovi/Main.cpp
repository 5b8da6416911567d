// The stand-in "VarodiVevovi.exe", the bridge-binding program: records its command line in
// "VarodiVevovi.log" beside itself. For BIND and BINDWIN7 it creates the named mapping and event,
// writes its answer (word 0 = 1, word 1 = 1 bound or 0 failed) and signals the event, then keeps
// the objects open for a while so that a waiter can read them. UNBINDALL creates nothing.
// Its switches are read from "VarodiVevoviWorld.ini" beside it, section [Bind]:
//   Succeeds=1|0  the answer of a binding; Answers=1|0  0: the event is never signalled;
//   HoldMs        how long the objects stay open (default 3000).
#include "sim/common/CommandLineRecord.h"

#include <cstring>
#include <string>

namespace {
constexpr char kMappingName[] = "Local\\_090331FileMapping_obj";
constexpr char kEventName[] = "Local\\_090331EventClient_obj";
constexpr DWORD kMappingBytes = 4096;

UINT Switch(const char* key, UINT fallback)
{
    const std::string world = sim::FileBesideProgram("VarodiVevoviWorld.ini");
    return ::GetPrivateProfileIntA("Bind", key, static_cast<INT>(fallback), world.c_str());
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    sim::AppendCommandLine("VarodiVevovi.log", GetCommandLineA());
    const char* args = commandLine ? commandLine : "";
    while (*args == ' ' || *args == '"') ++args;
    const bool bind = strncmp(args, "BIND+", 5) == 0 || strncmp(args, "BINDWIN7+", 9) == 0;
    if (!bind) return 0;

    HANDLE mapping = ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kMappingBytes, kMappingName);
    if (!mapping) return 1;
    auto* words = static_cast<ULONG*>(::MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    HANDLE event = ::CreateEventA(nullptr, TRUE, FALSE, kEventName);
    if (words && event) {
        words[0] = 1;
        words[1] = Switch("Succeeds", 1) ? 1 : 0;
        if (Switch("Answers", 1)) ::SetEvent(event);
        ::Sleep(Switch("HoldMs", 3000));
    }
    if (words) ::UnmapViewOfFile(words);
    if (event) ::CloseHandle(event);
    ::CloseHandle(mapping);
    return 0;
}
