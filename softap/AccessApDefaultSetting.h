// The access point's default-setting file "ApDefaultSetting.dat": one raw AP_CONFIG_DATA that
// stands in for the soft-AP library's record while that one is empty or still the factory one.
#pragma once
#include "framework/Afx.h"
#include "contract/SoftApRecords.h"

inline constexpr char kApDefaultSettingFile[] = "ApDefaultSetting.dat";

// The file beside the program (not in the current folder, which a tray autostart may not set).
CString ApDefaultSettingPath();

// write 1: stores size bytes of buffer as the whole file; any other value: reads size bytes into
// buffer. 1 only when all size bytes went through. A file of any other length is refused and the
// buffer left as it was; a store writes a new file first and then replaces the old one, so a
// failed write never leaves a cut record behind. Every failure is logged.
int AccessApDefaultSetting(void* buffer, size_t size, int write);

// The factory SSID of the library's record (24 characters); such a record counts as empty.
inline constexpr char kApPlaceholderSsid[] = "*Quixen*Any*Network*SSID";
// The rule under which the default file stands in for the library's record: SSID length and group
// rekey interval both 0, or exactly the placeholder SSID.
bool IsApConfigEmpty(const AP_CONFIG_DATA& config);
// Replaces config by the file's record when config is empty and the file holds a whole, sane
// record. True when it did.
bool LoadApDefaultSetting(AP_CONFIG_DATA& config);
