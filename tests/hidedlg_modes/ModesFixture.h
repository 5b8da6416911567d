// The hidden dialog's mode switches against both stand-in libraries, the companion programs'
// logs and the system's wireless service registered in the prefix.
#pragma once
#include "hidedlg/HideDlgFixture.h"
#include "softap/SoftApSim.h"
#include "base/IniFile.h"
#include "core/ProductMessageBox.h"
#include "core/QXAPLIB.h"
#include "program/ProgramWindows.h"
#include "contract/StationContract.h"
#include "support/LogCapture.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace hidedlg_testing {

// Index of the first journal line starting with prefix; -1 when none.
inline int FirstLine(const std::vector<std::string>& journal, const std::string& prefix)
{
    for (size_t i = 0; i < journal.size(); ++i)
        if (journal[i].compare(0, prefix.size(), prefix) == 0) return static_cast<int>(i);
    return -1;
}

// Starts or stops the stand-in service registered under a system service's name.
using program_windows::SetServiceRunning;

class ModesFixture : public HideDlgFixture {
protected:
    void SetUp() override
    {
        HideDlgFixture::SetUp();
        ASSERT_TRUE(ap.Loaded());
        ASSERT_TRUE(ap.Reset());
        G_bDeviceRemoved = FALSE;
        ::DeleteFileA(QxSwapLog().c_str());
    }
    void TearDown() override
    {
        HideDlgFixture::TearDown();
        ::DeleteFileA(QxSwapLog().c_str());
    }

    // A fresh dialog. The one before goes first: its destruction frees process-wide records
    // that the new one's construction has just allocated.
    CHideDlg& Start(const std::string& world)
    {
        dlg.reset();
        return HideDlgFixture::Start(world);
    }
    // The station start-up in the given world, with an empty journal afterwards.
    CHideDlg& StartStation(const std::string& world)
    {
        CHideDlg& d = Start(world);
        sim.ClearJournal();
        ap.ClearJournal();
        return d;
    }
    bool ApCalled(const std::string& prefix)
    {
        const std::vector<std::string> journal = ap.Journal();
        return FirstLine(journal, prefix) >= 0;
    }
    static std::string QxSwapLog() { return BinFolder() + "QxSwap.log"; }
    // The lines QxSwap.exe recorded, once count of them are there.
    static std::vector<std::string> QxSwapLines(size_t count)
    {
        std::vector<std::string> lines;
        PumpUntil(
            [&] {
                lines.clear();
                std::string text = ReadWholeFile(QxSwapLog());
                for (size_t at; (at = text.find("\r\n")) != std::string::npos; text.erase(0, at + 2))
                    lines.push_back(text.substr(0, at));
                return lines.size() >= count;
            },
            kWaitBoundMs);
        return lines;
    }
    static std::string ProgramBaseName()
    {
        std::string path = CString(ProgramPath()).GetString();
        path = path.substr(path.rfind('\\') + 1);
        return path.substr(0, path.rfind('.'));
    }

    softap_test::SoftApSim ap;
};

}  // namespace hidedlg_testing
