// The stand-in "QxSwap.exe": records the command line it was given in "QxSwap.log" beside itself
// and ends with 0.
#include "sim/common/CommandLineRecord.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    sim::AppendCommandLine("QxSwap.log", GetCommandLineA());
    return 0;
}
