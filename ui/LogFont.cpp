#include "ui/LogFont.h"

#include <cstring>
#include <mutex>
#include <vector>

HFONT SharedFont(const LOGFONTA& lf)
{
    struct Entry {
        LOGFONTA lf;
        HFONT font;
    };
    static std::mutex lock;
    static std::vector<Entry> fonts;
    // Only the used part of the face name counts: the bytes after its end are undefined.
    LOGFONTA key = lf;
    const size_t faceLength = strnlen(key.lfFaceName, LF_FACESIZE);
    std::memset(key.lfFaceName + faceLength, 0, LF_FACESIZE - faceLength);
    std::lock_guard<std::mutex> guard(lock);
    for (const Entry& e : fonts)
        if (std::memcmp(&e.lf, &key, sizeof key) == 0) return e.font;
    HFONT font = ::CreateFontIndirectA(&key);
    if (font) fonts.push_back({key, font});
    return font;
}
