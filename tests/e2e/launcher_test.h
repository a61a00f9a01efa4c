#pragma once
// The common ground of the end-to-end tests: each test runs the program in a fresh
// folder of its own, and the run ends with the test.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "e2e_harness.h"

namespace lv::e2e {

// "<suite>_<test>" of the running test: the name of its folder on drive C:.
inline std::wstring TestName() {
  const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
  return Widen(std::string(info->test_suite_name()) + "_" + info->name());
}

template <typename Base = testing::Test>
class LauncherTestOf : public Base {
 protected:
  // Makes this test's folder with `menu` as its menu file (no menu file when null),
  // starts the program there and waits for its window. False, with the test failed,
  // when a step fails or the window never appears.
  bool Launch(const std::string* menu) {
    folder_ = std::make_unique<TestFolder>(TestName());
    if (!folder_->ok()) {
      ADD_FAILURE() << folder_->error();
      return false;
    }
    if (menu && !WriteBytes(folder_->MenuFile(), *menu)) {
      ADD_FAILURE() << "cannot write " << Narrow(folder_->MenuFile());
      return false;
    }
    run_ = std::make_unique<ProgramRun>(folder_->Program());
    std::string why;
    hwnd_ = run_->WaitForWindow(kWindowTimeoutMs, &why);
    if (!hwnd_) ADD_FAILURE() << why;
    return hwnd_ != nullptr;
  }

  std::unique_ptr<TestFolder> folder_;
  std::unique_ptr<ProgramRun> run_;  // ends before the folder goes
  HWND hwnd_ = nullptr;
};

using LauncherTest = LauncherTestOf<>;

}  // namespace lv::e2e
