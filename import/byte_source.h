#pragma once
// Random-access reading for the icon-resource reader: a program can be
// hundreds of megabytes, so it is read by seeking to the few headers and
// resources needed, never whole. Every read is checked against the size.
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace gs {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual std::uint64_t Size() const = 0;
  // Exactly n bytes at offset into out; false (nothing read) when they are not all there.
  bool ReadAt(std::uint64_t offset, std::size_t n, std::uint8_t* out);
  // Bytes delivered so far, for measurements and tests.
  std::uint64_t BytesRead() const { return bytesRead_; }
  int Reads() const { return reads_; }
  // Reads fail once this many bytes in all have been delivered: a hostile
  // file whose directories all point at the same large data cannot make a
  // reader work longer than a few passes over the file.
  void LimitTotalReads(std::uint64_t bytes) { budget_ = bytes; }
  std::uint64_t ReadLimit() const { return budget_; }

 protected:
  virtual bool DoRead(std::uint64_t offset, std::size_t n, std::uint8_t* out) = 0;

 private:
  std::uint64_t bytesRead_ = 0;
  std::uint64_t budget_ = UINT64_MAX;
  int reads_ = 0;
};

class MemorySource : public ByteSource {
 public:
  explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::uint64_t Size() const override { return bytes_.size(); }

 protected:
  bool DoRead(std::uint64_t offset, std::size_t n, std::uint8_t* out) override;

 private:
  std::span<const std::uint8_t> bytes_;
};

class FileSource : public ByteSource {
 public:
  // nullptr with "<path>: <reason>" for a missing, unreadable or non-regular file.
  static std::unique_ptr<FileSource> Open(const std::string& path, std::string& error);
  ~FileSource() override;
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;
  std::uint64_t Size() const override { return size_; }

 protected:
  bool DoRead(std::uint64_t offset, std::size_t n, std::uint8_t* out) override;

 private:
  FileSource(int fd, std::uint64_t size) : fd_(fd), size_(size) {}
  int fd_ = -1;
  std::uint64_t size_ = 0;
};

}  // namespace gs
