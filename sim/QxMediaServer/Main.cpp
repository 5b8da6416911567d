// The stand-in "QxMediaServer.exe": the media server the program looks for beside itself (its
// service runs as the registered "QxMediaServer" service). Records its command line in
// "QxMediaServer.log" beside itself and ends with 0.
#include "sim/common/CommandLineRecord.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    sim::AppendCommandLine("QxMediaServer.log", GetCommandLineA());
    return 0;
}
