// The stand-in service program, registered in the prefix by the scripts under the names of the
// system's wireless services and the media server: started and stopped through the service
// control manager.
#include <gtest/gtest.h>
#include "support/ServiceControl.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {
using namespace testing_support;

class ServiceProgram : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        manager.reset(::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
        ASSERT_TRUE(manager) << ::GetLastError();
        service.reset(::OpenServiceA(manager.get(), GetParam(),
                                     SERVICE_START | SERVICE_STOP | SERVICE_QUERY_STATUS | SERVICE_QUERY_CONFIG | SERVICE_INTERROGATE));
        ASSERT_TRUE(service) << GetParam() << " is not registered (scripts/common.sh registers it): "
                             << ::GetLastError();
        Stop();
    }
    void TearDown() override
    {
        if (service) Stop();
    }
    void Stop() { StopServiceAndWait(service.get()); }

    ServiceHandle manager;
    ServiceHandle service;
};

TEST_P(ServiceProgram, IsRegisteredForDemandStartOnTheStandIn)
{
    DWORD needed = 0;
    ::QueryServiceConfigA(service.get(), nullptr, 0, &needed);
    ASSERT_GT(needed, 0u);
    std::vector<BYTE> buffer(needed);
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.data());
    ASSERT_TRUE(::QueryServiceConfigA(service.get(), config, needed, &needed));
    EXPECT_EQ(static_cast<DWORD>(SERVICE_DEMAND_START), config->dwStartType);
    const std::string binary = config->lpBinaryPathName;
    EXPECT_NE(std::string::npos, binary.find("QxService.exe")) << binary;
    EXPECT_NE(std::string::npos, binary.find(GetParam())) << binary;
}

TEST_P(ServiceProgram, StartsAndStopsThroughTheServiceControlManager)
{
    ASSERT_EQ(static_cast<DWORD>(SERVICE_STOPPED), ServiceState(service.get()));
    ASSERT_TRUE(::StartServiceA(service.get(), 0, nullptr)) << ::GetLastError();
    ASSERT_TRUE(WaitForServiceState(service.get(), SERVICE_RUNNING));

    SERVICE_STATUS status = {};
    ASSERT_TRUE(::ControlService(service.get(), SERVICE_CONTROL_INTERROGATE, &status)) << ::GetLastError();
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), status.dwCurrentState);
    EXPECT_TRUE(status.dwControlsAccepted & SERVICE_ACCEPT_STOP);

    ASSERT_TRUE(::ControlService(service.get(), SERVICE_CONTROL_STOP, &status)) << ::GetLastError();
    EXPECT_TRUE(WaitForServiceState(service.get(), SERVICE_STOPPED));
}

TEST_P(ServiceProgram, StoppingAStoppedServiceIsRefused)
{
    SERVICE_STATUS status = {};
    EXPECT_FALSE(::ControlService(service.get(), SERVICE_CONTROL_STOP, &status));
    EXPECT_EQ(static_cast<DWORD>(ERROR_SERVICE_NOT_ACTIVE), ::GetLastError());
}

INSTANTIATE_TEST_SUITE_P(Services, ServiceProgram, ::testing::Values("WZCSVC", "Wlansvc", "QxMediaServer"));

}  // namespace
