// The stand-in "SelectCard.exe": records the command line it was given in "SelectCard.log" beside itself
// and ends with 0.
#include "sim/common/CommandLineRecord.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    sim::AppendCommandLine("SelectCard.log", GetCommandLineA());
    return 0;
}
