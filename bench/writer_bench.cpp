// What one writer at a time costs and what it buys, with tarvel-cli set run
// as a process on a generated project of 20 areas (100 points of 4096
// samples each):
//   - the time of `set` and of `analyze`, beside an older tarvel-cli given
//     with --before (one without the lock, the journal and the originals);
//   - rounds of two `set` runs racing on the project (one changing the ball
//     mass, one the drop height): every run that exits 0 must find its value
//     in every area, every refused run must say who held the folder;
//   - rounds of a `set` killed at a random moment, then the next writer:
//     every area must hold the same ball mass, the old one or the new one.
//
//   tarvel-writer-bench [--cli TARVEL_CLI] [--before OLD_TARVEL_CLI] [--runs N]
//                       [--races N] [--kills N]
//
// Compare programs built alike: a tarvel-cli built with the desktop loads Qt
// at every start (for `render`), one built without it does not.
#include "child_process.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <set>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using tarvel::bench::median;

constexpr int kAreas = 20;
// Offsets of two float fields in the area header.
constexpr off_t kBallMassOffset = 877;
constexpr off_t kDropHeightOffset = 869;

struct Child {
    pid_t pid = -1;
    int output = -1; // read end of its standard output and error
};

Child start(const std::vector<std::string>& argv) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        std::exit(1);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        dup2(pipeEnds[1], STDERR_FILENO);
        close(pipeEnds[0]);
        tarvel::bench::execArguments(argv);
    }
    close(pipeEnds[1]);
    return {pid, pipeEnds[0]};
}

// Waits for the child; its exit code (or -signal) and what it wrote.
int finish(const Child& child, std::string* output = nullptr) {
    char buffer[4096];
    std::string text;
    for (ssize_t got; (got = read(child.output, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(got));
    close(child.output);
    int status = 0;
    waitpid(child.pid, &status, 0);
    if (output)
        *output = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

double timed(const std::vector<std::string>& argv) {
    const auto begin = std::chrono::steady_clock::now();
    std::string output;
    if (finish(start(argv), &output) != 0) {
        std::fprintf(stderr, "%s failed: %s\n", argv[0].c_str(), output.c_str());
        std::exit(1);
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
}

std::vector<std::string> areaPaths(const std::string& dir) {
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        if (entry.path().extension() == ".pip")
            paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    return paths;
}

float fieldOf(const std::string& path, off_t offset) {
    float value = 0;
    const int fd = open(path.c_str(), O_RDONLY);
    if (pread(fd, &value, sizeof value, offset) != sizeof value)
        value = -1;
    close(fd);
    return value;
}

std::string makeProject(const std::string& cli, const std::string& dir) {
    timed({cli, "simulate", dir, "--areas", std::to_string(kAreas), "--rows", "10", "--columns",
           "10", "--samples", "4096", "--seed", "1"});
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        if (entry.path().extension() == ".Prj")
            return entry.path().string();
    std::exit(1);
}

std::string value(const char* format, double number) {
    char text[32];
    std::snprintf(text, sizeof text, format, number);
    return text;
}

void measureCost(const std::string& cli, const std::string& before, const std::string& work,
                 int runs) {
    std::printf("set and analyze of %d areas, median of %d runs taken in turns (each set "
                "rewrites every area)\n",
                kAreas, runs);
    std::printf("%-10s | %9s %9s | %9s\n", "", "set s", "first s", "analyze s");
    std::vector<std::string> programs = {cli};
    if (!before.empty())
        programs.insert(programs.begin(), before);
    std::vector<std::string> projects;
    std::vector<double> first;
    std::vector<std::vector<double>> sets(programs.size()), analyses(programs.size());
    for (std::size_t p = 0; p < programs.size(); ++p) {
        projects.push_back(makeProject(cli, work + "/cost-" + std::to_string(p)));
        // The first change also keeps the 20 originals.
        first.push_back(timed({programs[p], "set", projects[p], "ballMass=20.5"}));
    }
    for (int run = 0; run < runs; ++run) {
        for (std::size_t p = 0; p < programs.size(); ++p) {
            sets[p].push_back(timed(
                {programs[p], "set", projects[p], "ballMass=" + value("%.2f", 21 + run % 2)}));
            analyses[p].push_back(timed({programs[p], "analyze", projects[p]}));
        }
    }
    for (std::size_t p = 0; p < programs.size(); ++p)
        std::printf("%-10s | %9.3f %9.3f | %9.3f\n", programs[p] == cli ? "this" : "before",
                    median(sets[p]), first[p], median(analyses[p]));
    if (programs.size() == 2)
        std::printf("set costs %+.1f %% and analyze %+.1f %% against before\n",
                    100 * (median(sets[1]) / median(sets[0]) - 1),
                    100 * (median(analyses[1]) / median(analyses[0]) - 1));
    for (std::size_t p = 0; p < programs.size(); ++p)
        std::filesystem::remove_all(work + "/cost-" + std::to_string(p));
    std::printf("\n");
}

void race(const std::string& cli, const std::string& work, int rounds) {
    const std::string dir = work + "/race";
    const std::string project = makeProject(cli, dir);
    const std::vector<std::string> areas = areaPaths(dir);
    int bothDone = 0, refused = 0, refusedSilently = 0, lost = 0, runsOk = 0;
    for (int round = 0; round < rounds; ++round) {
        const std::string mass = value("%.2f", 20 + round % 50);
        const std::string height = value("%.2f", 0.2 + (round % 50) / 100.0);
        const Child first = start({cli, "set", project, "ballMass=" + mass});
        const Child second = start({cli, "set", project, "dropHeight=" + height});
        std::string outputs[2];
        const int exits[2] = {finish(first, &outputs[0]), finish(second, &outputs[1])};
        bothDone += exits[0] == 0 && exits[1] == 0;
        for (int i = 0; i < 2; ++i) {
            if (exits[i] == 0) {
                ++runsOk;
                continue;
            }
            ++refused;
            if (exits[i] != 2 || outputs[i].find("being changed by") == std::string::npos)
                ++refusedSilently;
        }
        for (const std::string& area : areas) {
            if (exits[0] == 0 && fieldOf(area, kBallMassOffset) != std::stof(mass))
                ++lost;
            if (exits[1] == 0 && fieldOf(area, kDropHeightOffset) != std::stof(height))
                ++lost;
        }
    }
    std::printf("races: %d rounds of two set runs on %d areas: %d runs exited 0 (both in %d "
                "rounds), %d refused (%d without naming the holder), %d of %d field updates "
                "lost\n\n",
                rounds, kAreas, runsOk, bothDone, refused, refusedSilently, lost, runsOk * kAreas);
    std::filesystem::remove_all(dir);
}

void killRounds(const std::string& cli, const std::string& work, int rounds) {
    const std::string dir = work + "/kill";
    const std::string project = makeProject(cli, dir);
    const std::vector<std::string> areas = areaPaths(dir);
    // How long a set takes here, to kill within it.
    const double full = timed({cli, "set", project, "ballMass=20.5"});
    std::mt19937 random(7);
    std::uniform_real_distribution<double> moment(0, full * 1.1);
    int mixed = 0, killedBeforeEnd = 0, completed = 0, stale = 0;
    for (int round = 0; round < rounds; ++round) {
        const std::string mass = value("%.2f", 30 + round % 50);
        const Child writer = start({cli, "set", project, "ballMass=" + mass});
        std::this_thread::sleep_for(std::chrono::duration<double>(moment(random)));
        ::kill(writer.pid, SIGKILL);
        killedBeforeEnd += finish(writer) == -SIGKILL;
        // The next writer completes or clears what the killed one left.
        std::string output;
        const int next = finish(
            start({cli, "set", project, "dropHeight=" + value("%.2f", 0.3 + round % 2 * 0.1)}),
            &output);
        completed += output.find("completed a change interrupted earlier") != std::string::npos;
        if (next != 0)
            std::fprintf(stderr, "round %d: the next writer failed: %s\n", round, output.c_str());
        std::set<float> masses;
        for (const std::string& area : areas)
            masses.insert(fieldOf(area, kBallMassOffset));
        mixed += masses.size() > 1;
        for (const auto& entry : std::filesystem::directory_iterator(dir))
            stale += entry.path().filename().string().find(".tarvel-save-") != std::string::npos;
    }
    std::printf("kills: %d rounds of a set of %d areas killed at a random moment within %.0f ms "
                "(%d killed before they ended), then the next writer: %d changes completed by "
                "it, %d mixed projects, %d temporaries left\n",
                rounds, kAreas, full * 1100, killedBeforeEnd, completed, mixed, stale);
    std::filesystem::remove_all(dir);
}

} // namespace

int main(int argc, char** argv) {
    std::string cli = TARVEL_CLI_PATH;
    std::string before;
    int runs = 5, races = 50, kills = 100;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--before")
            before = std::filesystem::absolute(argv[i + 1]).string();
        else if (option == "--cli")
            cli = std::filesystem::absolute(argv[i + 1]).string();
        else if (option == "--runs")
            runs = std::max(1, std::atoi(argv[i + 1]));
        else if (option == "--races")
            races = std::max(0, std::atoi(argv[i + 1]));
        else if (option == "--kills")
            kills = std::max(0, std::atoi(argv[i + 1]));
    }
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tarvel-writers-XXXXXX").string();
    const std::string work = mkdtemp(pattern.data());
    measureCost(cli, before, work, runs);
    if (races > 0)
        race(cli, work, races);
    if (kills > 0)
        killRounds(cli, work, kills);
    std::filesystem::remove_all(work);
    return 0;
}
