// The event log under notifications from several threads at once, as when tests set parameters
// from several threads and the plug-in reports each change.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "tools/host/HostCallback.h"
#include "tools/host/HostContext.h"

namespace {

using host::HostEvent;

TEST(HostEventLog, RecordsFromSeveralThreadsAtOnce) {
  host::HostContext context({}, "/plugins");
  vst2::AEffect effect{};
  context.attach(effect);
  constexpr int kThreads = 4, kCalls = 2000;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&effect, t] {
      for (int i = 0; i < kCalls; ++i) {
        host::hostCallback(&effect, vst2::audioMasterAutomate, t, 0, nullptr, 0.5f);
      }
    });
  }
  // Readers run while the writers do.
  for (int i = 0; i < 100; ++i) (void)context.events().count(HostEvent::Kind::Automate);
  for (std::thread& thread : threads) thread.join();
  std::vector<HostEvent> events = context.events().events();
  ASSERT_EQ(events.size(), static_cast<std::size_t>(kThreads * kCalls));
  std::vector<int> perThread(kThreads, 0);
  for (const HostEvent& event : events) ++perThread.at(static_cast<std::size_t>(event.index));
  for (int count : perThread) EXPECT_EQ(count, kCalls);
}

}  // namespace
