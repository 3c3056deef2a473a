// The store under memory exhaustion: from the n-th allocation on, every
// allocation fails, for every n that the call reaches. Whatever the point,
// no exception leaves the store, the result holds the default or the whole
// value read, and the registry holds the old value or the whole new one.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <new>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "store/registry.h"
#include "tests/support/registry_fixture.h"

#ifdef _WIN32
#include <malloc.h>
#else
#include "platform/emulated/emulated.h"
#endif

namespace {

// Allocations left before they start failing; negative: none fail.
long allocationsLeft = -1;
bool allocationFailed = false;

// Alignment 0: the default one. Aligned blocks have their own release on
// Windows.
void* Allocate(std::size_t size, std::size_t alignment = 0) {
  if (allocationsLeft == 0) {
    allocationFailed = true;
    throw std::bad_alloc();
  }
  if (allocationsLeft > 0) --allocationsLeft;
  if (size == 0) size = 1;
  void* p = nullptr;
  if (alignment == 0) {
    p = std::malloc(size);
  } else {
#ifdef _WIN32
    p = _aligned_malloc(size, alignment);
#else
    p = std::aligned_alloc(alignment, (size + alignment - 1) / alignment *
                                          alignment);
#endif
  }
  if (p == nullptr) throw std::bad_alloc();
  return p;
}

void* AllocateOrNull(std::size_t size, std::size_t alignment = 0) noexcept {
  try {
    return Allocate(size, alignment);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

void Release(void* p) noexcept { std::free(p); }

void ReleaseAligned(void* p) noexcept {
#ifdef _WIN32
  _aligned_free(p);
#else
  std::free(p);
#endif
}

constexpr std::size_t Bytes(std::align_val_t alignment) {
  return static_cast<std::size_t>(alignment);
}

}  // namespace

// Every form the process can reach, so that whatever allocates (the store,
// the standard library, GoogleTest) pairs a replaced new with a replaced
// delete.
using std::align_val_t;
using std::nothrow_t;
using std::size_t;
void* operator new(size_t n) { return Allocate(n); }
void* operator new[](size_t n) { return Allocate(n); }
void* operator new(size_t n, const nothrow_t&) noexcept {
  return AllocateOrNull(n);
}
void* operator new[](size_t n, const nothrow_t&) noexcept {
  return AllocateOrNull(n);
}
void* operator new(size_t n, align_val_t a) { return Allocate(n, Bytes(a)); }
void* operator new[](size_t n, align_val_t a) { return Allocate(n, Bytes(a)); }
void* operator new(size_t n, align_val_t a, const nothrow_t&) noexcept {
  return AllocateOrNull(n, Bytes(a));
}
void* operator new[](size_t n, align_val_t a, const nothrow_t&) noexcept {
  return AllocateOrNull(n, Bytes(a));
}
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, size_t) noexcept { Release(p); }
void operator delete[](void* p, size_t) noexcept { Release(p); }
void operator delete(void* p, const nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, const nothrow_t&) noexcept { Release(p); }
void operator delete(void* p, align_val_t) noexcept { ReleaseAligned(p); }
void operator delete[](void* p, align_val_t) noexcept { ReleaseAligned(p); }
void operator delete(void* p, size_t, align_val_t) noexcept {
  ReleaseAligned(p);
}
void operator delete[](void* p, size_t, align_val_t) noexcept {
  ReleaseAligned(p);
}
void operator delete(void* p, align_val_t, const nothrow_t&) noexcept {
  ReleaseAligned(p);
}
void operator delete[](void* p, align_val_t, const nothrow_t&) noexcept {
  ReleaseAligned(p);
}

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
