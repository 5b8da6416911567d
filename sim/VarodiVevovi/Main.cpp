// The stand-in "VarodiVevovi.exe", the bridge-binding program: records its command line in
// "VarodiVevovi.log" beside itself. Its parameters are the contract's as they stand, never quoted:
// a keyword and its fields, each ended by '+' ("BIND+own adapter+adapter+window+", "BINDWIN7+mac+
// adapter+window+", "UNBINDALL+"); anything else is refused (exit code 2) and answers nothing.
// For BIND and BINDWIN7 it creates the named mapping and event,
// writes its answer (word 0 = 1, word 1 = 1 bound or 0 failed) and signals the event, then keeps
// the objects open for a while so that a waiter can read them. UNBINDALL creates nothing.
// Its switches are read from "VarodiVevoviWorld.ini" beside it, section [Bind]:
//   Succeeds=1|0  the answer of a binding; Answers=1|0  0: the event is never signalled;
//   AnswerAfterMs how long it works before it answers (default 0);
//   HoldMs        how long the objects stay open after the answer (default 3000; 0: it ends at once).
#include "sim/common/CommandLineRecord.h"

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace {
constexpr char kMappingName[] = "Local\\_090331FileMapping_obj";
constexpr char kEventName[] = "Local\\_090331EventClient_obj";
constexpr DWORD kMappingBytes = 4096;

constexpr int kRefused = 2;
constexpr size_t kBindFields = 3;  // adapter or address, adapter to bridge, window handle

// The fields after the keyword, each ended by '+'; false when the text does not end with one.
bool SplitFields(const std::string& text, std::vector<std::string>& fields)
{
    if (text.empty() || text.back() != '+') return false;
    size_t start = 0;
    for (size_t plus = text.find('+'); plus != std::string::npos; plus = text.find('+', start)) {
        fields.push_back(text.substr(start, plus - start));
        start = plus + 1;
    }
    return true;
}

bool AllDigits(const std::string& text)
{
    if (text.empty()) return false;
    for (char c : text)
        if (!isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

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
    while (*args == ' ') ++args;
    std::vector<std::string> fields;
    if (!SplitFields(args, fields)) return kRefused;
    const std::string keyword = fields.front();
    fields.erase(fields.begin());
    if (keyword == "UNBINDALL" && fields.empty()) return 0;
    const bool bind = (keyword == "BIND" || keyword == "BINDWIN7") && fields.size() == kBindFields &&
                      AllDigits(fields.back());
    if (!bind) return kRefused;

    // The switches of this run, read once: a test may change the world while it works.
    const bool succeeds = Switch("Succeeds", 1) != 0, answers = Switch("Answers", 1) != 0;
    const UINT answerAfterMs = Switch("AnswerAfterMs", 0), holdMs = Switch("HoldMs", 3000);
    HANDLE mapping = ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kMappingBytes, kMappingName);
    if (!mapping) return 1;
    auto* words = static_cast<ULONG*>(::MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    HANDLE event = ::CreateEventA(nullptr, TRUE, FALSE, kEventName);
    if (words && event) {
        ::Sleep(answerAfterMs);
        words[0] = 1;
        words[1] = succeeds ? 1 : 0;
        if (answers) ::SetEvent(event);
        ::Sleep(holdMs);
    }
    if (words) ::UnmapViewOfFile(words);
    if (event) ::CloseHandle(event);
    ::CloseHandle(mapping);
    return 0;
}
