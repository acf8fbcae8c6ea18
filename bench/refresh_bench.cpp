// Times the inventory refresh and the list fill against the floor, the bare registry reads
// of the same keys, for growing numbers of uninstall entries, in one run; the working set
// over repeated refreshes; and the whole program, start to filled list, against Wine's own
// Add/Remove Programs. On the same entries it also times the command line as whole
// processes: remvana.exe --list against Wine's own uninstaller --list, taking turns, and
// remvana.exe --json against the floor. Run it through bench/run, which gives it a Wine
// prefix of its own.
//
//   remvana_bench [counts...]        refresh and fill (default 300 2000 10000)
//   remvana_bench --working-set N    working set after 1 and after 10 refreshes of N entries
//   remvana_bench --start N          start to filled list, Remvana and appwiz.cpl
//   remvana_bench --incremental N    the update after one of N entries changed, against
//                                    a full refresh (may be given more than once)
//   remvana_bench --keys N           start to the first accepted key and the longest key
//                                    over the start, Remvana and appwiz.cpl; then, in
//                                    Remvana, over another program's change and over F5
//   remvana_bench --requests N       each read of N entries once, between marks, for
//                                    bench/requests to count its Wine server requests
//   --keep                           leave the synthetic entries in the prefix
//   --remove                         only remove the synthetic entries
//
// To time another stage, add a Measure to measuresFor(): each is timed in turns with the
// floor and reported as a ratio to it.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/bench_registry.h"
#include "bench/cli_bench.h"
#include "bench/list_fill_bench.h"
#include "bench/start_probe.h"
#include "inventory/listing.h"
#include "inventory/refresh.h"
#include "inventory/store_changes.h"
#include "platform/win32/locale_win32.h"
#include "platform/win32/registry_win32.h"

namespace remvana::bench {
namespace {

// remvana.exe --list against Wine's uninstaller --list, both whole processes.
constexpr double kListTargetRatio = 1.1;
constexpr std::size_t kHeldFrom = 2000; // smaller lists are timed, not held to a target
constexpr double kWorkingSetGrowth = 1.10;
// The update after one entry changed, against a full refresh of the same entries.
constexpr double kIncrementalTargetRatio = 0.1;

struct Measure {
    std::string name;
    std::function<void()> run;
    double target = 0; // ratio to the floor it is held to; 0: not held
    std::function<void()> prepare = [] {};
};

struct Services {
    Win32RegistryFactory registry;
    Win32Locale locale;
    InventoryArray inventory;
    ProgramInventory twoSteps;
    ListFillBench listFill{registry, locale};
};

std::vector<Measure> measuresFor(Services& s, std::size_t count) {
    std::vector<Measure> measures{
        {"refresh", [&s] { rebuildInventory(s.registry, s.locale, s.inventory); }, 1.5},
        // The start's and the Refresh button's read: what the list shows, then the rest.
        {"refresh, list first then the rest",
         [&s] {
             s.twoSteps.rebuild(s.registry, s.locale, ScanDepth::ListFirst);
             s.twoSteps.completeAll();
         },
         1.5},
        {"refresh+fill, no icons", [&s] { s.listFill.refreshAndFill(false); }},
        // Process start, scan and writing every value, as an inventory tool would run it.
        // A child that did not run would be timed as if it had: the run stops there instead.
        {"--json, whole process",
         [] {
             if (processMilliseconds(remvanaCommand("--json")) < 0)
                 throw std::runtime_error("remvana --json did not run");
         }},
    };
    for (IconStrings kind :
         {IconStrings::MissingFiles, IconStrings::SharedFile, IconStrings::DistinctFiles})
        measures.push_back({std::string("refresh+fill, icons, ") + iconStringsName(kind),
                            [&s] { s.listFill.refreshAndFill(true); }, 1.3,
                            [count, kind] { setIconStrings(count, kind); }});
    return measures;
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

const char* verdict(bool met) {
    return met ? "" : "  OVER TARGET";
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
    const bool met = ratio <= kListTargetRatio;
    std::printf("%6s %-24s %8.1f ms  %5.2fx uninstaller --list (%.1f ms)%s\n", "",
                "--list, whole process", median(ours), ratio, median(theirs), verdict(met));
    return met;
}

// The floor and each measure take turns, so drift in the machine's load hits all alike.
bool benchmark(std::size_t count, Services& services) {
    seedEntries(count);
    const std::vector<Measure> measures = measuresFor(services, count);
    const int rounds = count <= 2000 ? 9 : 5;
    std::size_t values = 0;
    std::vector<double> floor;
    std::vector<std::vector<double>> times(measures.size());
    for (int round = -1; round < rounds; ++round) { // round -1 warms the caches up
        const double f = milliseconds([&] { values = readFloor(); });
        if (round >= 0) floor.push_back(f);
        for (std::size_t m = 0; m < measures.size(); ++m) {
            measures[m].prepare();
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
        const bool held = measures[m].target > 0 && count >= kHeldFrom;
        const bool within = !held || ratio <= measures[m].target;
        const auto [low, high] = std::minmax_element(times[m].begin(), times[m].end());
        std::printf("%6s %-40s %8.1f ms  %5.2fx floor  (%.0f .. %.0f ms)%s\n", "",
                    measures[m].name.c_str(), ms, ratio, *low, *high, verdict(within));
        met = met && within;
    }
    return compareListings(count) && met;
}

std::size_t workingSetBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.WorkingSetSize;
}

// Ten refreshes of the same entries, each drawing its rows' icons from files of their own:
// nothing may pile up from one refresh to the next.
bool workingSet(std::size_t count, Services& services) {
    seedEntries(count);
    setIconStrings(count, IconStrings::DistinctFiles);
    services.listFill.refreshAndFill(true);
    const std::size_t first = workingSetBytes();
    for (int i = 2; i <= 10; ++i)
        services.listFill.refreshAndFill(true);
    const std::size_t tenth = workingSetBytes();
    const double growth = static_cast<double>(tenth) / static_cast<double>(first);
    const bool met = growth <= kWorkingSetGrowth;
    std::printf("%6zu entries  working set after 1 refresh %.1f MB, after 10 %.1f MB: %.3fx%s\n",
                count, first / 1048576.0, tenth / 1048576.0, growth, verdict(met));
    return met;
}

// The entries the whole programs are started on (icons pointing at missing files, as after
// partial uninstalls); the rows their lists are to show.
std::size_t seedForTheStart(std::size_t count, Services& services) {
    seedEntries(count);
    setIconStrings(count, IconStrings::MissingFiles);
    rebuildInventory(services.registry, services.locale, services.inventory);
    return static_cast<std::size_t>(
        std::count_if(services.inventory.begin(), services.inventory.end(), isListed));
}

std::vector<std::pair<const char*, std::string>> startedPrograms() {
    return {{"Remvana", remvanaCommand("")}, {"Add/Remove Programs", "control.exe appwiz.cpl"}};
}

// Remvana and Wine's Add/Remove Programs in turns on the same entries, the first turn of
// each to warm up.
bool startToFilled(std::size_t count, Services& services) {
    const std::size_t rows = seedForTheStart(count, services);
    const std::vector<std::pair<const char*, std::string>> programs = startedPrograms();
    // Add/Remove Programs takes half a minute and more for 10,000 entries: one turn each
    // there, after the 300-entry stage has warmed everything up.
    const bool large = count > 2000;
    const int rounds = large ? 1 : 5;
    std::vector<std::vector<double>> times(programs.size());
    for (int round = large ? 0 : -1; round < rounds; ++round) {
        for (std::size_t p = 0; p < programs.size(); ++p) {
            const std::optional<double> ms = startToFilledList(programs[p].second, rows, 600000.0);
            if (!ms) {
                std::printf("%s never showed %zu rows\n", programs[p].first, rows);
                return false;
            }
            if (round >= 0) times[p].push_back(*ms);
        }
    }
    const double ours = median(times[0]);
    const double theirs = median(times[1]);
    const bool met = ours < theirs;
    std::printf("%6zu entries  start to filled list: Remvana %8.1f ms, Add/Remove Programs "
                "%8.1f ms: %.2fx%s\n",
                count, ours, theirs, ours / theirs, verdict(met));
    return met;
}

// A full refresh and the update after one entry in the middle changed take turns; each
// update must find exactly that one entry changed. The update is timed in its two parts: the
// stores' key names and write times, which the window has read on the store watch's thread,
// and what the window itself then does, which must keep no key waiting.
bool incrementalRefresh(std::size_t count, Services& services) {
    constexpr double kLongestOnTheWindowMs = 100;
    seedEntries(count);
    ProgramInventory followed;
    followed.rebuild(services.registry, services.locale);
    const int rounds = count <= 2000 ? 9 : 5;
    std::vector<double> full, incremental, applied;
    for (int round = -1; round < rounds; ++round) {
        const double f = milliseconds([&] {
            ProgramInventory fresh;
            fresh.rebuild(services.registry, services.locale);
        });
        touchEntry(count / 2, "2." + std::to_string(round + 2));
        InventoryChanges changes;
        std::optional<StoresNow> stores;
        const double r = milliseconds([&] { stores = readStoresNow(services.registry); });
        const double a = milliseconds([&] {
            followed.update(std::move(*stores), services.registry, services.locale, {}, changes);
        });
        if (changes.changed.size() != 1 || !changes.added.empty() || !changes.removed.empty()) {
            std::printf("%6zu entries: the update saw %zu changed, %zu new, %zu gone, not one "
                        "changed\n",
                        count, changes.changed.size(), changes.added.size(),
                        changes.removed.size());
            return false;
        }
        if (round >= 0) {
            full.push_back(f);
            incremental.push_back(r + a);
            applied.push_back(a);
        }
    }
    const double ratio = median(incremental) / median(full);
    const bool met = ratio <= kIncrementalTargetRatio;
    const bool quick = median(applied) <= kLongestOnTheWindowMs;
    std::printf("%6zu entries  update after one changed %8.1f ms, full refresh %8.1f ms: "
                "%.3fx%s\n",
                count, median(incremental), median(full), ratio, verdict(met));
    std::printf("%6s of it on the window's thread %8.1f ms (the rest on the watch's)%s\n", "",
                median(applied), verdict(quick));
    return met && quick;
}

// Keys over the start, Remvana and Wine's Add/Remove Programs on the same entries, one turn
// each (after a warm-up one on the smaller lists): Remvana is to act on keys sooner and
// never to keep one waiting longer than kLongestKeyMs.
bool keysOverTheStart(std::size_t count, Services& services) {
    constexpr double kLongestKeyMs = 100;
    const std::size_t rows = seedForTheStart(count, services);
    const std::vector<std::pair<const char*, std::string>> programs = startedPrograms();
    std::vector<KeysOverStart> seen(programs.size());
    for (int round = count > 2000 ? 0 : -1; round < 1; ++round) {
        for (std::size_t p = 0; p < programs.size(); ++p) {
            // Remvana follows the stores: one more entry, written once it takes keys.
            const auto oneMore = [count] { seedEntries(count + 1); };
            const std::optional<KeysOverStart> keys = keysOverStart(
                programs[p].second, rows, 600000.0,
                p == 0 ? std::function<void()>(oneMore) : std::function<void()>(), p == 0);
            removeEntries(count);
            if (!keys) {
                std::printf("%s never took keys over %zu rows\n", programs[p].first, rows);
                return false;
            }
            seen[p] = *keys;
        }
    }
    for (std::size_t p = 0; p < programs.size(); ++p)
        std::printf("%6zu entries  %-20s filled %8.1f ms, first accepted key %8.1f ms, "
                    "longest key %6.1f ms of %zu\n",
                    count, programs[p].first, seen[p].filledMs, seen[p].firstAcceptedMs,
                    seen[p].longestKeyMs, seen[p].keys);
    std::printf(
        "%6zu entries  Remvana, sorted by Size, another program adds an entry: shown after %.1f "
        "ms, "
        "longest key meanwhile %.1f ms%s\n",
        count, seen[0].changeShownMs, seen[0].longestKeyOverChangeMs,
        verdict(seen[0].changeShownMs > 0 && seen[0].longestKeyOverChangeMs <= kLongestKeyMs));
    std::printf(
        "%6zu entries  Remvana, F5: new list shown after %.1f ms, longest key meanwhile "
        "%.1f ms%s\n",
        count, seen[0].refreshShownMs, seen[0].longestKeyOverRefreshMs,
        verdict(seen[0].refreshShownMs > 0 && seen[0].longestKeyOverRefreshMs <= kLongestKeyMs));
    const bool sooner = seen[0].firstAcceptedMs < seen[1].firstAcceptedMs;
    const bool quick = seen[0].longestKeyMs <= kLongestKeyMs && seen[0].changeShownMs > 0 &&
                       seen[0].longestKeyOverChangeMs <= kLongestKeyMs &&
                       seen[0].refreshShownMs > 0 &&
                       seen[0].longestKeyOverRefreshMs <= kLongestKeyMs;
    std::printf("%6s first accepted key %.2fx Add/Remove Programs%s; longest key %.2fx "
                "Add/Remove Programs%s\n",
                "", seen[0].firstAcceptedMs / seen[1].firstAcceptedMs, verdict(sooner),
                seen[0].longestKeyMs / seen[1].longestKeyMs, verdict(quick));
    return sooner && quick;
}

// A failing open of a key named after the read that follows: a mark in a server trace that
// the reads themselves never make.
void mark(const std::string& what) {
    HKEY key = nullptr;
    const std::string name = "remvana-bench-mark " + what;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, name.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS)
        RegCloseKey(key);
}

// Each read once, after one full read to warm up; bench/requests counts between the marks.
bool markedReads(std::size_t count, Services& s) {
    seedEntries(count);
    rebuildInventory(s.registry, s.locale, s.inventory);
    mark("floor");
    const std::size_t values = readFloor();
    mark("refresh");
    rebuildInventory(s.registry, s.locale, s.inventory);
    mark("list first");
    s.twoSteps.rebuild(s.registry, s.locale, ScanDepth::ListFirst);
    mark("the rest");
    s.twoSteps.completeAll();
    mark("end");
    std::printf("%6zu entries (%zu values) read between marks\n", count, values);
    return s.inventory.size() >= count && s.twoSteps.size() == s.inventory.size();
}

} // namespace
} // namespace remvana::bench

int main(int argc, char** argv) {
    using namespace remvana::bench;
    std::vector<std::size_t> counts;
    std::optional<std::size_t> workingSetCount, startCount, keysCount, requestsCount;
    std::vector<std::size_t> incrementalCounts;
    bool keep = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto number = [&] { return i + 1 < argc ? std::strtoul(argv[++i], nullptr, 10) : 0ul; };
        if (arg == "--keep")
            keep = true;
        else if (arg == "--remove")
            return removeEntries(), 0;
        else if (arg == "--working-set")
            workingSetCount = number();
        else if (arg == "--start")
            startCount = number();
        else if (arg == "--incremental")
            incrementalCounts.push_back(number());
        else if (arg == "--keys")
            keysCount = number();
        else if (arg == "--requests")
            requestsCount = number();
        else
            counts.push_back(std::strtoul(arg.c_str(), nullptr, 10));
    }
    if (counts.empty() && !workingSetCount && !startCount && !keysCount && !requestsCount &&
        incrementalCounts.empty())
        counts = {300, 2000, 10000};
    std::sort(counts.begin(), counts.end());
    std::sort(incrementalCounts.begin(), incrementalCounts.end());

    Services services;
    // Entries from an earlier run are reused where they fit; extra ones would be counted.
    std::size_t smallest = counts.empty() ? 0 : counts.front();
    if (workingSetCount) smallest = *workingSetCount;
    if (startCount) smallest = *startCount;
    if (!incrementalCounts.empty()) smallest = incrementalCounts.front();
    if (keysCount) smallest = *keysCount;
    if (requestsCount) smallest = *requestsCount;
    removeEntries(smallest);
    bool met = true;
    for (std::size_t count : counts)
        met = benchmark(count, services) && met;
    if (workingSetCount) met = workingSet(*workingSetCount, services) && met;
    if (startCount) met = startToFilled(*startCount, services) && met;
    for (std::size_t count : incrementalCounts)
        met = incrementalRefresh(count, services) && met;
    if (keysCount) met = keysOverTheStart(*keysCount, services) && met;
    if (requestsCount) met = markedReads(*requestsCount, services) && met;
    if (!keep) removeEntries();
    std::printf("targets: %s\n", met ? "met" : "MISSED");
    return met ? 0 : 1;
}
