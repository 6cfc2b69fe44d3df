#include "connecttohost.h"
#include "connectivityprobe.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <memory>
#include <string>

namespace {

// A listening socket on 127.0.0.1 with a port the system picked.
class LoopbackListener {
public:
    LoopbackListener()
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = 0;
        if (m_fd < 0 || ::bind(m_fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(m_fd, 8) != 0)
            return;
        socklen_t len = sizeof a;
        ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&a), &len);
        m_port = ntohs(a.sin_port);
    }
    ~LoopbackListener() { close(); }
    void close()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }
    int port() const { return m_port; }

private:
    int m_fd = -1;
    int m_port = 0;
};

// A loopback port that nothing listens on.
int closedPort()
{
    LoopbackListener l;
    const int port = l.port();
    l.close();
    return port;
}

enum class PortKind { Listening, Closed, Fixed };

struct ConnectCase {
    const char* name;
    const char* host;
    PortKind kind;
    int fixedPort;
    bool connects;
};

void PrintTo(const ConnectCase& c, std::ostream* os) { *os << c.name; }

class ConnectToHostCases : public ::testing::TestWithParam<ConnectCase> {};

TEST_P(ConnectToHostCases, ConnectsOnlyWhereSomethingListens)
{
    const ConnectCase& c = GetParam();
    LoopbackListener listener;
    ASSERT_GT(listener.port(), 0);
    int port = c.fixedPort;
    if (c.kind == PortKind::Listening)
        port = listener.port();
    else if (c.kind == PortKind::Closed)
        port = closedPort();

    const int fd = ConnectToHost(port, c.host, 5000);
    if (c.connects) {
        EXPECT_GE(fd, 0);
    } else {
        EXPECT_EQ(fd, -1);
    }
    if (fd >= 0)
        ::close(fd);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ConnectToHostCases,
    ::testing::Values(ConnectCase{"LoopbackByAddress", "127.0.0.1", PortKind::Listening, 0, true},
                      ConnectCase{"NullHostMeansLoopback", nullptr, PortKind::Listening, 0, true},
                      ConnectCase{"LocalhostByName", "localhost", PortKind::Listening, 0, true},
                      ConnectCase{"ClosedPortFails", "127.0.0.1", PortKind::Closed, 0, false},
                      ConnectCase{"UnresolvableHostFails", "nonexistent.invalid", PortKind::Fixed, 80, false},
                      ConnectCase{"PortZeroFails", "127.0.0.1", PortKind::Fixed, 0, false},
                      ConnectCase{"PortAboveRangeFails", "127.0.0.1", PortKind::Fixed, 70000, false}),
    [](const ::testing::TestParamInfo<ConnectCase>& info) { return std::string(info.param.name); });

TEST(ConnectToHost, HandsBackABlockingConnectedSocket)
{
    LoopbackListener listener;
    const int fd = ConnectToHost(listener.port(), nullptr);
    ASSERT_GE(fd, 0);
    sockaddr_in peer{};
    socklen_t len = sizeof peer;
    ASSERT_EQ(::getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &len), 0);
    EXPECT_EQ(ntohs(peer.sin_port), listener.port());
    ::close(fd);
}

TEST(EnsureWinsock, AlwaysReportsStarted)
{
    EXPECT_EQ(EnsureWinsock(), 1);
    EXPECT_EQ(EnsureWinsock(), 1);
}

struct ProbeCase {
    const char* name;
    PortKind kind;
    const char* host;
    int before;
    int expected;
};

void PrintTo(const ProbeCase& c, std::ostream* os) { *os << c.name; }

class ConnectivityProbeCases : public ::testing::TestWithParam<ProbeCase> {
protected:
    static ProbeTarget targetFor(const ProbeCase& c, const LoopbackListener& listener)
    {
        ProbeTarget t;
        t.host = c.host;
        t.port = c.kind == PortKind::Listening ? listener.port() : c.kind == PortKind::Closed ? closedPort() : 80;
        t.timeoutMs = 5000;
        return t;
    }
};

TEST_P(ConnectivityProbeCases, StoresTheOutcomeOfItsOneConnection)
{
    const ProbeCase& c = GetParam();
    LoopbackListener listener;
    MapReachability state;
    state.mapReachable = c.before;
    EXPECT_EQ(ConnectivityProbe(state, targetFor(c, listener)), 0);
    EXPECT_EQ(state.mapReachable.load(), c.expected);
}

TEST_P(ConnectivityProbeCases, LaunchedOnItsOwnThreadStoresTheSameOutcome)
{
    const ProbeCase& c = GetParam();
    LoopbackListener listener;
    auto state = std::make_shared<MapReachability>();
    state->mapReachable = c.before;
    std::promise<void> finished;
    LaunchConnectivityProbe(state, targetFor(c, listener), [&finished] { finished.set_value(); });
    // A guard against a hung probe, not a speed requirement.
    ASSERT_EQ(finished.get_future().wait_for(std::chrono::seconds(60)), std::future_status::ready);
    EXPECT_EQ(state->mapReachable.load(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, ConnectivityProbeCases,
                         ::testing::Values(ProbeCase{"ReachableHostSetsOne", PortKind::Listening, "127.0.0.1", 0, 1},
                                           ProbeCase{"EmptyHostMeansLoopback", PortKind::Listening, "", 0, 1},
                                           ProbeCase{"ClosedPortSetsZero", PortKind::Closed, "127.0.0.1", 1, 0},
                                           ProbeCase{"UnresolvableHostSetsZero", PortKind::Fixed,
                                                     "nonexistent.invalid", 1, 0}),
                         [](const ::testing::TestParamInfo<ProbeCase>& info) { return std::string(info.param.name); });

TEST(ConnectivityProbe, OutlivesThePanelThatStartedIt)
{
    LoopbackListener listener;
    std::promise<void> finished;
    {
        auto state = std::make_shared<MapReachability>();
        ProbeTarget t;
        t.host = "127.0.0.1";
        t.port = listener.port();
        LaunchConnectivityProbe(state, t, [&finished] { finished.set_value(); });
        // The panel's reference goes here; the probe keeps the state alive.
    }
    // Under the sanitizers a write into a released panel would fail here.
    ASSERT_EQ(finished.get_future().wait_for(std::chrono::seconds(60)), std::future_status::ready);
}

TEST(ConnectivityProbe, WithoutStateStartsNothing)
{
    bool ran = false;
    LaunchConnectivityProbe(nullptr, ProbeTarget{}, [&ran] { ran = true; });
    EXPECT_FALSE(ran);
}

}  // namespace
