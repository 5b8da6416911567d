#include "softap/AccessApDefaultSetting.h"
#include "base/DebugLog.h"
#include "base/IniFile.h"

#include <cstdio>
#include <cstring>
#include <vector>

CString ApDefaultSettingPath()
{
    return ProgramFolder() + kApDefaultSettingFile;
}

namespace {
int ReadWhole(const CString& path, void* buffer, size_t size)
{
    FILE* file = fopen(path, "rb");
    if (!file) {
        DebugLog(1, "[ApUI] AccessApDefaultSetting(): %s cannot be opened for reading\n", path.GetString());
        return 0;
    }
    // One byte more than asked, so that a longer file shows itself as well as a shorter one.
    std::vector<char> data(size + 1);
    const size_t got = fread(data.data(), 1, data.size(), file);
    fclose(file);
    if (got != size) {
        DebugLog(1, "[ApUI] AccessApDefaultSetting(): %s holds %u bytes, not %u; not used\n", path.GetString(),
                 static_cast<unsigned>(got), static_cast<unsigned>(size));
        return 0;
    }
    memcpy(buffer, data.data(), size);
    return 1;
}

int WriteWhole(const CString& path, const void* buffer, size_t size)
{
    const CString fresh = path + ".new";
    FILE* file = fopen(fresh, "wb");
    if (!file) {
        DebugLog(1, "[ApUI] AccessApDefaultSetting(): %s cannot be opened for writing\n", fresh.GetString());
        return 0;
    }
    const size_t put = fwrite(buffer, 1, size, file);
    const bool closed = fclose(file) == 0;
    if (put != size || !closed) {
        DebugLog(1, "[ApUI] AccessApDefaultSetting(): only %u of %u bytes written; %s kept as it was\n",
                 static_cast<unsigned>(put), static_cast<unsigned>(size), path.GetString());
        ::DeleteFileA(fresh);
        return 0;
    }
    if (!::MoveFileExA(fresh, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DebugLog(1, "[ApUI] AccessApDefaultSetting(): %s not replaced, error %lu\n", path.GetString(), ::GetLastError());
        ::DeleteFileA(fresh);
        return 0;
    }
    return 1;
}
}  // namespace

int AccessApDefaultSetting(void* buffer, size_t size, int write)
{
    if (!buffer || size == 0) return 0;
    const CString path = ApDefaultSettingPath();
    return write == 1 ? WriteWhole(path, buffer, size) : ReadWhole(path, buffer, size);
}

bool IsApConfigEmpty(const AP_CONFIG_DATA& config)
{
    if (config.Ssid.SsidLength == 0 && config.nGroupRekeyInterval == 0) return true;
    const size_t placeholder = sizeof kApPlaceholderSsid - 1;
    return config.Ssid.SsidLength == placeholder && memcmp(config.Ssid.Ssid, kApPlaceholderSsid, placeholder) == 0;
}

bool LoadApDefaultSetting(AP_CONFIG_DATA& config)
{
    if (!IsApConfigEmpty(config)) return false;
    AP_CONFIG_DATA file{};
    if (!AccessApDefaultSetting(&file, sizeof file, 0)) return false;
    if (file.Ssid.SsidLength == 0 || file.Ssid.SsidLength > sizeof file.Ssid.Ssid) {
        DebugLog(1, "[ApUI] AccessApDefaultSetting(): the file's SSID length %lu is not usable\n", file.Ssid.SsidLength);
        return false;
    }
    config = file;
    return true;
}
