// The store under memory exhaustion: from the n-th allocation on, every
// allocation fails, for every n that the call reaches. Whatever the point,
// no exception leaves the store, the result holds the default or the whole
// value read, and the registry holds the old value or the whole new one.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "store/registry.h"
#include "tests/support/registry_fixture.h"

#ifndef _WIN32
#include "platform/emulated/emulated.h"
#endif

namespace {

// Allocations left before they start failing; negative: none fail.
long allocationsLeft = -1;
bool allocationFailed = false;

void* Allocate(std::size_t size) {
  if (allocationsLeft == 0) {
    allocationFailed = true;
    throw std::bad_alloc();
  }
  if (allocationsLeft > 0) --allocationsLeft;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

using registry::SettingValue;

constexpr platform::Key kHkcu = platform::kHkeyCurrentUser;
const std::string kScratch = "Software\\MovarinTests\\StoreAlloc";
const std::string kName = "CorePLLFreq2";
constexpr int kMaxFailurePoints = 10000;

// Runs call with allocations failing from the n-th on, for n = 0, 1, ...
// until a run completes without a failure; check sees each outcome.
template <typename Prepare, typename Call, typename Check>
void AtEveryFailurePoint(Prepare prepare, Call call, Check check) {
  for (int n = 0; n < kMaxFailurePoints; ++n) {
    prepare();
    allocationFailed = false;
    allocationsLeft = n;
    std::int32_t status = -1;
    bool threw = false;
    try {
      status = call();
    } catch (...) {
      threw = true;
    }
    allocationsLeft = -1;
    const bool failed = allocationFailed;
    ASSERT_FALSE(threw) << "an exception left the store at allocation " << n;
    check(status, n);
    if (!failed) return;
  }
  FAIL() << "the call never completed";
}

void Prepare() {
#ifndef _WIN32
  platform::emulated::Reset();
#endif
  fixture::DeleteTree(kHkcu, kScratch);
  ASSERT_TRUE(fixture::SeedString(kHkcu, kScratch, kName, "175"));
}

TEST(StoreUnderMemoryExhaustion, ReadDeliversTheWholeValueOrKeepsTheDefault) {
  for (const char* kind : {"S", "D"}) {
    SCOPED_TRACE(kind);
    SettingValue result;
    const SettingValue whole =
        std::string(kind) == "S" ? SettingValue("175") : SettingValue(0x353731);
    AtEveryFailurePoint(
        Prepare,
        [&] {
          result = SettingValue("untouched");
          return registry::ReadStoreValue("HKCU", kScratch, kName, kind,
                                          "default", result);
        },
        [&](std::int32_t status, int n) {
          // 234: the size query answered, the buffer for the data failed.
          EXPECT_TRUE(status == 0 || status == 99 || status == 234)
              << status << " at " << n;
          EXPECT_TRUE(result == SettingValue("default") || result == whole)
              << "at " << n;
          if (!allocationFailed) {
            EXPECT_EQ(status, 0);
            EXPECT_TRUE(result == whole);
          }
        });
  }
  fixture::DeleteTree(kHkcu, kScratch);
}

TEST(StoreUnderMemoryExhaustion, WriteStoresTheWholeValueOrNothing) {
  const std::string text(100, 'w');
  SettingValue value;  // built outside the call: the argument is the caller's
  AtEveryFailurePoint(
      [&] {
        Prepare();
        value = SettingValue(text);
      },
      [&] {
        return registry::WriteStoreValue("HKCU", kScratch, kName, "S",
                                         std::move(value));
      },
      [&](std::int32_t status, int n) {
        EXPECT_TRUE(status == 0 || status == 99) << status << " at " << n;
        const std::optional<fixture::RawValue> raw =
            fixture::ReadRaw(kHkcu, kScratch, kName);
        ASSERT_TRUE(raw.has_value());
        EXPECT_TRUE(raw->data == fixture::SzBytes("175") ||
                    raw->data == fixture::SzBytes(text))
            << "at " << n;
      });
  fixture::DeleteTree(kHkcu, kScratch);
}

TEST(StoreUnderMemoryExhaustion, DeleteRemovesTheValueOrLeavesIt) {
  AtEveryFailurePoint(
      Prepare,
      [&] { return registry::DeleteStoreValue("HKCU", kScratch, kName); },
      [&](std::int32_t status, int n) {
        EXPECT_TRUE(status == 0 || status == 99) << status << " at " << n;
        const std::optional<fixture::RawValue> raw =
            fixture::ReadRaw(kHkcu, kScratch, kName);
        if (status == 0 && !allocationFailed) {
          EXPECT_FALSE(raw.has_value());
        }
      });
  fixture::DeleteTree(kHkcu, kScratch);
}

TEST(StoreUnderMemoryExhaustion, ResolveFallsBackToUnresolved) {
  AtEveryFailurePoint(
      [] {},
      [] {
        return static_cast<std::int32_t>(registry::ResolveStoreRoot("hklm"));
      },
      [](std::int32_t root, int n) {
        EXPECT_TRUE(root == 0 || root == static_cast<std::int32_t>(0x80000002u))
            << "at " << n;
      });
}

}  // namespace
