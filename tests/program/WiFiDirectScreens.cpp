// Brings the real program to one of its Wi-Fi Direct pages for a screenshot, then waits:
//   wd_screens main|name|method|pin|channel|link|wps|info
// (run it through scripts/screenshot; the world gives two peers).
#include "program/WiFiDirectDriving.h"

#include <cstring>

using namespace wifidirect_driving;

namespace {
constexpr int kWps = 1501;
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    const std::string target = commandLine && *commandLine ? commandLine : "main";
    // Outside the program's folder: the run ends killed, with nobody to remove it.
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    const std::string journal = std::string(temp) + "WiFiDirectScreensJournal.txt";
    ::DeleteFileA(journal.c_str());
    ScopedFile(BinFolder() + "QxSimWorld.ini",
               "[World]\nOsCode=12\nJournal=" + journal + "\n[Peer1]\nName=Camera\nAddress=02:50:32:50:00:01\nIntent=15\nAccept=PBC\nDeviceType=Camera\n"
               "[Peer2]\nName=Printer\nAddress=02:50:32:50:00:02\nIntent=0\nAccept=Any\nDeviceType=Printer\n")
        .Keep();
    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION info = {};
    std::string command = "\"" + BinFolder() + "KPL4471.exe\"";
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, BinFolder().c_str(), &startup, &info))
        return 1;
    HWND main = WaitForWindow("#32770", EnglishText("IDS_QUIXEN_CONFIG_TITLE").c_str(), info.dwProcessId, kTimeoutMs);
    if (!main) return 2;
    PumpUntil([&] { return ::IsWindowVisible(main) != FALSE; }, kTimeoutMs);
    WaitStartUpReconnect(journal);
    HWND tab = ::GetDlgItem(main, kTabWiFiDirect);
    ::PostMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::PostMessageA(tab, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Press(WaitVisible(main, kEnable));
    HWND name = WaitVisible(main, kSettingEdit);
    ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Desk"));
    if (target == "name") {
        PumpFor(600000);
        return 0;
    }
    Press(Visible(main, kSettingNext));
    HWND scan = WaitVisible(main, kScan);
    PumpUntil([&] { return ::IsWindowEnabled(scan) != FALSE; }, kTimeoutMs);
    Press(scan);
    HWND list = WaitVisible(main, kDeviceList);
    RemoteList rows(list);
    PumpUntil([&] { return rows.Find("Camera", kSearchedColumns) >= 0 && rows.Find("Printer", kSearchedColumns) >= 0; }, kTimeoutMs);
    if (target == "main") {
        rows.Select(rows.Find("Printer", kSearchedColumns));
    } else if (target == "wps" || target == "info") {
        // Connected to the printer as its group's owner: the WPS button and the group's details.
        rows.Select(rows.Find("Printer", kSearchedColumns));
        Press(Visible(main, kConnect));
        Press(WaitVisible(main, kMethodNext));
        Press(WaitChannelNext(main));
        LinkTextWhenDone(main);
        Press(Visible(main, kLinkExit));
        if (target == "wps") {
            Press(WaitVisible(main, kWps));
        } else {
            Press(WaitVisible(main, kMoreInfo));
            HWND more = WaitForWindow("#32770", "More Information", info.dwProcessId, kTimeoutMs);
            PumpUntil([&] { return !WindowText(::GetDlgItem(more, kInfoGroup)).empty(); }, kTimeoutMs);
        }
    } else {
        const bool link = target == "link";
        rows.Select(rows.Find(link ? "Camera" : "Printer", kSearchedColumns));
        Press(Visible(main, kConnect));
        HWND next = WaitVisible(main, kMethodNext);
        if (target == "pin") Press(::GetDlgItem(::GetParent(next), kMethodPinShown));
        if (target == "channel" || link) {
            Press(next);
            HWND channelNext = WaitChannelNext(main);
            if (link) {
                Press(channelNext);
                LinkTextWhenDone(main);
            }
        }
    }
    PumpFor(600000);
    return 0;
}
