// Times the inventory refresh against the floor, the bare registry reads of the same keys,
// for growing numbers of uninstall entries, in one run. Run it through bench/run, which
// gives it a Wine prefix of its own. On the same entries it also times the command line as
// whole processes: remvana.exe --list against Wine's own uninstaller --list, taking turns,
// and remvana.exe --json against the floor.
//
// To time another stage, add a Measure to measuresFor(): each is timed in turns with the
// floor and reported as a ratio to it.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench/bench_registry.h"
#include "bench/cli_bench.h"
#include "bench/list_fill_bench.h"
#include "inventory/refresh.h"
#include "platform/win32/locale_win32.h"
#include "platform/win32/registry_win32.h"

namespace remvana::bench {
namespace {

constexpr double kTargetRatio = 1.5;
// remvana.exe --list against Wine's uninstaller --list, both whole processes.
constexpr double kListTargetRatio = 1.1;

struct Measure {
    std::string name;
    std::function<void()> run;
    bool heldToTarget = false;
};

struct Services {
    Win32RegistryFactory registry;
    Win32Locale locale;
    InventoryArray inventory;
    ListFillBench listFill{registry, locale, inventory};
};

std::vector<Measure> measuresFor(Services& s) {
    return {
        {"refresh", [&s] { rebuildInventory(s.registry, s.locale, s.inventory); }, true},
        {"refresh+fill, no icons", [&s] { s.listFill.refreshAndFill(false); }},
        {"refresh+fill, icons", [&s] { s.listFill.refreshAndFill(true); }},
        // Process start, scan and writing every value, as an inventory tool would run it.
        {"--json, whole process", [] { processMilliseconds(remvanaCommand("--json")); }},
    };
}

double milliseconds(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

double median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

// The two listings take turns, as whole processes, on the same entries.
bool compareListings(std::size_t count) {
    const std::string uninstaller = wineUninstallerCommand("--list");
    if (uninstaller.empty()) {
        std::printf("%6s no uninstaller.exe here: --list not compared\n", "");
        return true;
    }
    const std::string remvana = remvanaCommand("--list");
    const int rounds = count <= 2000 ? 11 : 7;
    std::vector<double> ours, theirs;
    for (int round = -1; round < rounds; ++round) {
        const double a = processMilliseconds(remvana);
        const double b = processMilliseconds(uninstaller);
        if (a < 0 || b < 0) {
            std::printf("%6s --list did not run (remvana %s, uninstaller %s)\n", "",
                        a < 0 ? "failed" : "ok", b < 0 ? "failed" : "ok");
            return false;
        }
        if (round >= 0) {
            ours.push_back(a);
            theirs.push_back(b);
        }
    }
    const double ratio = median(ours) / median(theirs);
    std::printf("%6s %-24s %8.1f ms  %5.2fx uninstaller --list (%.1f ms)%s\n", "",
                "--list, whole process", median(ours), ratio, median(theirs),
                ratio > kListTargetRatio ? "  OVER TARGET" : "");
    return ratio <= kListTargetRatio;
}

// The floor and each measure take turns, so drift in the machine's load hits all alike.
bool benchmark(std::size_t count, Services& services) {
    seedEntries(count);
    const std::vector<Measure> measures = measuresFor(services);
    const int rounds = count <= 2000 ? 9 : 5;
    std::size_t values = 0;
    std::vector<double> floor;
    std::vector<std::vector<double>> times(measures.size());
    for (int round = -1; round < rounds; ++round) { // round -1 warms the caches up
        const double f = milliseconds([&] { values = readFloor(); });
        if (round >= 0) floor.push_back(f);
        for (std::size_t m = 0; m < measures.size(); ++m) {
            const double t = milliseconds(measures[m].run);
            if (round >= 0) times[m].push_back(t);
        }
    }
    if (services.inventory.size() < count) {
        std::printf("refresh saw %zu entries, expected at least %zu\n", services.inventory.size(),
                    count);
        return false;
    }
    const double floorMs = median(floor);
    std::printf("%6zu entries (%zu values)  floor %8.1f ms\n", count, values, floorMs);
    bool met = true;
    for (std::size_t m = 0; m < measures.size(); ++m) {
        const double ms = median(times[m]);
        const double ratio = ms / floorMs;
        std::printf("%6s %-24s %8.1f ms  %5.2fx floor%s\n", "", measures[m].name.c_str(), ms, ratio,
                    measures[m].heldToTarget && ratio > kTargetRatio ? "  OVER TARGET" : "");
        if (measures[m].heldToTarget && ratio > kTargetRatio) met = false;
    }
    return compareListings(count) && met;
}

} // namespace
} // namespace remvana::bench

// Arguments: entry counts (default 300 2000 10000); --keep leaves the entries in place.
int main(int argc, char** argv) {
    using namespace remvana::bench;
    std::vector<std::size_t> counts;
    bool keep = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--keep")
            keep = true;
        else
            counts.push_back(std::strtoul(arg.c_str(), nullptr, 10));
    }
    if (counts.empty()) counts = {300, 2000, 10000};
    std::sort(counts.begin(), counts.end());

    Services services;
    removeEntries();
    bool met = true;
    for (std::size_t count : counts)
        met = benchmark(count, services) && met;
    if (!keep) removeEntries();
    std::printf("target: every held measure within %.1fx of the floor, --list within %.1fx of "
                "uninstaller --list: %s\n",
                kTargetRatio, kListTargetRatio, met ? "met" : "MISSED");
    return met ? 0 : 1;
}
