#include "make/Cluster.h"

#include <fcntl.h>
#include <cerrno>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "make/Join.h"
#include "make/Make.h"

namespace vantrel {

namespace {

namespace fs = std::filesystem;

struct Ran {
    int status = -1;  // the exit status; -1 when it could not run or was killed
    std::string out;
};

// Runs a command found on the PATH without a shell, its standard output
// read back, its standard error passed through.
Ran Run(const std::vector<std::string>& words) {
    Ran ran;
    // Made before the fork: the child of a process with threads may only
    // make async-signal-safe calls, and allocating is not one.
    std::vector<char*> argv;
    for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) return ran;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        return ran;
    }
    if (child == 0) {
        ::dup2(pipeEnds[1], 1);
        const int null = ::open("/dev/null", O_RDONLY);
        if (null >= 0) ::dup2(null, 0);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(pipeEnds[0], buffer, sizeof buffer);
        if (got > 0)
            ran.out.append(buffer, std::size_t(got));
        else if (got == 0 || errno != EINTR)
            break;
    }
    ::close(pipeEnds[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) ran.status = WEXITSTATUS(status);
    return ran;
}

std::string Trim(std::string text) {
    const std::size_t end = text.find_last_not_of(" \t\r\n");
    text.erase(end == std::string::npos ? 0 : end + 1);
    return text.substr(std::min(text.size(), text.find_first_not_of(" \t\r\n")));
}

// A word for /bin/sh, quoted so that nothing in it is special.
std::string Quoted(const std::string& word) {
    std::string quoted = "'";
    for (const char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

bool WriteText(const std::string& path, const std::string& text, bool executable) {
    {
        std::ofstream out(path, std::ios::trunc);
        out << text;
        if (!out.flush()) return false;
    }
    std::error_code error;
    if (executable)
        fs::permissions(path, fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                        fs::perm_options::add, error);
    return !error;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Submits a script; answers the job id or empty with the reason.
std::string Submit(const ClusterRequest& request, std::vector<std::string> options, const std::string& script,
                   std::string& message) {
    std::vector<std::string> words{"sbatch", "--parsable"};
    words.insert(words.end(), options.begin(), options.end());
    if (!request.partition.empty()) words.push_back("--partition=" + request.partition);
    words.insert(words.end(), request.sbatchArgs.begin(), request.sbatchArgs.end());
    words.push_back(script);
    const Ran ran = Run(words);
    // --parsable prints "ID" or "ID;CLUSTER".
    const std::string id = Trim(ran.out.substr(0, ran.out.find(';')));
    if (ran.status != 0 || id.empty() || id.find_first_not_of("0123456789") != std::string::npos) {
        message = ran.status == 127 ? "sbatch is not on the PATH" : "sbatch refused " + script;
        return {};
    }
    return id;
}

// The state of a job as squeue knows it (for a while after it ended), else
// as sacct does; empty when neither knows it.
std::string JobState(const std::string& id) {
    Ran ran = Run({"squeue", "-h", "--states=all", "-j", id, "-o", "%T"});
    std::string state = Trim(ran.out.substr(0, ran.out.find('\n')));
    if (ran.status == 0 && !state.empty()) return state;
    ran = Run({"sacct", "-n", "-X", "-P", "-j", id, "-o", "State"});
    state = Trim(ran.out.substr(0, ran.out.find('\n')));
    if (ran.status == 0 && !state.empty()) return state.substr(0, state.find(' '));  // "CANCELLED by 0"
    return {};
}

bool StillQueued(const std::string& state) {
    for (const char* active : {"PENDING", "RUNNING", "CONFIGURING", "COMPLETING", "SUSPENDED", "REQUEUED", "RESIZING",
                               "SIGNALING", "STAGE_OUT", "REQUEUE_HOLD", "REQUEUE_FED", "RESV_DEL_HOLD"})
        if (state == active) return true;
    return false;
}

// Whether any of the jobs still waits or runs (squeue lists only those).
bool AnyActive(const std::vector<std::string>& ids) {
    std::string list;
    for (const std::string& id : ids)
        if (!id.empty()) list += (list.empty() ? "" : ",") + id;
    if (list.empty()) return false;
    const Ran ran = Run({"squeue", "-h", "-j", list, "-o", "%T"});
    return ran.status == 0 && !Trim(ran.out).empty();
}

struct Plan {
    std::vector<MakeChunk> chunks;
    std::vector<std::string> files;
    std::string text;  // what the plan file holds
};

}  // namespace

std::string ClusterFolder(const std::string& output) { return output + ".cluster"; }

int RunOnSlurm(const ClusterRequest& request, std::FILE* out, std::string& message) {
    const std::string output = fs::absolute(request.output).lexically_normal().string();
    const std::string project = fs::absolute(request.project).lexically_normal().string();
    const std::string folder = ClusterFolder(output);

    Plan plan;
    if (!PlanChunks(project, request.chunks, plan.chunks, message)) return 1;
    const int total = plan.chunks.back().frames.end;
    plan.text = "project " + project + "\noutput " + output + "\n";
    for (std::size_t i = 0; i < plan.chunks.size(); ++i) {
        const MakeChunk& chunk = plan.chunks[i];
        plan.files.push_back(ChunkFileName(output, {chunk.frames, total}, folder));
        plan.text += std::to_string(i) + " " + std::to_string(chunk.fromMs) + " " + std::to_string(chunk.toMs) + " " +
                     plan.files.back() + "\n";
    }

    const std::string planFile = folder + "/plan", jobsFile = folder + "/jobs";
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        message = "cannot make the folder " + folder + ": " + error.message();
        return 1;
    }
    // Jobs of an earlier submission that still run would write the same
    // chunks: one submission at a time.
    {
        std::istringstream jobs(ReadText(jobsFile));
        std::vector<std::string> ids;
        for (std::string word; jobs >> word;)
            if (word.find_first_not_of("0123456789") == std::string::npos) ids.push_back(word);
        if (AnyActive(ids)) {
            message = "the jobs of an earlier submission into " + folder + " are still queued or running";
            return 1;
        }
    }
    if (request.resume) {
        if (ReadText(planFile) != plan.text) {
            message = "nothing to resume in " + folder +
                      ": it holds no submission of this project, output and number of chunks";
            return 1;
        }
    } else {
        // Afresh: chunks left by an earlier submission are not this one's.
        for (const std::string& file : plan.files) fs::remove(file, error);
        if (!WriteText(planFile, plan.text, false)) {
            message = "cannot write " + planFile;
            return 1;
        }
    }

    // What chunk tasks that were killed left under their temporary names.
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(".") && name.find(".partial-") != std::string::npos) fs::remove(entry.path(), error);
    }

    std::vector<std::size_t> missing;
    for (std::size_t i = 0; i < plan.files.size(); ++i)
        if (!fs::exists(plan.files[i], error)) missing.push_back(i);

    std::string chunkScript = "#!/bin/sh\n# One chunk of " + output + " per array task.\ncase \"$SLURM_ARRAY_TASK_ID\" in\n";
    for (std::size_t i = 0; i < plan.chunks.size(); ++i)
        chunkScript += std::to_string(i) + ") exec " + Quoted(request.program) + " --make " + Quoted(project) + " " +
                       Quoted(plan.files[i]) + " --range " + std::to_string(plan.chunks[i].fromMs) + " " +
                       std::to_string(plan.chunks[i].toMs) + " --quiet ;;\n";
    chunkScript += "*) echo \"no chunk $SLURM_ARRAY_TASK_ID\" >&2; exit 1 ;;\nesac\n";
    std::string joinScript = "#!/bin/sh\n# Joins the chunks into " + output + ".\nexec " + Quoted(request.program) +
                             " --join " + Quoted(output);
    for (const std::string& file : plan.files) joinScript += " " + Quoted(file);
    joinScript += " --quiet\n";
    const std::string chunkPath = folder + "/chunk.sh", joinPath = folder + "/join.sh";
    if (!WriteText(chunkPath, chunkScript, true) || !WriteText(joinPath, joinScript, true)) {
        message = "cannot write the job scripts into " + folder;
        return 1;
    }

    std::string arrayId;
    const std::string count = std::to_string(plan.chunks.size());
    if (int(plan.chunks.size()) < request.chunks)
        std::fprintf(out, "chunks: %s rather than %d, as a chunk is never shorter than one second\n", count.c_str(),
                     request.chunks);
    if (!missing.empty()) {
        std::string tasks;
        for (std::size_t i : missing) tasks += (tasks.empty() ? "" : ",") + std::to_string(i);
        arrayId = Submit(request,
                         {"--job-name=vantrel-chunks", "--array=" + tasks, "--output=" + folder + "/chunk-%a.log"},
                         chunkPath, message);
        if (arrayId.empty()) return 1;
        std::fprintf(out, "chunks: job %s, %zu of %s chunks (tasks %s)\n", arrayId.c_str(), missing.size(),
                     count.c_str(), tasks.c_str());
    } else {
        std::fprintf(out, "chunks: all %s made\n", count.c_str());
    }
    std::vector<std::string> joinOptions{"--job-name=vantrel-join", "--output=" + folder + "/join.log"};
    if (!arrayId.empty()) {
        // A failed chunk cancels the join rather than leaving it waiting.
        joinOptions.push_back("--dependency=afterok:" + arrayId);
        joinOptions.push_back("--kill-on-invalid-dep=yes");
    }
    const std::string joinId = Submit(request, joinOptions, joinPath, message);
    if (joinId.empty()) {
        WriteText(jobsFile, arrayId + "\n", false);
        return 1;
    }
    WriteText(jobsFile, arrayId + "\n" + joinId + "\n", false);
    std::fprintf(out, "join: job %s\nfolder: %s\n", joinId.c_str(), folder.c_str());
    std::fflush(out);
    if (!request.wait) return 0;

    std::string state;
    // A controller that is restarting answers nothing for a while: only
    // several looks in a row without an answer mean the job is gone.
    for (int unknown = 0;;) {
        state = JobState(joinId);
        unknown = state.empty() ? unknown + 1 : 0;
        if (!StillQueued(state) && (!state.empty() || unknown >= 5)) break;
        std::this_thread::sleep_for(std::chrono::duration<double>(request.pollSeconds));
    }
    if (state == "COMPLETED") {
        std::fprintf(out, "made: %s\n", output.c_str());
        return 0;
    }
    std::string lacking;
    for (const std::string& file : plan.files)
        if (!fs::exists(file, error)) lacking += " " + fs::path(file).filename().string();
    if (state.empty()) {
        message = "the cluster no longer knows the join job " + joinId;
        if (fs::exists(output, error) && lacking.empty()) {
            std::fprintf(out, "made: %s\n", output.c_str());
            return 0;
        }
    } else if (!lacking.empty()) {
        message = "the join job " + joinId + " ended " + state + "; chunks missing:" + lacking +
                  " (see the logs in " + folder + ", then run again with --resume)";
    } else {
        message = "the join job " + joinId + " ended " + state + " (see " + folder + "/join.log)";
    }
    return 1;
}

}  // namespace vantrel
