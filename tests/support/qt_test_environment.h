#pragma once
// An environment for windows under test: a program folder and a settings
// folder of their own in a temporary folder, and dialogs answered by
// FakeDialogs (a test that answers Qt's real dialogs itself points `dialogs`
// at RealDialogs()).
//
//   test::TestEnvironment env;
//   env.fake.openAnswers.push_back(path);
//   frmMain w(env);
#include "platform/environment.h"
#include "tests/support/qt_fake_dialogs.h"
#include "tests/support/test_support.h"

namespace gs::test {

struct TestEnvironment : Environment {
  TempDir dir;
  FakeDialogs fake;
  TestEnvironment() {
    programFolder = dir.file("prog");
    settingsFolder = dir.file("settings");
    userDataFolder = dir.file("data");
    dialogs = &fake;
  }
  // Dialogs answered by `seam` instead.
  explicit TestEnvironment(DialogSeam* seam) : TestEnvironment() { dialogs = seam; }
  TestEnvironment(const TestEnvironment&) = delete;
  TestEnvironment& operator=(const TestEnvironment&) = delete;
};

}  // namespace gs::test
