// Every name a task is given is a local file: a name that looks like a
// network address or a pipe is a file of that relative name in the current
// folder. Nothing goes over the network and nothing to standard output.
#include "ConverterTestSupport.h"
#include "engine/probe/AVProbe.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace engine;
using namespace testsupport;
using namespace convertertest;

namespace {

namespace fs = std::filesystem;

// A TCP and a UDP port on the loop-back interface that count whatever
// reaches them. A connection is closed at once, so a client that got there
// fails instead of waiting for an answer.
class TTrafficTrap {
public:
    TTrafficTrap()
    {
        FTcp = Bind(SOCK_STREAM, FTcpPort);
        FUdp = Bind(SOCK_DGRAM, FUdpPort);
        ::listen(FTcp, 16);
        FAcceptor = std::thread([this] {
            while (!FStop) {
                pollfd P{FTcp, POLLIN, 0};
                if (::poll(&P, 1, 20) > 0) {
                    const int C = ::accept(FTcp, nullptr, nullptr);
                    if (C >= 0) {
                        ++FConnections;
                        ::close(C);
                    }
                }
            }
        });
    }
    ~TTrafficTrap()
    {
        FStop = true;
        FAcceptor.join();
        ::close(FTcp);
        ::close(FUdp);
    }
    int TcpPort() const { return FTcpPort; }
    int UdpPort() const { return FUdpPort; }
    // Connections accepted and datagrams received so far.
    int Traffic()
    {
        char Buf[2048];
        while (::recv(FUdp, Buf, sizeof Buf, MSG_DONTWAIT) >= 0)
            ++FDatagrams;
        return FConnections + FDatagrams;
    }

private:
    static int Bind(int AType, int& APort)
    {
        const int S = ::socket(AF_INET, AType, 0);
        sockaddr_in A{};
        A.sin_family = AF_INET;
        A.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t Len = sizeof A;
        if (S < 0 || ::bind(S, reinterpret_cast<sockaddr*>(&A), sizeof A) != 0 ||
            ::getsockname(S, reinterpret_cast<sockaddr*>(&A), &Len) != 0)
            ADD_FAILURE() << "cannot open a loop-back socket";
        APort = ntohs(A.sin_port);
        return S;
    }

    int FTcp = -1, FUdp = -1;
    int FTcpPort = 0, FUdpPort = 0;
    std::atomic<bool> FStop{false};
    std::atomic<int> FConnections{0};
    int FDatagrams = 0;
    std::thread FAcceptor;
};

// Standard output goes to a file while the object lives.
class TCapturedStdout {
public:
    explicit TCapturedStdout(const std::string& AFileName)
    {
        std::fflush(stdout);
        FSaved = ::dup(1);
        const int Fd = ::open(AFileName.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0644);
        ::dup2(Fd, 1);
        ::close(Fd);
    }
    ~TCapturedStdout()
    {
        std::fflush(stdout);
        ::dup2(FSaved, 1);
        ::close(FSaved);
    }

private:
    int FSaved = -1;
};

// The current folder is the work folder while the object lives.
class TCurrentFolder {
public:
    explicit TCurrentFolder(const std::string& APath) : FOld(fs::current_path()) { fs::current_path(APath); }
    ~TCurrentFolder() { fs::current_path(FOld); }

private:
    fs::path FOld;
};

class FFmpegLocalFilesTest : public TComponentRunTest {
protected:
    TTempDir Work;
    TTempDir Scratch;
};

} // namespace

// Inputs and outputs named like addresses of every protocol are read from
// and written to local files of those names; the probe reads such an input
// too. No byte reaches the network or standard output.
TEST_F(FFmpegLocalFilesTest, NamesThatLookLikeAddressesAreLocalFiles)
{
    TTrafficTrap Trap;
    const std::string Tcp = "127.0.0.1:" + std::to_string(Trap.TcpPort());
    const std::string Udp = "127.0.0.1:" + std::to_string(Trap.UdpPort());
    const std::string Prefixes[] = {"http://" + Tcp + "/up/", "tcp://" + Tcp + "/", "udp://" + Udp + "/",
                                    "rtp://" + Udp + "/",     "gopher://" + Tcp + "/", "pipe:"};
    ASSERT_TRUE(MakeMedia(Scratch.File("tone.wav"), "-f lavfi -i sine=frequency=440:duration=1 -ac 2"));
    const std::string Tone = ReadFile(Scratch.File("tone.wav"));
    const TCurrentFolder Here(Work.Path());
    for (const std::string& Prefix : Prefixes) {
        // "a://b/" is the folder "a:/b" on disk.
        const fs::path Folder = fs::path(Prefix).parent_path();
        if (!Folder.empty())
            fs::create_directories(Folder);
        WriteFile(Prefix + "in.wav", Tone);
    }
    {
        TAVProbe Probe(nullptr);
        EXPECT_TRUE(Probe.LoadFile(Prefixes[0] + "in.wav")) << Probe.LastErrMsg();
        EXPECT_EQ(Probe.AudioStreamCount(), 1);
    }
    for (const std::string& Prefix : Prefixes)
        AddTaskFiles(Prefix + "in.wav", Prefix + "1.mp3");
    {
        const TCapturedStdout Captured(Scratch.File("stdout"));
        Run(2);
    }
    EXPECT_EQ(ReadFile(Scratch.File("stdout")), "");
    EXPECT_EQ(Trap.Traffic(), 0);
    for (size_t I = 0; I < std::size(Prefixes); ++I) {
        SCOPED_TRACE(Prefixes[I]);
        EXPECT_TRUE(Ends[int(I)].Finished) << Ends[int(I)].ExceptionMsg;
        // ffprobe is given the absolute name, which no protocol claims.
        EXPECT_NEAR(ProbeDuration(Work.Path() + "/" + fs::path(Prefixes[I] + "1.mp3").lexically_normal().string()),
                    1.0, 0.1);
    }
}
