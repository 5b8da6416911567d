// The system's own wireless profiles, as the wireless service keeps them: the world file names
// them, connecting a Wi-Fi Direct group through the service adds the group's, and the library
// deletes one or all of them on request.
#include "sim/QxWLAPI/Exports.h"

#include <algorithm>

using namespace sim;

namespace {
std::string Name(LPCSTR text)
{
    return text ? std::string(text, strnlen(text, kProfileNameBytes)) : std::string();
}
}  // namespace

LONG WINAPI QXWL_WlanDeleteAllWindowsProfiles(void)
{
    SimWorld& w = Enter("QXWL_WlanDeleteAllWindowsProfiles()");
    auto guard = w.Lock();
    w.SystemProfiles.clear();
    w.NoteSystemProfiles();
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WlanDeleteWindowsProfile(LPCSTR profileName)
{
    SimWorld& w = Enter("QXWL_WlanDeleteWindowsProfile(" + Name(profileName) + ")");
    auto guard = w.Lock();
    auto& list = w.SystemProfiles;
    const auto found = std::find(list.begin(), list.end(), Name(profileName));
    if (found == list.end()) return QXWL_ERROR_FAILURE;
    list.erase(found);
    w.NoteSystemProfiles();
    return QXWL_ERROR_SUCCESS;
}

BOOL WINAPI QXWL_WlanIsWindowsProfileExist(LPCSTR profileName)
{
    SimWorld& w = Enter("QXWL_WlanIsWindowsProfileExist(" + Name(profileName) + ")");
    auto guard = w.Lock();
    const auto& list = w.SystemProfiles;
    return std::find(list.begin(), list.end(), Name(profileName)) != list.end() ? TRUE : FALSE;
}

// Under the lock: a network the library joined through the system's service keeps a profile there.
void AddSystemProfile(SimWorld& w, const std::string& name)
{
    if (w.Model.Settings.OsCode < 10 || name.empty()) return;
    auto& list = w.SystemProfiles;
    if (std::find(list.begin(), list.end(), name) != list.end()) return;
    list.push_back(name);
    w.NoteSystemProfiles();
}
