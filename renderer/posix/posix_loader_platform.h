// The snapshot loader's file access on POSIX: the snapshot is opened without
// following links and only when it is the user's own regular file, then
// mapped read-only. Error boxes go to the given reporter.
#pragma once

#include <functional>
#include <string>

#include "snapshot_loader.h"

class PosixLoaderPlatform final : public LoaderPlatform {
 public:
  explicit PosixLoaderPlatform(std::function<void(const std::string&)> showErrorBox);
  bool CanOpenForReading(const std::string& path) override;
  std::unique_ptr<MappedFile> MapWholeFile(const std::string& path) override;
  void ShowErrorBox(const std::string& text) override;

 private:
  std::function<void(const std::string&)> showErrorBox_;
};
