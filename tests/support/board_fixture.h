#pragma once
// A score board served on 127.0.0.1 at a free port for one test, with its
// database in a fresh folder. It records what each request carried.

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "board_server.h"
#include "support/temp_dir.h"

namespace sb::test {

struct ReceivedRequest {
  std::string path;
  std::string authorization;
  std::string contentType;
  std::string body;
};

class RunningBoard {
 public:
  explicit RunningBoard(board::BoardOptions options = {}) {
    options.db = dir_.path() / "board.db";
    options.observer = [this](const httplib::Request& r) {
      std::lock_guard lock(mutex_);
      received_.push_back({r.path, r.get_header_value("Authorization"), r.get_header_value("Content-Type"), r.body});
    };
    server_ = std::make_unique<board::BoardServer>(std::move(options));
    port_ = server_->Bind("127.0.0.1", 0);
    EXPECT_GT(port_, 0);
    thread_ = std::thread([this] { server_->Run(); });
    while (!server_->Running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ~RunningBoard() {
    server_->Stop();
    thread_.join();
  }

  int Port() const { return port_; }
  std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_); }
  board::BoardStore& Store() { return server_->Store(); }
  const std::filesystem::path& Dir() const { return dir_.path(); }
  std::vector<ReceivedRequest> Received() {
    std::lock_guard lock(mutex_);
    return received_;
  }

 private:
  TempDir dir_;
  std::unique_ptr<board::BoardServer> server_;
  int port_ = -1;
  std::thread thread_;
  std::mutex mutex_;
  std::vector<ReceivedRequest> received_;
};

}  // namespace sb::test
