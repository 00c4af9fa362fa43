#pragma once
// A test that starts from nothing on the headless backend, and a scratch folder for files.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/headless/headless_backend.h"

namespace kv::test {

// Every platform state and all game and program state cleared before and after the test.
void ResetPlatformState();

class HeadlessTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    HeadlessBackend backend;
};

// A fresh folder below the system's temporary folder, removed again with the object.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string operator/(const std::string& rel) const { return (path_ / rel).string(); }
    // Creates a file (and its folders) with the given content.
    void write(const std::string& rel, const std::string& content) const;
    // Makes a folder of the generated sample data appear here (a symbolic link), for tests that
    // start the game in a folder of their own.
    void linkSampleData(const std::string& rel) const;

  private:
    std::filesystem::path path_;
};

// Runs the test body with the working directory set to a folder, and back afterwards.
class WorkingDirectory {
  public:
    explicit WorkingDirectory(const std::filesystem::path& dir);
    ~WorkingDirectory();
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

  private:
    std::filesystem::path previous_;
};

}  // namespace kv::test
