// A real one-node Slurm cluster of the test's own: munged with a private
// key and socket, slurmctld and slurmd with a private slurm.conf, state and
// spool under the test's folder. The program is run as a user runs it,
// `vantrel --cluster slurm ...`, and what it joins must equal the single make.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <netinet/in.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include "tests/make/ChunkProject.h"
#include "tests/support/TempFolder.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs a shell command; answers its exit status, its output in *out.
int Shell(const std::string& command, std::string* out = nullptr) {
    static int serial = 0;
    const std::string file = (fs::temp_directory_path() / ("vantrel-cluster-out-" + std::to_string(::getpid()) + "-" +
                                                           std::to_string(serial++)))
                                 .string();
    const int status = std::system((command + " > '" + file + "' 2>&1").c_str());
    if (out) *out = ReadText(file);
    fs::remove(file);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int FreePort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(s);
    return port;
}

pid_t PidFrom(const std::string& file) {
    for (int i = 0; i < 100; ++i) {
        const std::string text = ReadText(file);
        if (!text.empty()) return pid_t(std::atoi(text.c_str()));
        std::this_thread::sleep_for(100ms);
    }
    return 0;
}

void Stop(pid_t pid) {
    if (pid <= 0) return;
    ::kill(pid, SIGTERM);
    for (int i = 0; i < 100 && ::kill(pid, 0) == 0; ++i) std::this_thread::sleep_for(100ms);
    if (::kill(pid, 0) == 0) ::kill(pid, SIGKILL);
}

std::string Daemon(const char* name) {
    for (const char* folder : {"/usr/sbin/", "/usr/bin/", "/sbin/"})
        if (fs::exists(std::string(folder) + name)) return std::string(folder) + name;
    return {};
}

class Slurm : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = new testing::TempFolder;
        why = Start();
    }
    static void TearDownTestSuite() {
        if (!pids.empty()) Shell("scancel --full --quiet --user=$(id -un)");
        // Stopped in reverse: the node, the controller, then munged.
        for (auto pid = pids.rbegin(); pid != pids.rend(); ++pid) Stop(*pid);
        pids.clear();
        delete folder;
        folder = nullptr;
    }
    // Empty when the cluster runs, else why it does not.
    static std::string Start() {
        const std::string munged = Daemon("munged"), slurmctld = Daemon("slurmctld"), slurmd = Daemon("slurmd");
        if (munged.empty() || slurmctld.empty() || slurmd.empty())
            return "munged, slurmctld or slurmd is not installed (scripts/deps.sh installs munge and slurm-wlm)";
        if (::geteuid() != 0) return "slurmd must be started as root";
        const std::string d = folder->Path();
        fs::create_directories(d + "/state");
        fs::create_directories(d + "/spool");
        {
            std::ofstream key(d + "/munge.key", std::ios::binary);
            std::random_device random;
            for (int i = 0; i < 1024; ++i) key.put(char(random()));
        }
        fs::permissions(d + "/munge.key", fs::perms::owner_read);
        const std::string socket = d + "/munge.socket";
        if (Shell(munged + " --force --socket=" + socket + " --key-file=" + d + "/munge.key --pid-file=" + d +
                  "/munged.pid --log-file=" + d + "/munged.log --seed-file=" + d + "/munged.seed") != 0)
            return "munged did not start: " + ReadText(d + "/munged.log");
        pids.push_back(PidFrom(d + "/munged.pid"));

        const unsigned cpus = std::max(1u, std::thread::hardware_concurrency());
        std::ofstream conf(d + "/slurm.conf");
        conf << "ClusterName=vantreltest\nSlurmctldHost=localhost(127.0.0.1)\n"
             << "SlurmctldPort=" << FreePort() << "\nSlurmdPort=" << FreePort() << "\n"
             << "AuthType=auth/munge\nCredType=cred/munge\nAuthInfo=socket=" << socket << "\n"
             << "StateSaveLocation=" << d << "/state\nSlurmdSpoolDir=" << d << "/spool\n"
             << "SlurmctldPidFile=" << d << "/slurmctld.pid\nSlurmdPidFile=" << d << "/slurmd.pid\n"
             << "SlurmctldLogFile=" << d << "/slurmctld.log\nSlurmdLogFile=" << d << "/slurmd.log\n"
             << "SlurmUser=root\nSlurmdUser=root\nProctrackType=proctrack/linuxproc\nTaskPlugin=task/none\n"
             << "SelectType=select/cons_tres\nSelectTypeParameters=CR_Core\nJobCompType=jobcomp/none\n"
             << "AccountingStorageType=accounting_storage/none\nJobAcctGatherType=jobacct_gather/none\n"
             << "MpiDefault=none\nReturnToService=2\nMinJobAge=600\n"
             << "NodeName=localhost NodeAddr=127.0.0.1 CPUs=" << cpus << " State=UNKNOWN\n"
             << "PartitionName=test Nodes=localhost Default=YES MaxTime=INFINITE State=UP\n";
        conf.close();
        ::setenv("SLURM_CONF", (d + "/slurm.conf").c_str(), 1);
        if (Shell(slurmctld + " -i") != 0) return "slurmctld did not start: " + ReadText(d + "/slurmctld.log");
        pids.push_back(PidFrom(d + "/slurmctld.pid"));
        if (Shell(slurmd + " -N localhost") != 0) return "slurmd did not start: " + ReadText(d + "/slurmd.log");
        pids.push_back(PidFrom(d + "/slurmd.pid"));
        for (int i = 0; i < 300; ++i) {
            std::string state;
            if (Shell("sinfo -h -N -o %t", &state) == 0 && state.starts_with("idle")) return {};
            std::this_thread::sleep_for(100ms);
        }
        return "the node did not come up: " + ReadText(d + "/slurmd.log");
    }
    void SetUp() override {
        if (!why.empty()) GTEST_SKIP() << "no Slurm cluster: " << why;
        if (!testing::HaveFfmpegCommand()) GTEST_SKIP() << "no ffmpeg command line";
        work = folder->File(::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(work);
        project = testing::WriteChunkProject(testing_folder, 133, 0, 4000);  // 40 frames at 10 fps
    }
    int Vantrel(const std::string& arguments, std::string* out = nullptr) {
        return Shell("'" + std::string(VANTREL_PROGRAM_DIR) + "/vantrel' " + arguments, out);
    }
    // The single make, decoded, against the file given.
    void ExpectSameAsSingleMake(const std::string& joined) {
        const std::string single = work + "/single.mkv";
        ASSERT_EQ(Vantrel("--make '" + project + "' '" + single + "' --quiet"), 0);
        const std::vector<std::uint8_t> pictures = testing::DecodedMedia(single, 'v');
        EXPECT_EQ(pictures.size(), 40u * 176 * 144 * 3);
        EXPECT_TRUE(testing::DecodedMedia(joined, 'v') == pictures);
        EXPECT_TRUE(testing::DecodedMedia(joined, 'a') == testing::DecodedMedia(single, 'a'));
    }
    static std::string JobAfter(const std::string& text, const std::string& label) {
        const std::size_t at = text.find(label + ": job ");
        if (at == std::string::npos) return {};
        const std::size_t from = at + label.size() + 6;
        return text.substr(from, text.find_first_not_of("0123456789", from) - from);
    }

    static testing::TempFolder* folder;
    static std::vector<pid_t> pids;
    static std::string why;
    testing::TempFolder testing_folder;
    std::string work, project;
};
testing::TempFolder* Slurm::folder = nullptr;
std::vector<pid_t> Slurm::pids;
std::string Slurm::why;

TEST_F(Slurm, FourChunksJoinedEqualTheSingleMake) {
    const std::string out = work + "/film.mkv";
    std::string said;
    ASSERT_EQ(Vantrel("--cluster slurm '" + project + "' '" + out + "' --chunks 4 --partition test --wait", &said), 0)
        << said;
    EXPECT_NE(said.find("4 of 4 chunks"), std::string::npos) << said;
    EXPECT_FALSE(JobAfter(said, "join").empty()) << said;
    ASSERT_TRUE(fs::exists(out)) << said;
    for (const char* chunk : {"film.0-10of40.mkv", "film.10-20of40.mkv", "film.20-30of40.mkv", "film.30-40of40.mkv"})
        EXPECT_TRUE(fs::exists(out + ".cluster/" + chunk)) << chunk;
    ExpectSameAsSingleMake(out);
}

TEST_F(Slurm, AKilledChunkStopsTheJoinAndResumeMakesOnlyIt) {
    const std::string out = work + "/film.mkv";
    std::string said;
    // Held, so that chunk 1 is killed before it can have finished.
    ASSERT_EQ(Vantrel("--cluster slurm '" + project + "' '" + out + "' --chunks 4 --sbatch-arg=--hold", &said), 0)
        << said;
    const std::string array = JobAfter(said, "chunks"), join = JobAfter(said, "join");
    ASSERT_FALSE(array.empty() || join.empty()) << said;
    ASSERT_EQ(Shell("scancel " + array + "_1"), 0);
    ASSERT_EQ(Shell("scontrol release " + array + " " + join), 0);
    std::string state;
    for (int i = 0; i < 600; ++i) {
        Shell("squeue -h --states=all -j " + join + " -o %T", &state);
        if (state.starts_with("CANCELLED") || state.starts_with("COMPLETED") || state.starts_with("FAILED")) break;
        std::this_thread::sleep_for(100ms);
    }
    EXPECT_TRUE(state.starts_with("CANCELLED")) << state;
    EXPECT_FALSE(fs::exists(out));
    EXPECT_FALSE(fs::exists(out + ".cluster/film.10-20of40.mkv"));

    // A waiting run says what is missing and how to go on.
    ASSERT_EQ(Vantrel("--cluster slurm '" + project + "' '" + out + "' --chunks 4 --resume --wait", &said), 0)
        << said;
    EXPECT_NE(said.find("1 of 4 chunks (tasks 1)"), std::string::npos) << said;
    ASSERT_TRUE(fs::exists(out));
    ExpectSameAsSingleMake(out);
    // Nothing left to resume but the join: no chunk is made again.
    fs::remove(out);
    ASSERT_EQ(Vantrel("--cluster slurm '" + project + "' '" + out + "' --chunks 4 --resume --wait", &said), 0)
        << said;
    EXPECT_NE(said.find("all 4 made"), std::string::npos) << said;
    EXPECT_TRUE(fs::exists(out));
}

// What lets a cluster rerun a killed task: the chunk appears only once it
// is whole, so a task killed while writing leaves nothing a join would take.
TEST(ChunkTask, KilledWhileWritingLeavesNoChunk) {
    testing::TempFolder folder;
    const std::string project = testing::WriteChunkProject(folder, 134, 0, 60000);  // 900 frames
    const std::string chunk = folder.File("film.0-900of900.mkv");
    const std::string program = std::string(VANTREL_PROGRAM_DIR) + "/vantrel";
    const pid_t child = ::fork();
    if (child == 0) {
        ::execl(program.c_str(), "vantrel", "--make", project.c_str(), chunk.c_str(), "--range", "0", "60000",
                "--quiet", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ASSERT_GT(child, 0);
    bool writing = false;
    for (int i = 0; i < 1000 && !writing; ++i) {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(folder.Path(), error))
            if (entry.path().filename().string().find(".partial-") != std::string::npos &&
                fs::file_size(entry.path(), error) > 0)
                writing = true;
        if (!writing) std::this_thread::sleep_for(10ms);
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(writing);
    EXPECT_TRUE(WIFSIGNALED(status)) << "the make ended before it was killed";
    EXPECT_FALSE(fs::exists(chunk));
}

}  // namespace
}  // namespace vantrel
