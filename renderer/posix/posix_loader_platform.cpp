#include "posix_loader_platform.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "snapshot_path.h"

namespace {

struct MmapFile final : MappedFile {
  MmapFile(void* address, size_t length) {
    data = static_cast<const uint8_t*>(address);
    size = length;
  }
  ~MmapFile() override { munmap(const_cast<uint8_t*>(data), size); }
};

}  // namespace

PosixLoaderPlatform::PosixLoaderPlatform(std::function<void(const std::string&)> showErrorBox)
    : showErrorBox_(std::move(showErrorBox)) {}

bool PosixLoaderPlatform::CanOpenForReading(const std::string& path) {
  const int fd = qg::OpenSnapshotForReading(path);
  if (fd < 0) return false;
  close(fd);
  return true;
}

std::unique_ptr<MappedFile> PosixLoaderPlatform::MapWholeFile(const std::string& path) {
  const int fd = qg::OpenSnapshotForReading(path);
  if (fd < 0) return nullptr;
  struct stat st;
  if (fstat(fd, &st) != 0 || st.st_size <= 0) {  // an empty file cannot be mapped
    close(fd);
    return nullptr;
  }
  const size_t length = static_cast<size_t>(st.st_size);
  void* address = mmap(nullptr, length, PROT_READ, MAP_PRIVATE, fd, 0);
  close(fd);  // the mapping keeps the file
  if (address == MAP_FAILED) return nullptr;
  return std::make_unique<MmapFile>(address, length);
}

void PosixLoaderPlatform::ShowErrorBox(const std::string& text) {
  if (showErrorBox_) showErrorBox_(text);
}
