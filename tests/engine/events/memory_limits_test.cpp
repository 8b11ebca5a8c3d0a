#include "engine/events/event_budget.h"
#include "engine/events/memory_limits.h"
#include "engine/interpreter/result_codes.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sys/resource.h>
#include <unistd.h>

namespace scanbench::testing {
namespace {

namespace fs = std::filesystem;

void Put(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

TEST(EngineMemoryLimits, CgroupRoomIsTheLeastBelowAnyLimitUpTheTree) {
    const fs::path root =
        fs::temp_directory_path() / ("scanbench-cgroup-" + std::to_string(getpid()));
    fs::remove_all(root);
    // v2: the process's own group is unlimited, its parent is not.
    Put(root / "sys/fs/cgroup/user.slice/app/memory.max", "max\n");
    Put(root / "sys/fs/cgroup/user.slice/app/memory.current", "100\n");
    Put(root / "sys/fs/cgroup/user.slice/memory.max", "1000000\n");
    Put(root / "sys/fs/cgroup/user.slice/memory.current", "400000\n");
    const std::string v2Mount = "30 23 0:26 / /sys/fs/cgroup rw,nosuid - cgroup2 cgroup2 rw\n";
    const std::string v2Group = "0::/user.slice/app\n";
    EXPECT_EQ(CgroupMemoryHeadroom(v2Mount, v2Group, root), 600000U);

    // v1, mounted from inside the hierarchy as a container sees it; the
    // near-2^63 number means no limit.
    Put(root / "v1/memory/abc/memory.limit_in_bytes", "9223372036854771712\n");
    Put(root / "v1/memory/abc/memory.usage_in_bytes", "5\n");
    Put(root / "v1/memory/memory.limit_in_bytes", "5000000\n");
    Put(root / "v1/memory/memory.usage_in_bytes", "1000000\n");
    const std::string v1Mount = "35 31 0:32 /process_api /v1/memory rw - cgroup cgroup rw,memory\n";
    const std::string v1Group = "9:name=systemd:/\n4:memory:/process_api/abc\n";
    EXPECT_EQ(CgroupMemoryHeadroom(v1Mount, v1Group, root), 4000000U);

    EXPECT_EQ(CgroupMemoryHeadroom(v1Mount + v2Mount, v1Group + v2Group, root), 600000U);
    EXPECT_EQ(CgroupMemoryHeadroom(v2Mount, "0::/elsewhere\n", root), std::nullopt);
    EXPECT_EQ(CgroupMemoryHeadroom("", v2Group, root), std::nullopt);
    fs::remove_all(root);
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool Sanitized = true; // it reserves more address space than any such limit allows
#else
constexpr bool Sanitized = false;
#endif

// Runs in a child under an address-space limit 120 MB above its present size.
[[noreturn]] void RunUnderAddressSpaceLimit() {
    rlimit limit{};
    getrlimit(RLIMIT_AS, &limit);
    std::ifstream statm("/proc/self/statm");
    std::uint64_t pages = 0;
    statm >> pages;
    limit.rlim_cur = pages * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE)) + (120ULL << 20);
    setrlimit(RLIMIT_AS, &limit);

    const std::uint64_t budgetBytes =
        EventBudget::FromAvailableMemory().MaxEvents * EventStore::BytesPerEvent;
    if (budgetBytes > (60ULL << 20) || budgetBytes < (20ULL << 20)) {
        std::cerr << "budget of " << budgetBytes << " bytes ignores the limit\n";
        std::_Exit(1);
    }
    // A budget that allows far more than the limit: the allocation itself
    // fails while the events are played.
    EngineFixture f("RST;\nLD CNT,8000000h;\nNTCK;\nHALT;\n", EventBudget::ForBytes(1ULL << 40));
    f.Port.RecordsWrites = false; // the store alone fills the memory
    f.Open();
    {
        const ViewFeed::Batch quick(f.Eng.Views()); // played in runs
        (void)f.Eng.ExecuteSteps(UINT64_MAX);
    }
    const EventStore& events = f.Eng.Events();
    if (f.Reporter.Status != Status::NotEnoughMemory ||
        events.EventCount() != events.PlayedCount()) {
        std::cerr << "status " << f.Reporter.Status << ", " << events.EventCount() << " events\n";
        std::_Exit(2);
    }
    // The store is whole again: the next program runs.
    f.Open("RST;\nTMS1;\nHALT;\n");
    f.RunToEnd();
    if (f.Reporter.Status != Status::Halt) {
        std::cerr << "after the failure: " << f.Reporter.Status << "\n";
        std::_Exit(3);
    }
    std::_Exit(0);
}

TEST(EngineMemoryLimitsDeathTest, AddressSpaceLimitBoundsTheBudgetAndEndsTheRunCleanly) {
    if (Sanitized) {
        GTEST_SKIP() << "address-space limits do not work under AddressSanitizer";
    }
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(RunUnderAddressSpaceLimit(), ::testing::ExitedWithCode(0), "");
}

} // namespace
} // namespace scanbench::testing
