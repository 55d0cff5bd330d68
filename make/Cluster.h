#pragma once
#include <cstdio>
#include <string>
#include <vector>

namespace vantrel {

// A make cut into chunks on a Slurm cluster. The program talks to the
// cluster only through sbatch, squeue and sacct on the PATH: the chunks are
// one job array, the join a job that runs only when every chunk succeeded.
// Everything lives in a folder beside the output (on the file system the
// nodes share): the job scripts, the plan, the job ids, the logs and the
// chunks themselves.
struct ClusterRequest {
    std::string project;  // FILE.kwp
    std::string output;   // OUT
    int chunks = 1;
    std::string partition;                // empty: the cluster's default
    std::vector<std::string> sbatchArgs;  // handed to both sbatch calls, after ours
    bool wait = false;                    // wait for the join and answer its status
    bool resume = false;                  // submit only the chunks that are not there
    std::string program;                  // the vantrel the nodes run (same path on every node)
    // Seconds between looks at the queue while waiting.
    double pollSeconds = 2;
};

// The folder beside OUT: "OUT.cluster".
std::string ClusterFolder(const std::string& output);

// Submits (and with wait, waits). Job ids and what was submitted go to out.
// 0 on success (with wait: the join succeeded), 1 with the reason.
int RunOnSlurm(const ClusterRequest& request, std::FILE* out, std::string& message);

}  // namespace vantrel
