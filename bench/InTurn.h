// Ours against a peer tool on a shared machine, whose load changes from
// second to second: the two run in turn, round by round, and the medians are
// compared, so a change of load falls on both.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace bench {

// Seconds a call takes.
inline double Seconds(const std::function<void()>& work) {
    const auto t0 = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// Runs a shell command; says so on stderr when it fails.
inline bool Shell(const std::string& command) {
    if (std::system(command.c_str()) == 0) return true;
    std::fprintf(stderr, "failed: %s\n", command.c_str());
    return false;
}

struct InTurnResult {
    double ours = 0, peer = 0;  // medians, seconds
    double Ratio() const { return peer > 0 ? ours / peer : 0; }
};

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

inline InTurnResult InTurn(int rounds, const std::function<void()>& ours, const std::function<void()>& peer) {
    std::vector<double> o, p;
    for (int i = 0; i < rounds; ++i) {
        o.push_back(Seconds(ours));
        p.push_back(Seconds(peer));
    }
    return {Median(o), Median(p)};
}

// "<what>, median of N rounds in turn: ours X ms, <peer> Y ms, ratio R (goal G)";
// the goal is a limit on the ratio, or none.
inline void PrintInTurn(const std::string& what, const std::string& peer, int rounds, const InTurnResult& r,
                        double goal = 0, const std::string& goalNote = {}) {
    std::printf("%s, median of %d rounds in turn: ours %.1f ms, %s %.1f ms, ratio ours/%s %.2f", what.c_str(),
                rounds, r.ours * 1e3, peer.c_str(), r.peer * 1e3, peer.c_str(), r.Ratio());
    if (goal > 0)
        std::printf(" (goal <= %.2f%s: %s)", goal, goalNote.c_str(), r.Ratio() <= goal ? "met" : "NOT MET");
    std::printf("\n");
    std::fflush(stdout);
}

}  // namespace bench
