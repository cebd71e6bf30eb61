// Speed of the add-in's start-up: the mail client flags add-ins that slow its
// start, so a connection with everything at its largest must stay quick.
#include <benchmark/benchmark.h>

#include "addin/Skerrow.h"
#include "bench/FullStatistics.h"
#include "host/memory/MemoryStore.h"
#include "tests/support/TestPlatform.h"

namespace skerrow {
namespace {

constexpr int kAddressEntries = 5000;

// Start-up against the in-memory store with a full dictionary on disk and an
// address book of 5,000 entries; the shutdown (which saves) is not timed.
void BM_StartUpFullDictionaryAndAddressBook(benchmark::State& state) {
  TestPlatform world;
  world.WriteFile(world.options().InstallFolder + "\\placeholder", "");
  {
    WordStatistics full = FullStatistics();
    full.LoadDictionary(world.platform(), world.options());
    full.SaveDictionary(world.platform());
  }
  std::vector<StoredAddressEntry> entries;
  for (int i = 0; i < kAddressEntries; ++i) {
    const std::u16string n = u"Contact " + std::u16string(1, u'A' + i % 26) +
                             std::u16string(1, u'a' + (i / 26) % 26) + u" " +
                             std::u16string(1, u'0' + i % 10);
    entries.push_back({n, u"contact" + std::u16string(1, u'0' + i % 10) + u"@example.org"});
  }
  for (auto _ : state) {
    state.PauseTiming();
    auto store = std::make_unique<MemoryStore>();
    store->SetClipboard(&world.clipboard());
    store->AddFolder(u"Junk E-mail");
    store->AddAddressList(u"Contacts", entries);
    auto addIn = std::make_unique<Skerrow>(world.platform(), world.options());
    state.ResumeTiming();
    addIn->OnConnection(store->GetApplication(), 0, nullptr);
    state.PauseTiming();
    benchmark::DoNotOptimize(addIn->statistics().Words().size());
    addIn->OnDisconnection(0);
    addIn.reset();
    store.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartUpFullDictionaryAndAddressBook)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace skerrow
