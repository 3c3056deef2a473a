// ReadStoreValue and WriteStoreValue on the emulated registry holding a
// hive of 10,000 keys, each with the driver's values. Target: 2 µs a call.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/emulated/emulated.h"
#include "platform/platform.h"
#include "store/registry.h"

namespace {

constexpr int kKeys = 10000;
const std::string kBase = "SOFTWARE\\PowerVR\\KYRO\\Game Settings\\D3D\\";

std::vector<std::string> KeyPaths() {
  std::vector<std::string> paths;
  paths.reserve(kKeys);
  for (int i = 0; i < kKeys; ++i)
    paths.push_back(kBase + "game" + std::to_string(i) + ".exe");
  return paths;
}

// Fills the registry through the store itself, as Apply would.
const std::vector<std::string>& Hive() {
  static const std::vector<std::string> paths = [] {
    platform::emulated::Reset();
    std::vector<std::string> p = KeyPaths();
    for (int i = 0; i < kKeys; ++i) {
      registry::WriteStoreValue("HKLM", p[i], "MIPMapThreshold", "S", i % 11);
      registry::WriteStoreValue("HKLM", p[i], "CorePLLFreq2", "S",
                                175 + i % 36);
    }
    return p;
  }();
  return paths;
}

void BM_ReadStoreValue(benchmark::State& state) {
  const std::vector<std::string>& paths = Hive();
  std::size_t i = 0;
  registry::SettingValue result;
  for (auto _ : state) {
    benchmark::DoNotOptimize(registry::ReadStoreValue(
        "HKLM", paths[i], "MIPMapThreshold", "S", "0", result));
    benchmark::DoNotOptimize(result);
    i = (i + 7919) % paths.size();  // a prime stride: no cache-friendly order
  }
}
BENCHMARK(BM_ReadStoreValue);

void BM_ReadStoreValueDword(benchmark::State& state) {
  const std::vector<std::string>& paths = Hive();
  std::size_t i = 0;
  registry::SettingValue result;
  for (auto _ : state) {
    benchmark::DoNotOptimize(registry::ReadStoreValue(
        "HKLM", paths[i], "MIPMapThreshold", "D", 0, result));
    i = (i + 7919) % paths.size();
  }
}
BENCHMARK(BM_ReadStoreValueDword);

void BM_WriteStoreValue(benchmark::State& state) {
  const std::vector<std::string>& paths = Hive();
  std::size_t i = 0;
  std::int32_t value = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(registry::WriteStoreValue(
        "HKLM", paths[i], "MIPMapThreshold", "S", value));
    value = (value + 1) % 11;
    i = (i + 7919) % paths.size();
  }
}
BENCHMARK(BM_WriteStoreValue);

void BM_DeleteAndWrite(benchmark::State& state) {
  const std::vector<std::string>& paths = Hive();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        registry::DeleteStoreValue("HKLM", paths[i], "MIPMapThreshold"));
    benchmark::DoNotOptimize(
        registry::WriteStoreValue("HKLM", paths[i], "MIPMapThreshold", "S", 3));
    i = (i + 7919) % paths.size();
  }
}
BENCHMARK(BM_DeleteAndWrite);

void BM_TextToLong(benchmark::State& state) {
  const platform::NumberFormat format;
  const char* texts[] = {"175", " 3 ", "2147483647", "1,000.5", "abc"};
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(registry::TextToLong(texts[i], format));
    i = (i + 1) % 5;
  }
}
BENCHMARK(BM_TextToLong);

}  // namespace
