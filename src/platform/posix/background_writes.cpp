#include "platform/posix/background_writes.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>

namespace marrowpin {

namespace {

class BackgroundWrites final : public OutputFile {
 public:
  explicit BackgroundWrites(std::unique_ptr<OutputFile> file) : file_(std::move(file)) {}
  ~BackgroundWrites() override {
    if (!writer_.joinable()) return;
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      stopping_ = true;
    }
    changed_.notify_all();
    writer_.join();
  }
  BackgroundWrites(const BackgroundWrites&) = delete;
  BackgroundWrites& operator=(const BackgroundWrites&) = delete;

  bool Write(const void* data, std::size_t size) override {
    return WaitForWrite() && file_->Write(data, size);
  }
  bool WriteInBackground(const void* data, std::size_t size) override {
    if (!WaitForWrite()) return false;
    if (!writer_.joinable() && !StartWriter()) return file_->Write(data, size);
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      pending_ = data;
      pending_size_ = size;
    }
    changed_.notify_all();
    return true;
  }
  bool FinishWrites() override { return WaitForWrite() && file_->FinishWrites(); }
  bool TruncateTo(std::uint64_t size) override { return WaitForWrite() && file_->TruncateTo(size); }
  bool Commit() override { return WaitForWrite() && file_->Commit(); }
  std::string FailureReason() const override {
    WaitForWrite();
    return file_->FailureReason();
  }

 private:
  bool StartWriter() {
    try {
      writer_ = std::thread([this] { WriteWhatComes(); });
      return true;
    } catch (const std::system_error&) {
      return false;  // no thread to be had: the caller writes itself
    }
  }

  void WriteWhatComes() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (true) {
      changed_.wait(lock, [this] { return pending_ != nullptr || stopping_; });
      if (pending_ == nullptr) return;
      const void* data = pending_;
      const std::size_t size = pending_size_;
      lock.unlock();
      const bool written = file_->Write(data, size);
      lock.lock();
      ok_ = ok_ && written;
      pending_ = nullptr;
      changed_.notify_all();
    }
  }

  // Waits until no write is pending; false when one has failed.
  bool WaitForWrite() const {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return pending_ == nullptr; });
    return ok_;
  }

  std::unique_ptr<OutputFile> file_;
  std::thread writer_;
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  // The bytes the thread is to write or is writing; nullptr when none.
  const void* pending_ = nullptr;
  std::size_t pending_size_ = 0;
  bool ok_ = true;
  bool stopping_ = false;
};

}  // namespace

std::unique_ptr<OutputFile> WithBackgroundWrites(std::unique_ptr<OutputFile> file) {
  if (!file) return file;
  return std::make_unique<BackgroundWrites>(std::move(file));
}

}  // namespace marrowpin
